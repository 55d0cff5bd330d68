#pragma once
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

enum BatchExit { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

struct BatchContext {
    std::FILE* out = stdout;
    std::FILE* err = stderr;  // failure messages, one line each
    bool quiet = false;       // --quiet: no progress while making
};

// A verb answers its exit status; kExitUsage makes the caller print the
// usage text to the error stream.
using BatchFunction = int (*)(const BatchContext& context, std::span<const std::string> args);

// One row per verb of the batch command line. A verb that needs Qt runs with
// the offscreen platform up and the scripted services installed.
struct BatchVerb {
    std::string_view name;  // "--make"
    int minArgs = 0;
    int maxArgs = 0;  // -1: no upper limit
    bool needsQt = true;
    BatchFunction run = nullptr;
};

// Lets every verb fetch the media addresses a project names.
inline constexpr std::string_view kAllowDownloads = "--allow-downloads";

std::span<const BatchVerb> BatchVerbs();
const BatchVerb* FindBatchVerb(std::string_view name);
// What a usage error prints: the verbs as the README lists them and the
// exit status.
std::string_view UsageText();
// What --help prints: the manual page as plain text.
std::string_view HelpText();

// A first argument that starts with '-' asks for a verb, not the editor.
bool IsBatchCommandLine(int argc, char** argv);
int RunBatch(int argc, char** argv, const BatchContext& context = {});

}  // namespace vantrel
