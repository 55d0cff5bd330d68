#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class Control;

// Asked before every statement and while waiting; true stops the run, which
// then fails like any other failing statement. Blocks and called scripts
// share the check of the run that made them.
using ScriptStopCheck = std::function<bool()>;

// One running script file or one running block: its words, its variables and
// where it stands. Everything a script handles is text.
class ScriptContext {
public:
    static constexpr std::size_t kMaxTokens = 1024;
    static constexpr std::size_t kTokenTextSize = 8192;  // every word plus its terminator
    static constexpr std::size_t kMaxVariables = 64;
    static constexpr std::size_t kMaxNameLength = 255;
    static constexpr std::size_t kMaxValueLength = 4095;
    static constexpr std::size_t kMaxOutputLength = 4095;
    static constexpr std::size_t kMaxArguments = 16;
    static constexpr std::size_t kMaxReturnWords = 64;
    static constexpr std::size_t kMaxFileName = 259;
    // Blocks inside blocks and scripts calling scripts recurse on the stack;
    // a script that calls itself must fail rather than overflow it.
    static constexpr int kMaxNesting = 640;

    struct Variable {
        std::string name;
        std::string value;
    };

    ~ScriptContext();
    ScriptContext(const ScriptContext&) = delete;
    ScriptContext& operator=(const ScriptContext&) = delete;

    // A script from its text; fileName is only recorded. Runnable when the
    // text begins "<vrs>" and a white-space character, has 3 words or more,
    // and its words fit the token text.
    static std::unique_ptr<ScriptContext> FromText(Control* host, std::string_view text,
                                                   std::string_view fileName = {});

    bool Valid() const { return valid_; }
    // Runs from the first word. The result text (at most kMaxOutputLength
    // characters) is written into output on success.
    bool Run(std::string_view arguments, std::string& output);

    void SetStopCheck(const ScriptStopCheck* check) { stop_ = check; }
    // Set when the stop check ended the run.
    bool Stopped() const { return stopped_ && *stopped_; }

    Control* Host() const { return host_; }
    ScriptContext* Parent() const { return parent_; }
    const std::string& FileName() const { return fileName_; }
    std::size_t TokenCount() const { return tokens_.size(); }
    std::string_view Token(std::size_t index) const { return tokens_[index]; }
    bool Returned() const { return returned_; }
    const std::string& ReturnValue() const { return returnValue_; }

    // Through the parent chain; none when no context has the name.
    const Variable* FindVariable(std::string_view name) const;
    // Changes the variable found through the chain, or creates it here.
    // False when it would be a variable too many.
    bool SetVariable(std::string_view name, std::string_view value);
    std::span<const Variable> OwnVariables() const { return variables_; }

private:
    explicit ScriptContext(Control* host) : host_(host) {}

    // A block cut from the parent's words: "<vrs>" ";" and the words, which
    // stay the parent's.
    static std::unique_ptr<ScriptContext> MakeBlock(ScriptContext& parent, std::span<const std::string_view> words,
                                                    bool loop);
    // Loads a called script with this context's host, nesting and stop check.
    std::unique_ptr<ScriptContext> LoadCalled(std::string_view name);
    void InheritRun(const ScriptContext& creator);

    Variable* Lookup(std::string_view name);
    // Found through the chain or created here with initial; none when full.
    Variable* FindOrCreate(std::string_view name, std::string_view initial);
    Variable* CreateOwn(std::string_view name, std::string_view initial);
    bool HasOwn(std::string_view name) const;

    enum class Take { Statement, End, Stray };
    Take NextStatement(std::size_t& pos, std::span<const std::string_view>& statement) const;
    bool Execute(std::span<const std::string_view> w, std::string& output);
    bool Assign(std::span<const std::string_view> w);
    bool Compound(std::span<const std::string_view> w);
    bool Condition(std::span<const std::string_view> w, std::string& output);
    bool RunBlock(std::span<const std::string_view> body, bool loop, std::string& output);
    bool Call(std::span<const std::string_view> nameAndArguments, std::string& output);
    bool TargetCommand(std::span<const std::string_view> w, std::string& output);
    void Return(std::span<const std::string_view> words);
    void ApplyHeader(std::span<const std::string_view> header, const std::vector<std::string_view>& arguments);
    bool ShouldStop();

public:
    // Evaluates one word: the function form, a variable, or the word itself.
    // Fails only for a function form with no number or an unknown function.
    bool Evaluate(std::string_view word, std::string& result) const;

private:
    bool valid_ = false;
    Control* host_ = nullptr;
    bool loop_ = false;
    bool returned_ = false;
    std::string returnValue_;
    ScriptContext* parent_ = nullptr;
    std::string fileName_;
    std::vector<std::string_view> tokens_;
    std::string tokenText_;  // owned words of a script file; blocks leave it empty
    std::vector<Variable> variables_;
    bool running_ = false;
    int nesting_ = 0;
    const ScriptStopCheck* stop_ = nullptr;
    std::shared_ptr<bool> stopped_;
};

// Script files of the page set are named relative to the program folder and
// come from pages that may have been downloaded, so a name that is empty,
// absolute, longer than a path buffer, holds a zero byte or has a ".."
// component is refused.
bool IsAcceptedScriptName(std::string_view name);

// Refreshes a file of the page set from the maker's member area: given the
// name with "/" separators and the local path to write. The internet session
// installs the real one; until then every refresh fails, which loading
// ignores (the local copy is used).
using MemberAreaFetch = bool (*)(const std::string& name, const std::string& localPath);
void SetMemberAreaFetch(MemberAreaFetch fetch);
MemberAreaFetch CurrentMemberAreaFetch();

// Loads a script of the page set: a ".vrm" name relative to the user's data
// folder (read first; where the refresh from the member area goes) and the
// program folder. Gives a context that may not be valid, or none when there
// is no host.
std::unique_ptr<ScriptContext> LoadScriptFile(Control* host, std::string_view name);
// A script read from a path as it stands: not looked up in the program
// folder and not refreshed. The "<vrs>" and word rules still apply.
std::unique_ptr<ScriptContext> LoadScriptPath(Control* host, const std::string& path);
// The local path a script name is read from: the user's copy when there is
// one, else the program folder's ("" when the name is refused).
std::string ScriptLocalPath(std::string_view name);

// What a script link does: load, run with the arguments, discard. The result
// text is written to output (callers that ignore it may pass a scratch).
bool RunScriptFile(Control* host, std::string_view name, std::string_view arguments, std::string& output,
                   const ScriptStopCheck* stop = nullptr);
// Whether such a script (a tutorial) runs on this thread now: its file
// dialogs start where its sample files are.
bool PageScriptRunning();

}  // namespace vantrel
