#pragma once
#include <cstdint>

namespace vantrel {

// What the main window reports to the program, already in the editor's own
// terms: input carries the message numbers of values/Messages.h, client
// coordinates sign-extended from 16 bits (so a point left of or above the
// client area is negative) and the message's parameter.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;

    // Mouse moves and buttons: param is the key flags (kLeftButtonHeld ...)
    // as they are after the event. Key releases: param is the virtual-key
    // code and (x, y) is the pointer. Drops: param is the drop handle,
    // whose paths Window::DroppedFiles answers during this call only.
    virtual void Input(std::uint32_t message, int x, int y, std::uintptr_t param) = 0;
    // The client area changed size (also when it was minimised).
    virtual void Resized() = 0;
    // The window became the active one; minimised tells whether it still is.
    virtual void Activated(bool minimised) = 0;
    virtual void Timer(int id) = 0;
    // The user asks to close the window; false keeps it open.
    virtual bool CloseRequested() { return true; }
    // The window is closing for good: the last event it sends.
    virtual void Destroyed() = 0;
};

// What a coordinate looks like after travelling in half of a 32-bit word.
constexpr int SignExtend16(int value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF)); }

}  // namespace vantrel
