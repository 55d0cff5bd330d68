#include "app/shell/Batch.h"

#include <memory>
#include <vector>

#include "app/shell/ProjectVerbs.h"
#include "app/shell/Startup.h"
#include "media/sources/MediaOpen.h"
#include "platform/qt/QtPlatform.h"
#include "platform/test/ScriptedPlatform.h"

namespace vantrel {

namespace {

int Help(const BatchContext& context, std::span<const std::string>) {
    const std::string_view usage = UsageText();
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
    {"--make", 2, 2, true, &MakeVerb},
    {"--picture", 3, 3, true, &PictureVerb},
    {"--info", 1, 1, true, &InfoVerb},
    {"--save-as", 2, 2, true, &SaveAsVerb},
    {"--script", 1, 6, true, &ScriptVerb},
};

constexpr std::string_view kUsage =
    "Usage:\n"
    "    vantrel [FILE.kwp]                      the editor\n"
    "    vantrel --make FILE.kwp OUTPUT          make; the format follows OUTPUT's extension\n"
    "    vantrel --picture FILE.kwp TIME_MS OUT.bmp\n"
    "    vantrel --info MEDIA\n"
    "    vantrel --save-as FILE.kwp OUT.kwp\n"
    "    vantrel --script SCRIPT.vrm [FILE.kwp] [--save-as OUT.kwp] [--timeout SECONDS]\n"
    "    vantrel --help | --version\n"
    "\n"
    "Media addresses (http://, ftp://) inside a project are fetched only with\n"
    "--allow-downloads, which may be given with any verb.\n"
    "\n"
    "Exit status: 0 on success, 1 on failure (the message goes to standard\n"
    "error), 2 on a usage error.\n";

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

bool IsBatchCommandLine(int argc, char** argv) { return argc >= 2 && argv[1][0] == '-'; }

int RunBatch(int argc, char** argv, const BatchContext& context) {
    // "--allow-downloads" may stand anywhere; the verb is the first of the rest.
    std::vector<std::string> words;
    bool allowDownloads = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == kAllowDownloads)
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
    const int status = verb->run(context, args);
    if (scripted) SetPlatform(previous);
    if (status == kExitUsage) std::fwrite(kUsage.data(), 1, kUsage.size(), context.err);
    return status;
}

}  // namespace vantrel
