#include "media/make/BatchVerbs.h"

#include <charconv>

#include "media/make/Make.h"
#include "media/plugins/PluginTables.h"
#include "app/core/ProgramFolder.h"

namespace vantrel {

int MakeVerb(const BatchContext& context, std::span<const std::string> args) {
    if (args.size() != 2) return kExitUsage;
    PluginTables plugins;
    std::string message;
    int status = kExitFailure;
    if (!plugins.LoadDefault())
        message = std::string("cannot load the export plugin ") + ProgramFolder() + PluginTables::kDefaultLibrary;
    else
        status = MakeBatchWith(plugins, args[0], args[1], message, context.err) ? kExitFailure : kExitOk;
    if (status != kExitOk) std::fprintf(context.err, "vantrel: %s\n", message.c_str());
    return status;
}

int PictureVerb(const BatchContext& context, std::span<const std::string> args) {
    if (args.size() != 3) return kExitUsage;
    int time = 0;
    const std::string& text = args[1];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), time);
    if (error != std::errc() || end != text.data() + text.size()) {
        std::fprintf(context.err, "vantrel: TIME_MS must be a whole number of milliseconds: %s\n", text.c_str());
        return kExitUsage;
    }
    std::string message;
    if (PictureBatch(args[0], time, args[2], message) != 0) {
        std::fprintf(context.err, "vantrel: %s\n", message.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace vantrel
