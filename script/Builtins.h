#pragma once
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

class Control;

// Applies a function of the name(argument) word form. int writes "%d", the
// others "%f". False for a name no function has.
bool ApplyMathFunction(std::string_view name, double argument, std::string& result);

// The commands written after "!": words[0] is the built-in's name, the rest
// its arguments exactly as written. The output is cleared first. interrupted
// is asked while waiting; when it answers true the wait gives up with false.
bool RunBuiltin(Control* host, std::span<const std::string_view> words, std::string& output,
                const std::function<bool()>& interrupted);

}  // namespace vantrel
