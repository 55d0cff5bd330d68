#include <Qt>
#include <cstdint>

#include "values/Messages.h"
#include "platform/qt/QtMainWindow.h"

namespace vantrel {

namespace {

// A run of Qt keys that maps onto a run of virtual keys of the same length.
struct KeyRun {
    int firstQt, lastQt;
    std::uint32_t firstVk;
};

constexpr KeyRun kKeyRuns[] = {
    {Qt::Key_A, Qt::Key_Z, kVkA},
    {Qt::Key_0, Qt::Key_9, kVk0},
    {Qt::Key_F1, Qt::Key_F24, kVkF1},
    {Qt::Key_Space, Qt::Key_Space, kVkSpace},
    {Qt::Key_Backspace, Qt::Key_Backspace, kVkBack},
    {Qt::Key_Tab, Qt::Key_Tab, kVkTab},
    {Qt::Key_Backtab, Qt::Key_Backtab, kVkTab},
    {Qt::Key_Return, Qt::Key_Enter, kVkReturn},  // Return and Enter are adjacent
    {Qt::Key_Shift, Qt::Key_Shift, kVkShift},
    {Qt::Key_Control, Qt::Key_Control, kVkControl},
    {Qt::Key_Escape, Qt::Key_Escape, kVkEscape},
    {Qt::Key_PageUp, Qt::Key_PageUp, kVkPrior},
    {Qt::Key_PageDown, Qt::Key_PageDown, kVkNext},
    {Qt::Key_End, Qt::Key_End, kVkEnd},
    {Qt::Key_Home, Qt::Key_Home, kVkHome},
    {Qt::Key_Left, Qt::Key_Left, kVkLeft},
    {Qt::Key_Up, Qt::Key_Up, kVkUp},
    {Qt::Key_Right, Qt::Key_Right, kVkRight},
    {Qt::Key_Down, Qt::Key_Down, kVkDown},
    {Qt::Key_Insert, Qt::Key_Insert, kVkInsert},
    {Qt::Key_Delete, Qt::Key_Delete, kVkDelete},
    {Qt::Key_Pause, Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, Qt::Key_CapsLock, 0x14},
    {Qt::Key_Print, Qt::Key_Print, 0x2C},
    {Qt::Key_NumLock, Qt::Key_NumLock, 0x90},
    {Qt::Key_ScrollLock, Qt::Key_ScrollLock, 0x91},
    // The main keyboard's operators share the number pad's codes only where
    // Windows gives them their own: plus and minus have OEM codes.
    {Qt::Key_Plus, Qt::Key_Plus, 0xBB},
    {Qt::Key_Equal, Qt::Key_Equal, 0xBB},
    {Qt::Key_Comma, Qt::Key_Comma, 0xBC},
    {Qt::Key_Minus, Qt::Key_Minus, 0xBD},
    {Qt::Key_Period, Qt::Key_Period, 0xBE},
    {Qt::Key_Slash, Qt::Key_Slash, 0xBF},
};

// With the keypad modifier the digits and operators are the number pad's.
constexpr KeyRun kKeypadRuns[] = {
    {Qt::Key_0, Qt::Key_9, kVkNumpad0},
    {Qt::Key_Asterisk, Qt::Key_Asterisk, kVkMultiply},
    {Qt::Key_Plus, Qt::Key_Plus, kVkAdd},
    {Qt::Key_Minus, Qt::Key_Minus, kVkSubtract},
    {Qt::Key_Period, Qt::Key_Period, kVkDecimal},
    {Qt::Key_Comma, Qt::Key_Comma, kVkDecimal},
    {Qt::Key_Slash, Qt::Key_Slash, kVkDivide},
    {Qt::Key_Enter, Qt::Key_Enter, kVkReturn},
};

template <std::size_t N>
std::uint32_t Find(const KeyRun (&runs)[N], int qtKey) {
    for (const KeyRun& run : runs)
        if (run.firstQt <= qtKey && qtKey <= run.lastQt) return run.firstVk + std::uint32_t(qtKey - run.firstQt);
    return 0;
}

}  // namespace

std::uint32_t VirtualKeyOf(int qtKey, bool keypad) {
    if (keypad)
        if (const std::uint32_t vk = Find(kKeypadRuns, qtKey)) return vk;
    return Find(kKeyRuns, qtKey);
}

std::uint32_t MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    std::uint32_t flags = 0;
    if (buttons & Qt::LeftButton) flags |= kLeftButtonHeld;
    if (buttons & Qt::RightButton) flags |= kRightButtonHeld;
    if (buttons & Qt::MiddleButton) flags |= kMiddleButtonHeld;
    if (modifiers & Qt::ShiftModifier) flags |= kShiftHeld;
    if (modifiers & Qt::ControlModifier) flags |= kControlHeld;
    return flags;
}

}  // namespace vantrel
