#include "shell/Batch.h"

#include <memory>
#include <vector>

#include "shell/HelpText.h"
#include "shell/ProjectVerbs.h"
#include "shell/Startup.h"
#include "media/sources/MediaOpen.h"
#include "platform/qt/QtPlatform.h"
#include "platform/scripted/ScriptedPlatform.h"

namespace vantrel {

namespace {

int Help(const BatchContext& context, std::span<const std::string>) {
    const std::string_view usage = HelpText();
    std::fwrite(usage.data(), 1, usage.size(), context.out);
    return kExitOk;
}

int Version(const BatchContext& context, std::span<const std::string>) {
    std::fprintf(context.out, "%s\n", VersionText().c_str());
    return kExitOk;
}

// Later verbs join as rows; the usage text below lists them all.
constexpr BatchVerb kVerbs[] = {
    {"--help", 0, 0, false, &Help},
    {"--version", 0, 0, false, &Version},
    {"--make", 2, 5, true, &MakeVerb},
    {"--join", 2, -1, false, &JoinVerb},
    {"--cluster", 5, -1, true, &ClusterVerb},
    {"--picture", 3, 3, true, &PictureVerb},
    {"--info", 1, 1, true, &InfoVerb},
    {"--save-as", 2, 2, true, &SaveAsVerb},
    {"--script", 1, 6, true, &ScriptVerb},
};

// Both texts are made from the manual page's source (data/manual).
constexpr std::string_view kUsage = kUsageText;
constexpr std::string_view kQuiet = "--quiet";

int UsageError(const BatchContext& context, const char* format, std::string_view what) {
    std::fprintf(context.err, format, int(what.size()), what.data());
    std::fputc('\n', context.err);
    std::fwrite(kUsage.data(), 1, kUsage.size(), context.err);
    return kExitUsage;
}

}  // namespace

std::span<const BatchVerb> BatchVerbs() { return kVerbs; }

const BatchVerb* FindBatchVerb(std::string_view name) {
    for (const BatchVerb& verb : kVerbs)
        if (verb.name == name) return &verb;
    return nullptr;
}

std::string_view UsageText() { return kUsage; }

std::string_view HelpText() { return kHelpText; }

bool IsBatchCommandLine(int argc, char** argv) { return argc >= 2 && argv[1][0] == '-'; }

int RunBatch(int argc, char** argv, const BatchContext& context) {
    // --quiet and --allow-downloads may stand anywhere, before the verb or
    // among its arguments; the verb is the first of the rest.
    BatchContext given = context;
    std::vector<std::string> words;
    bool allowDownloads = false;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == kQuiet)
            given.quiet = true;
        else if (std::string_view(argv[i]) == kAllowDownloads)
            allowDownloads = true;
        else
            words.emplace_back(argv[i]);
    }
    if (words.empty()) return UsageError(context, "vantrel: %.*s", "no verb given");
    const std::string_view name = words.front();
    const BatchVerb* verb = FindBatchVerb(name);
    if (!verb || !verb->run) return UsageError(context, "vantrel: unknown verb %.*s", name);
    const std::vector<std::string> args(words.begin() + 1, words.end());
    const int count = int(args.size());
    std::FILE* err = context.err;
    SetRemoteMediaConsent([allowDownloads, err](const std::string& address, Window*) {
        if (!allowDownloads)
            std::fprintf(err,
                         "vantrel: the project names the address %s; not downloading it without "
                         "--allow-downloads, so the clip counts as missing\n",
                         address.c_str());
        return allowDownloads;
    });
    if (count < verb->minArgs || (verb->maxArgs >= 0 && count > verb->maxArgs))
        return UsageError(context, "vantrel: wrong number of arguments for %.*s", name);

    std::unique_ptr<QtPlatform> qt;
    std::unique_ptr<ScriptedPlatform> scripted;
    SteadyClock clock;
    PlatformServices previous;
    if (verb->needsQt) {
        qt = std::make_unique<QtPlatform>(argc, argv, QtPlatform::Mode::Batch);
        // Nobody is there to answer: boxes take their default, dialogs
        // cancel, but waiting takes real time.
        scripted = std::make_unique<ScriptedPlatform>();
        previous = SetPlatform({.clock = &clock});
    }
    const int status = verb->run(given, args);
    if (scripted) SetPlatform(previous);
    if (status == kExitUsage) std::fwrite(kUsage.data(), 1, kUsage.size(), context.err);
    return status;
}

}  // namespace vantrel
