#pragma once
#include <cstdint>

namespace vantrel {

// Input messages keep the numbers of the window messages they stand for, so
// that tables and recorded input read the same as the system's own.
enum Message : std::uint32_t {
    kKeyUp = 0x0101,
    kTimer = 0x0113,
    kMouseMove = 0x0200,
    kLeftButtonDown = 0x0201,
    kLeftButtonUp = 0x0202,
    kLeftButtonDoubleClick = 0x0203,
    kRightButtonDown = 0x0204,
    kRightButtonUp = 0x0205,
    // The parameter holds the key flags in its low word and the wheel's
    // signed turn (120 a notch, away from the user positive) in its high word.
    kMouseWheel = 0x020A,
    kFilesDropped = 0x0233,
};

// Key flags of mouse messages.
enum KeyFlag : std::uint32_t {
    kLeftButtonHeld = 0x0001,
    kRightButtonHeld = 0x0002,
    kShiftHeld = 0x0004,
    kControlHeld = 0x0008,
    kMiddleButtonHeld = 0x0010,
};

// A key release carries its virtual-key code in the low bits and, above
// them, which modifiers were held.
enum KeyModifier : std::uint32_t {
    kKeyCodeMask = 0xFFFF,
    kKeyWithShift = 0x10000,
    kKeyWithControl = 0x20000,
};

// Virtual-key codes the editor's key tables use.
enum VirtualKey : std::uint32_t {
    kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkShift = 0x10, kVkControl = 0x11,
    kVkMenu = 0x12, kVkEscape = 0x1B, kVkSpace = 0x20, kVkPrior = 0x21, kVkNext = 0x22,
    kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27,
    kVkDown = 0x28, kVkInsert = 0x2D, kVkDelete = 0x2E,
    kVk0 = 0x30,  // '0' .. '9' are 0x30 .. 0x39, 'A' .. 'Z' are 0x41 .. 0x5A
    kVkA = 0x41,
    kVkNumpad0 = 0x60, kVkMultiply = 0x6A, kVkAdd = 0x6B, kVkSubtract = 0x6D,
    kVkDecimal = 0x6E, kVkDivide = 0x6F,
    kVkF1 = 0x70,  // F1 .. F12 are 0x70 .. 0x7B
};

}  // namespace vantrel
