#pragma once
#include <chrono>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

class Control;

struct ScriptBatchOptions {
    // Stops a script that runs longer; none lets it run as long as it likes.
    std::optional<std::chrono::milliseconds> timeout;
    std::ostream* out = nullptr;  // the result and a line end; none: not written
    std::ostream* err = nullptr;  // questions and messages; none: standard error
};

// Runs the script file at scriptPath, read as it stands, with an empty
// argument text and host as the host. Questions are answered with their
// default button and written to err. Answers the exit status: 0 when the
// run gave true, 1 when it gave false, could not be loaded or was stopped by
// the timeout (with a message on err). result receives the script's result.
int RunScriptBatch(const std::string& scriptPath, Control& host, const ScriptBatchOptions& options,
                   std::string& result);

// "--timeout SECONDS": a positive number of seconds, fractions allowed.
std::optional<std::chrono::milliseconds> ParseScriptTimeout(std::string_view seconds);

}  // namespace vantrel
