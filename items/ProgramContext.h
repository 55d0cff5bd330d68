#pragma once
#include <atomic>

namespace vantrel {

class Control;
class InternetSession;
class SettingsStore;
class StringTable;

// The objects the program has one of by design. The program's parts reach
// them through the context in force, never through statics of their own,
// so a test that wants a fresh string table, settings store or internet
// session builds its own context and puts it in force for its scope, with
// nothing to reset afterwards. A member left null is served by the process
// default, built on first use: the texts of the resources, the settings of
// the language's default skin file, one internet session.
struct ProgramContext {
    StringTable* strings = nullptr;
    SettingsStore* settings = nullptr;
    InternetSession* internet = nullptr;
    // What scripts name "help" and "prefs".
    Control* infoBrowser = nullptr;
    Control* preferences = nullptr;
    // The media system is not here: it is handed down the item tree with
    // each item (Item::Media), and batch runs have none.
};

// The context in force: the innermost scope's, else the program's own.
ProgramContext& Context();

// Puts a context in force for its lifetime. Scopes nest and are opened and
// closed on the main thread, while the worker is idle.
class ScopedProgramContext {
public:
    explicit ScopedProgramContext(ProgramContext& context);
    ~ScopedProgramContext();
    ScopedProgramContext(const ScopedProgramContext&) = delete;
    ScopedProgramContext& operator=(const ScopedProgramContext&) = delete;

private:
    ProgramContext* previous_;
};

}  // namespace vantrel
