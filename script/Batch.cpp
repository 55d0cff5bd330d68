#include "script/Batch.h"

#include <iostream>

#include "platform/Platform.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "script/ScriptContext.h"
#include "script/Text.h"

namespace vantrel {

namespace {

// Nobody is there to answer: every box takes its default button, and what
// it asked goes to the error stream so that the run can be followed.
class BatchDialogs final : public Dialogs {
public:
    explicit BatchDialogs(std::ostream& err) : err_(err) {}
    BoxAnswer MessageBox(Window*, const MessageBoxRequest& request) override {
        err_ << request.caption << ": " << request.text << '\n';
        return ScriptedDialogs::DefaultAnswer(request);
    }
    std::optional<std::string> OpenFile(Window*, const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(Window*, const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> TextEntry(Window*, const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    std::optional<Colour> ChooseColour(Window*, Colour) override { return std::nullopt; }

private:
    std::ostream& err_;
};

class DialogsInstalled {
public:
    explicit DialogsInstalled(Dialogs& dialogs) : previous_(SetPlatform({&dialogs})) {}
    ~DialogsInstalled() { SetPlatform(previous_); }

private:
    PlatformServices previous_;
};

}  // namespace

std::optional<std::chrono::milliseconds> ParseScriptTimeout(std::string_view seconds) {
    const auto value = ReadFloat(seconds);
    if (!value || !(*value > 0)) return std::nullopt;
    // A limit beyond a year is no limit worth a special case.
    const double ms = std::min(double(*value) * 1000.0, 365.0 * 24 * 3600 * 1000);
    return std::chrono::milliseconds(std::max<long long>(1, (long long)ms));
}

int RunScriptBatch(const std::string& scriptPath, Control& host, const ScriptBatchOptions& options,
                   std::string& result) {
    std::ostream& err = options.err ? *options.err : std::cerr;
    result.clear();
    auto context = LoadScriptPath(&host, scriptPath);
    if (!context->Valid()) {
        err << "Cannot run the script " << scriptPath << '\n';
        if (options.out) *options.out << result << '\n';
        return 1;
    }

    BatchDialogs dialogs(err);
    DialogsInstalled installed(dialogs);
    ScriptStopCheck stop;
    if (options.timeout) {
        const auto deadline = std::chrono::steady_clock::now() + *options.timeout;
        stop = [deadline] { return std::chrono::steady_clock::now() >= deadline; };
        context->SetStopCheck(&stop);
    }
    const bool done = context->Run({}, result);
    if (context->Stopped()) {
        result.clear();
        err << "The script " << scriptPath << " was stopped after "
            << FormatFloat(double(options.timeout->count()) / 1000.0) << " seconds\n";
        return 1;
    }
    if (options.out) *options.out << result << '\n';
    return done ? 0 : 1;
}

}  // namespace vantrel
