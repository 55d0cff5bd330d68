#include "shell/ProjectVerbs.h"

#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <vector>

#include "shell/ProgramParts.h"
#include "shell/TerminalProgress.h"
#include "editor/workspace/ProjectFiles.h"
#include "editor/workspace/Workspace.h"
#include "items/ProgramFolder.h"
#include "make/Cluster.h"
#include "make/Join.h"
#include "make/Make.h"
#include "plugins/api/PluginTables.h"
#include "media/sources/ClipInfo.h"
#include "script/Batch.h"

namespace vantrel {

namespace {
void Fail(const BatchContext& context, const std::string& message) {
    std::fprintf(context.err, "vantrel: %s\n", message.c_str());
}

struct ScriptArguments {
    std::string script;
    std::optional<std::string> project, saveAs;
    std::optional<std::chrono::milliseconds> timeout;
};

// The script comes first; the project is the one argument that is not an
// option; options take the argument after them.
std::optional<ScriptArguments> ParseScriptArguments(std::span<const std::string> args) {
    if (args.empty()) return std::nullopt;
    ScriptArguments parsed;
    parsed.script = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--save-as" || arg == "--timeout") {
            if (i + 1 >= args.size()) return std::nullopt;
            const std::string& value = args[++i];
            if (arg == "--save-as") {
                if (parsed.saveAs) return std::nullopt;
                parsed.saveAs = value;
            } else {
                if (parsed.timeout) return std::nullopt;
                parsed.timeout = ParseScriptTimeout(value);
                if (!parsed.timeout) return std::nullopt;
            }
        } else if (arg.starts_with("--") || parsed.project) {
            return std::nullopt;
        } else {
            parsed.project = arg;
        }
    }
    return parsed;
}
}  // namespace

namespace {
std::optional<std::int64_t> WholeNumber(const std::string& text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}
}  // namespace

int MakeVerb(const BatchContext& context, std::span<const std::string> args) {
    std::optional<TimeRange> range;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--range") {
            if (range || i + 2 >= args.size()) return kExitUsage;
            const auto from = WholeNumber(args[i + 1]), to = WholeNumber(args[i + 2]);
            if (!from || !to) {
                Fail(context, "START_MS and END_MS must be whole numbers of milliseconds");
                return kExitUsage;
            }
            if (*to <= *from) {
                Fail(context, "the range " + args[i + 1] + " " + args[i + 2] + " ends before it starts");
                return kExitUsage;
            }
            range = TimeRange{*from, *to};
            i += 2;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return kExitUsage;
    ConnectProgramParts(false);
    PluginTables& plugins = ProgramPlugins();
    if (!plugins.FirstExportPlugin() && !plugins.LoadDefault()) {
        Fail(context, std::string("cannot load the export plugin ") + ProgramFolder() + PluginTables::kDefaultLibrary);
        return kExitFailure;
    }
    std::string message;
    const ProgressStyle style = ChooseProgressStyle(context.quiet, fileno(context.err));
    std::optional<TerminalProgressBar> bar;
    std::function<void(int, int, std::int32_t)> frameDone;
    if (style == ProgressStyle::Bar) {
        bar.emplace(context.err);
        frameDone = [&bar](int index, int frames, std::int32_t) { bar->Frame(index, frames); };
    }
    FrameRange made;
    const int status = MakeBatchWith(plugins, files[0], files[1], message,
                                     style == ProgressStyle::Lines ? context.err : nullptr, frameDone, range, &made,
                                     PreferredMakeTags());
    if (bar) bar->Finish();
    if (status != 0) {
        Fail(context, message);
        return kExitFailure;
    }
    // What --join reads from a chunk's name.
    if (range) std::fprintf(context.out, "frames %d-%d\n", made.first, made.end);
    return kExitOk;
}

int JoinVerb(const BatchContext& context, std::span<const std::string> args) {
    if (args.size() < 2) return kExitUsage;
    std::string message;
    if (JoinChunks(args[0], std::vector<std::string>(args.begin() + 1, args.end()), message) != 0) {
        Fail(context, message + "; " + args[0] + " was not written");
        return kExitFailure;
    }
    return kExitOk;
}

int ClusterVerb(const BatchContext& context, std::span<const std::string> args) {
    ClusterRequest request;
    std::vector<std::string> files;
    bool haveChunks = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--chunks" && hasValue) {
            const auto count = WholeNumber(args[++i]);
            if (!count || *count < 1 || *count > 10000) {
                Fail(context, "--chunks takes a number from 1 to 10000");
                return kExitUsage;
            }
            request.chunks = int(*count);
            haveChunks = true;
        } else if (arg == "--partition" && hasValue) {
            request.partition = args[++i];
        } else if (arg == "--sbatch-arg" && hasValue) {
            request.sbatchArgs.push_back(args[++i]);
        } else if (arg.starts_with("--sbatch-arg=")) {
            request.sbatchArgs.push_back(arg.substr(std::string_view("--sbatch-arg=").size()));
        } else if (arg == "--wait") {
            request.wait = true;
        } else if (arg == "--resume") {
            request.resume = true;
        } else if (arg.starts_with("--")) {
            return kExitUsage;
        } else {
            files.push_back(arg);
        }
    }
    if (args.empty() || files.size() != 2 || !haveChunks) return kExitUsage;
    if (args[0] != "slurm") {
        Fail(context, "unknown cluster kind " + args[0] + " (only slurm)");
        return kExitUsage;
    }
    request.project = files[0];
    request.output = files[1];
    std::error_code error;
    request.program = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error) {
        Fail(context, "cannot tell where the program itself is");
        return kExitFailure;
    }
    ConnectProgramParts(false);
    std::string message;
    if (RunOnSlurm(request, context.out, message) != 0) {
        Fail(context, message);
        return kExitFailure;
    }
    return kExitOk;
}

int PictureVerb(const BatchContext& context, std::span<const std::string> args) {
    if (args.size() != 3) return kExitUsage;
    int time = 0;
    const std::string& text = args[1];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), time);
    if (error != std::errc() || end != text.data() + text.size()) {
        Fail(context, "TIME_MS must be a whole number of milliseconds: " + text);
        return kExitUsage;
    }
    ConnectProgramParts(false);
    PluginTables& plugins = ProgramPlugins();
    if (!plugins.FirstExportPlugin()) plugins.LoadDefault();  // plugin effects only; the picture needs none
    std::string message;
    if (PictureBatch(args[0], time, args[2], message, &plugins) != 0) {
        Fail(context, message);
        return kExitFailure;
    }
    return kExitOk;
}

int InfoVerb(const BatchContext& context, std::span<const std::string> args) {
    if (args.size() != 1) return kExitUsage;
    bool ok = false;
    const std::string text = ClipInfoText(args[0], ok);
    if (!ok) {
        Fail(context, "cannot open " + args[0]);
        return kExitFailure;
    }
    std::fprintf(context.out, "%s\n", text.c_str());
    return kExitOk;
}

int SaveAsVerb(const BatchContext& context, std::span<const std::string> args) {
    if (args.size() != 2) return kExitUsage;
    ConnectProgramParts(false);
    std::string message;
    if (SaveProjectAs(args[0], args[1], message) != 0) {
        Fail(context, message);
        return kExitFailure;
    }
    return kExitOk;
}

int ScriptVerb(const BatchContext& context, std::span<const std::string> args) {
    const auto parsed = ParseScriptArguments(args);
    if (!parsed) return kExitUsage;
    ConnectProgramParts(false);
    WorkspaceOptions options;
    options.startWorker = false;
    AddProgramParts(options);
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    std::string message;
    if (parsed->project && !LoadProjectQuietly(root, *parsed->project, message)) {
        Fail(context, message);
        return kExitFailure;
    }
    std::ostringstream out, err;
    std::string result;
    const int status = RunScriptBatch(parsed->script, root, {parsed->timeout, &out, &err}, result);
    std::fputs(err.str().c_str(), context.err);
    std::fputs(out.str().c_str(), context.out);
    if (parsed->saveAs) {
        // A script that failed or was stopped leaves the project half
        // changed: writing that over the target would lose the good copy.
        if (status != kExitOk) {
            Fail(context, "the script did not succeed; " + *parsed->saveAs + " was not written");
            return kExitFailure;
        }
        if (!SaveRootAs(root, *parsed->saveAs, message)) {
            Fail(context, message);
            return kExitFailure;
        }
    }
    return status;
}

}  // namespace vantrel
