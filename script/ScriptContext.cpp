#include "script/ScriptContext.h"

#include <fstream>
#include <numbers>

#include "items/Control.h"
#include "items/UserFolders.h"
#include "script/Builtins.h"
#include "script/Text.h"

namespace vantrel {

namespace {

constexpr std::string_view kHeaderTag = "<vrs>";
constexpr std::string_view kScriptExtension = ".vrm";
// A script's words fit in 8 KiB; a file many times that size is no script,
// and reading it whole would only cost memory.
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;

bool Is(std::string_view word, std::string_view keyword) { return EqualsNoCase(word, keyword); }

bool FailingFetch(const std::string&, const std::string&) { return false; }
MemberAreaFetch& Fetcher() {
    static MemberAreaFetch fetch = &FailingFetch;
    return fetch;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || std::uintmax_t(size) > kMaxFileBytes) return false;
    file.seekg(0, std::ios::beg);
    text.resize(std::size_t(size));
    file.read(text.data(), size);
    return file.gcount() == size;
}

}  // namespace

// ---------------------------------------------------------------- names

bool IsAcceptedScriptName(std::string_view name) {
    if (name.empty() || name.size() > ScriptContext::kMaxFileName) return false;
    if (name.find('\0') != std::string_view::npos) return false;
    if (name.front() == '/' || name.front() == '\\') return false;
    // A drive letter makes a Windows name absolute even without a separator.
    if (name.size() >= 2 && name[1] == ':') return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = name.size();
        if (name.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

void SetMemberAreaFetch(MemberAreaFetch fetch) { Fetcher() = fetch ? fetch : &FailingFetch; }
MemberAreaFetch CurrentMemberAreaFetch() { return Fetcher(); }

namespace {
// Names written on pages use either separator; both mean a folder here.
std::string RelativeScriptName(std::string_view name) {
    std::string relative;
    for (char c : name) relative += c == '\\' ? '/' : c;
    return relative;
}
}  // namespace

std::string ScriptLocalPath(std::string_view name) {
    if (!IsAcceptedScriptName(name)) return {};
    return ReadPath(DataFolder(), RelativeScriptName(name));
}

// ---------------------------------------------------------------- loading

ScriptContext::~ScriptContext() = default;

std::unique_ptr<ScriptContext> ScriptContext::FromText(Control* host, std::string_view text,
                                                       std::string_view fileName) {
    std::unique_ptr<ScriptContext> context(new ScriptContext(host));
    context->fileName_ = std::string(fileName.substr(0, kMaxFileName));
    context->stopped_ = std::make_shared<bool>(false);
    if (text.size() <= kHeaderTag.size() || !StartsWithNoCase(text, kHeaderTag) ||
        !IsWordSpace(text[kHeaderTag.size()]))
        return context;
    const std::vector<std::string_view> words = SplitWords(text, kMaxTokens);
    std::size_t needed = 0;
    for (std::string_view word : words) needed += word.size() + 1;
    if (needed > kTokenTextSize) return context;  // the words would not fit the token text
    // Copy into one buffer so that the tokens outlive the caller's text.
    context->tokenText_.reserve(needed);
    std::vector<std::size_t> starts;
    starts.reserve(words.size());
    for (std::string_view word : words) {
        starts.push_back(context->tokenText_.size());
        context->tokenText_.append(word);
        context->tokenText_.push_back('\0');
    }
    context->tokens_.reserve(words.size());
    for (std::size_t i = 0; i < words.size(); ++i)
        context->tokens_.emplace_back(context->tokenText_.data() + starts[i], words[i].size());
    context->valid_ = context->tokens_.size() >= 3;
    return context;
}

std::unique_ptr<ScriptContext> LoadScriptFile(Control* host, std::string_view name) {
    if (!host) return nullptr;
    const bool usable = name.size() > kScriptExtension.size() && EndsWithNoCase(name, kScriptExtension) &&
                        IsAcceptedScriptName(name);
    if (!usable) return ScriptContext::FromText(host, {}, {});
    const std::string address = RelativeScriptName(name);
    // The refreshed copy is the user's own: the program folder may be
    // read-only and shared. When the refresh fails the copy already there,
    // the user's or else the shipped one, is used.
    const std::string refreshed = WritePath(DataFolder(), address);
    if (!refreshed.empty()) (void)Fetcher()(address, refreshed);
    const std::string local = ScriptLocalPath(name);
    std::string text;
    if (!ReadWholeFile(local, text)) return ScriptContext::FromText(host, {}, name);
    return ScriptContext::FromText(host, text, name);
}

std::unique_ptr<ScriptContext> LoadScriptPath(Control* host, const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text)) text.clear();
    return ScriptContext::FromText(host, text, path);
}

namespace {
thread_local int pageScriptsRunning = 0;
}

bool PageScriptRunning() { return pageScriptsRunning > 0; }

bool RunScriptFile(Control* host, std::string_view name, std::string_view arguments, std::string& output,
                   const ScriptStopCheck* stop) {
    auto context = LoadScriptFile(host, name);
    if (!context) return false;
    if (stop) context->SetStopCheck(stop);
    struct Running {
        Running() { ++pageScriptsRunning; }
        ~Running() { --pageScriptsRunning; }
    } running;
    return context->Run(arguments, output);
}

std::unique_ptr<ScriptContext> ScriptContext::MakeBlock(ScriptContext& parent,
                                                        std::span<const std::string_view> words, bool loop) {
    std::unique_ptr<ScriptContext> block(new ScriptContext(parent.host_));
    block->parent_ = &parent;
    block->loop_ = loop;
    block->InheritRun(parent);
    block->tokens_.reserve(words.size() + 2);
    block->tokens_.push_back(kHeaderTag);
    block->tokens_.push_back(";");
    block->tokens_.insert(block->tokens_.end(), words.begin(), words.end());
    block->valid_ = !words.empty();
    return block;
}

std::unique_ptr<ScriptContext> ScriptContext::LoadCalled(std::string_view name) {
    auto called = LoadScriptFile(host_, name);
    if (called) called->InheritRun(*this);
    return called;
}

void ScriptContext::InheritRun(const ScriptContext& creator) {
    nesting_ = creator.nesting_ + 1;
    stop_ = creator.stop_;
    stopped_ = creator.stopped_;
}

bool ScriptContext::ShouldStop() {
    if (!stop_ || !*stop_) return false;
    if (*stopped_) return true;
    if ((*stop_)()) *stopped_ = true;
    return *stopped_;
}

// ---------------------------------------------------------------- variables

const ScriptContext::Variable* ScriptContext::FindVariable(std::string_view name) const {
    name = name.substr(0, kMaxNameLength);
    for (const ScriptContext* c = this; c; c = c->parent_)
        for (const Variable& v : c->variables_)
            if (EqualsNoCase(v.name, name)) return &v;
    return nullptr;
}

bool ScriptContext::HasOwn(std::string_view name) const {
    name = name.substr(0, kMaxNameLength);
    for (const Variable& v : variables_)
        if (EqualsNoCase(v.name, name)) return true;
    return false;
}

ScriptContext::Variable* ScriptContext::Lookup(std::string_view name) {
    return const_cast<Variable*>(static_cast<const ScriptContext*>(this)->FindVariable(name));
}

ScriptContext::Variable* ScriptContext::FindOrCreate(std::string_view name, std::string_view initial) {
    if (Variable* found = Lookup(name)) return found;
    return CreateOwn(name, initial);
}

ScriptContext::Variable* ScriptContext::CreateOwn(std::string_view name, std::string_view initial) {
    if (variables_.size() >= kMaxVariables) return nullptr;
    // Reserved whole, so that an address taken during a statement stays good.
    if (variables_.capacity() < kMaxVariables) variables_.reserve(kMaxVariables);
    Variable& created = variables_.emplace_back();
    created.name = std::string(name.substr(0, kMaxNameLength));
    created.value = std::string(initial.substr(0, kMaxValueLength));
    return &created;
}

bool ScriptContext::SetVariable(std::string_view name, std::string_view value) {
    Variable* v = FindOrCreate(name, {});
    if (!v) return false;
    v->value.assign(value.substr(0, kMaxValueLength));
    return true;
}

// ---------------------------------------------------------------- evaluation

bool ScriptContext::Evaluate(std::string_view word, std::string& result) const {
    // name(argument): the argument holds no white space and no ")", and the
    // ")" closes the word, so nested calls are not this form.
    std::size_t pos = 0;
    while (pos < word.size() && IsWordSpace(word[pos])) ++pos;
    const std::size_t nameStart = pos;
    while (pos < word.size() && !IsWordSpace(word[pos]) && word[pos] != '(') ++pos;
    const std::size_t nameEnd = pos;
    bool functionForm = nameEnd > nameStart && pos < word.size() && word[pos] == '(';
    std::size_t argStart = 0, argEnd = 0;
    if (functionForm) {
        argStart = ++pos;
        while (pos < word.size() && !IsWordSpace(word[pos]) && word[pos] != ')') ++pos;
        argEnd = pos;
        functionForm = argEnd > argStart && pos + 1 == word.size() && word[pos] == ')';
    }
    if (!functionForm) {
        const Variable* v = FindVariable(word);
        result.assign(v ? std::string_view(v->value) : word);
        return true;
    }
    const std::string_view argument = word.substr(argStart, argEnd - argStart);
    double number = 0;
    if (const Variable* v = FindVariable(argument)) {
        const auto read = ReadFloat(v->value);
        if (!read) return false;
        number = *read;
    } else if (const auto read = ReadFloat(argument)) {
        number = *read;
    } else if (Is(argument, "PI")) {
        number = std::numbers::pi;
    } else {
        return false;
    }
    return ApplyMathFunction(word.substr(nameStart, nameEnd - nameStart), number, result);
}

// ---------------------------------------------------------------- running

ScriptContext::Take ScriptContext::NextStatement(std::size_t& pos, std::span<const std::string_view>& statement) const {
    const std::size_t start = pos;
    int depth = 0;
    while (pos < tokens_.size()) {
        const std::string_view w = tokens_[pos];
        if (depth == 0 && w == ";") {
            statement = std::span(tokens_).subspan(start, pos - start);
            ++pos;
            return Take::Statement;
        }
        if (depth <= 0 && w == "}") return Take::Stray;
        ++pos;
        if (w == "{") {
            ++depth;
        } else if (w == "}") {
            if (--depth == 0) break;
        }
    }
    statement = std::span(tokens_).subspan(start, pos - start);
    return Take::Statement;
}

void ScriptContext::ApplyHeader(std::span<const std::string_view> header,
                                const std::vector<std::string_view>& arguments) {
    for (std::size_t i = 1; i < header.size(); ++i) {
        // The header has no way to fail: a parameter that finds the table
        // full is simply not there.
        if (i <= arguments.size())
            (void)SetVariable(header[i], arguments[i - 1]);
        else if (!HasOwn(header[i]))
            (void)CreateOwn(header[i], {});
    }
}

bool ScriptContext::Run(std::string_view arguments, std::string& output) {
    if (!valid_) return false;
    running_ = true;
    returned_ = false;
    returnValue_.clear();
    const std::vector<std::string_view> argumentWords = SplitWords(arguments, kMaxArguments);
    std::size_t pos = 0;
    while (pos < tokens_.size()) {
        if (!running_) break;
        if (ShouldStop()) return false;
        std::span<const std::string_view> statement;
        if (NextStatement(pos, statement) == Take::Stray) return false;
        const std::string_view first = statement.empty() ? std::string_view() : statement[0];
        if (!statement.empty() && Is(first, kHeaderTag)) {
            ApplyHeader(statement, argumentWords);
        } else if (!statement.empty() && Is(first, "break")) {
            running_ = false;
            output.clear();
            return true;
        } else if (!statement.empty() && Is(first, "return")) {
            Return(statement.subspan(1));
            output = returnValue_;
            return true;
        } else if (!statement.empty() && (Is(first, "debug") || first == "//")) {
            // Skipped: kept for the authors of scripts.
        } else {
            if (!Execute(statement, output)) return false;
            if (returned_) {
                output = returnValue_;
                return true;
            }
        }
        if (loop_ && pos >= tokens_.size()) pos = 0;
    }
    output.clear();
    return true;
}

void ScriptContext::Return(std::span<const std::string_view> words) {
    std::string value;
    if (!words.empty()) {
        const std::string joined = JoinWords(words.data(), words.size());
        const std::vector<std::string_view> parts = SplitWords(joined, kMaxReturnWords);
        std::string evaluated;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (i) value += ' ';
            // The last slot may hold the rest of a long text; it stays as written.
            const bool rest = i + 1 == kMaxReturnWords && parts[i].find_first_of(" \t\n\v\f\r") != std::string_view::npos;
            if (!rest && Evaluate(parts[i], evaluated))
                value += evaluated;
            else
                value += parts[i];
        }
    }
    LimitLength(value, kMaxValueLength);
    for (ScriptContext* c = this; c; c = c->parent_) {
        c->returned_ = true;
        c->returnValue_ = value;
    }
}

bool ScriptContext::Execute(std::span<const std::string_view> w, std::string& output) {
    const std::size_t n = w.size();
    if (n >= 1 && w[0] == "//") return true;
    if (n >= 2 && w[1] == "=") return Assign(w);
    if (n >= 2 && (w[1] == "+=" || w[1] == "-=" || w[1] == "*=" || w[1] == "/=")) return Compound(w);
    if (n == 0) return false;  // the empty statement names no object
    if (Is(w[0], "if")) return Condition(w, output);
    if (w[0] == "{") {
        if (w[n - 1] != "}" || n < 2) return false;
        return RunBlock(w.subspan(1, n - 2), false, output);
    }
    if (n >= 2 && Is(w[0], "loop") && w[1] == "{") {
        if (w[n - 1] != "}" || n < 3) return false;
        return RunBlock(w.subspan(2, n - 3), true, output);
    }
    if (Is(w[0], "break")) {
        running_ = false;
        return true;
    }
    if (Is(w[0], "return")) {
        Return(w.subspan(1));
        return true;
    }
    if (Is(w[0], "call")) return Call(w.subspan(1), output);
    std::string discarded;
    return TargetCommand(w, discarded);
}

bool ScriptContext::Assign(std::span<const std::string_view> w) {
    const std::size_t n = w.size();
    if (n < 3) return false;
    Variable* target = FindOrCreate(w[0], {});
    if (!target) return false;
    std::string value;
    bool result = true;
    if (n == 3) {
        if (Evaluate(w[2], value)) target->value = std::move(value);
        LimitLength(target->value, kMaxValueLength);
        return true;
    }
    // The target's address survives the command: tables are reserved whole,
    // and nothing the command runs can reach this script's variables.
    if (Is(w[2], "call"))
        result = Call(w.subspan(3), value);
    else
        result = TargetCommand(w.subspan(2), value);
    LimitLength(value, kMaxValueLength);
    target->value = std::move(value);
    return result;
}

bool ScriptContext::Compound(std::span<const std::string_view> w) {
    if (w.size() != 3) return false;
    Variable* target = FindOrCreate(w[0], "0");
    if (!target) return false;
    std::string operand;
    if (!Evaluate(w[2], operand)) return false;
    const auto left = ReadFloat(target->value);
    const auto right = ReadFloat(operand);
    if (!left || !right) return false;
    const double a = *left, b = *right;
    double result = 0;
    switch (w[1][0]) {
        case '+': result = a + b; break;
        case '-': result = a - b; break;
        case '*': result = a * b; break;
        default:
            if (b == 0) return false;
            result = a / b;
            break;
    }
    target->value = FormatFloat(result);
    LimitLength(target->value, kMaxValueLength);
    return true;
}

bool ScriptContext::Condition(std::span<const std::string_view> w, std::string& output) {
    if (w.size() < 5) return false;
    const std::string_view op = w[2];
    if (op != "<" && op != ">" && op != "==" && op != ">=" && op != "<=") return false;
    std::string leftText, rightText;
    if (!Evaluate(w[1], leftText) || !Evaluate(w[3], rightText)) return false;
    const auto left = ReadFloat(leftText);
    const auto right = ReadFloat(rightText);
    if (!left || !right) return false;
    bool holds = false;
    if (op == "<") holds = *left < *right;
    else if (op == ">") holds = *left > *right;
    else if (op == "==") holds = *left == *right;
    else if (op == ">=") holds = *left >= *right;
    else holds = *left <= *right;
    if (!holds) return true;
    return Execute(w.subspan(4), output);
}

bool ScriptContext::RunBlock(std::span<const std::string_view> body, bool loop, std::string& output) {
    if (nesting_ >= kMaxNesting) return false;
    auto block = MakeBlock(*this, body, loop);
    return block->Run({}, output);
}

bool ScriptContext::Call(std::span<const std::string_view> nameAndArguments, std::string& output) {
    if (nameAndArguments.empty()) return false;
    if (nesting_ >= kMaxNesting) return false;
    auto called = LoadCalled(nameAndArguments[0]);
    if (!called || !called->Valid()) return false;
    // Passed as written: a called script sees none of the caller's variables,
    // not even through its arguments.
    const std::string arguments = JoinWords(nameAndArguments.data() + 1, nameAndArguments.size() - 1);
    const bool result = called->Run(arguments, output);
    LimitLength(output, kMaxOutputLength);
    return result;
}

bool ScriptContext::TargetCommand(std::span<const std::string_view> w, std::string& output) {
    output.clear();
    if (w.empty()) return false;
    if (w[0] == "!" && w.size() >= 2) {
        const bool done = RunBuiltin(host_, w.subspan(1), output, [this] { return ShouldStop(); });
        LimitLength(output, kMaxOutputLength);
        return done;
    }
    if (!host_) return false;
    Control* target = host_->ResolveName(std::string(w[0]));
    if (!target) return false;
    std::string command;
    for (std::size_t i = 1; i < w.size(); ++i) {
        if (i > 1) command += ' ';
        const Variable* v = FindVariable(w[i]);
        command += v ? std::string_view(v->value) : w[i];
    }
    output.clear();
    const bool done = target->RunCommand(command, output);
    LimitLength(output, kMaxOutputLength);
    return done;
}

}  // namespace vantrel
