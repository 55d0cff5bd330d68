#include "script/Builtins.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "items/Control.h"
#include "items/StringTable.h"
#include "platform/Platform.h"
#include "script/Text.h"

namespace vantrel {

namespace {

constexpr int kQuestionCaption = 302;
constexpr int kPollMs = 10;
constexpr std::size_t kMaxQuestion = 4095;

struct MathFunction {
    std::string_view name;
    double (*apply)(double);
};

constexpr MathFunction kMathFunctions[] = {
    {"acos", [](double x) { return std::acos(x); }},   {"asin", [](double x) { return std::asin(x); }},
    {"atan", [](double x) { return std::atan(x); }},   {"cos", [](double x) { return std::cos(x); }},
    {"cosh", [](double x) { return std::cosh(x); }},   {"exp", [](double x) { return std::exp(x); }},
    {"fabs", [](double x) { return std::fabs(x); }},   {"log", [](double x) { return std::log(x); }},
    {"log10", [](double x) { return std::log10(x); }}, {"sin", [](double x) { return std::sin(x); }},
    {"sinh", [](double x) { return std::sinh(x); }},   {"tan", [](double x) { return std::tan(x); }},
    {"tanh", [](double x) { return std::tanh(x); }},   {"sqrt", [](double x) { return std::sqrt(x); }},
};

// Dropping the fraction of a value outside the 32-bit range has no answer;
// saturate instead of leaving it to the processor.
long long TruncateToInt(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return INT_MAX;
    if (x <= -2147483648.0) return INT_MIN;
    return static_cast<long long>(std::trunc(x));
}

using Signed = std::int32_t;

Signed Now() { return Signed(Platform().clock->TickCount()); }

// Both sides signed: a target past the wrap of the counter still compares as
// the program always did.
bool WaitUntil(std::uint32_t target, const std::function<bool()>& interrupted) {
    while (Now() < Signed(target)) {
        if (interrupted && interrupted()) return false;
        Platform().clock->Sleep(kPollMs);
    }
    return true;
}

// Exactly one argument, a whole number not below zero.
bool ReadWaitArgument(std::span<const std::string_view> arguments, int& value) {
    if (arguments.size() != 1) return false;
    const auto number = ReadInt(arguments[0]);
    if (!number || *number < 0) return false;
    value = *number;
    return true;
}

struct Question {
    std::string_view name;
    BoxButtons buttons;
    BoxAnswer defaultButton;
};

constexpr Question kQuestions[] = {
    {"AskUserOkCancel", BoxButtons::OkCancel, BoxAnswer::Ok},
    {"AskUserCancelOk", BoxButtons::OkCancel, BoxAnswer::Cancel},
    {"AskUserYesNo", BoxButtons::YesNo, BoxAnswer::Yes},
    {"AskUserNoYes", BoxButtons::YesNo, BoxAnswer::No},
};

}  // namespace

bool ApplyMathFunction(std::string_view name, double argument, std::string& result) {
    if (EqualsNoCase(name, "int")) {
        result = FormatInt(TruncateToInt(argument));
        return true;
    }
    for (const MathFunction& f : kMathFunctions) {
        if (EqualsNoCase(name, f.name)) {
            result = FormatFloat(f.apply(argument));
            return true;
        }
    }
    return false;
}

bool RunBuiltin(Control* host, std::span<const std::string_view> words, std::string& output,
                const std::function<bool()>& interrupted) {
    output.clear();
    if (words.empty()) return false;
    const std::string_view name = words[0];
    const auto arguments = words.subspan(1);

    if (EqualsNoCase(name, "MilliTicksGet")) {
        output = FormatInt(Now());
        return true;
    }
    if (EqualsNoCase(name, "MilliTicksWait")) {
        int ms = 0;
        if (!ReadWaitArgument(arguments, ms)) return false;
        return WaitUntil(std::uint32_t(Now()) + std::uint32_t(ms), interrupted);
    }
    if (EqualsNoCase(name, "MilliTicksWaitFor")) {
        int target = 0;
        if (!ReadWaitArgument(arguments, target)) return false;
        return WaitUntil(std::uint32_t(target), interrupted);
    }

    for (const Question& q : kQuestions) {
        if (!EqualsNoCase(name, q.name)) continue;
        if (arguments.empty()) return false;
        MessageBoxRequest request;
        for (std::string_view word : arguments) {
            request.text += word;
            request.text += ' ';
        }
        LimitLength(request.text, kMaxQuestion);
        request.caption = Str(kQuestionCaption);
        request.icon = BoxIcon::Question;
        request.buttons = q.buttons;
        request.defaultButton = q.defaultButton;
        Window* owner = host ? host->Root()->GetWindow() : nullptr;
        const BoxAnswer answer = Platform().dialogs->MessageBox(owner, request);
        output.assign(1, answer == BoxAnswer::Ok || answer == BoxAnswer::Yes ? '1' : '0');
        return true;
    }
    return false;
}

}  // namespace vantrel
