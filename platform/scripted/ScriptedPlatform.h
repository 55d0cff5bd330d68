#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace vantrel {

// Dialogs answered from queues; every request is recorded so that tests can
// assert on what the user would have seen. An empty queue answers the
// box's default button, and cancel for every other dialog.
class ScriptedDialogs final : public Dialogs {
public:
    std::deque<BoxAnswer> boxAnswers;
    std::deque<std::optional<std::string>> fileAnswers;  // open and save
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<std::optional<Colour>> colourAnswers;
    std::deque<std::optional<std::string>> typefaceAnswers;

    std::vector<MessageBoxRequest> boxes;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::vector<std::string> textPrompts;
    int colourRequests = 0;
    std::vector<std::string> typefaceRequests;  // the typeface each started from
    std::vector<int> typefaceSizes;             // and the point size
    std::deque<int> typefaceSizeAnswers;        // empty: the size as it was

    BoxAnswer MessageBox(Window* owner, const MessageBoxRequest& request) override;
    std::optional<std::string> OpenFile(Window* owner, const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(Window* owner, const FileDialogRequest& request) override;
    std::optional<std::string> TextEntry(Window* owner, const std::string& title,
                                         const std::string& prompt, const std::string& initial) override;
    std::optional<Colour> ChooseColour(Window* owner, Colour initial) override;
    std::optional<std::string> ChooseTypeface(Window* owner, const std::string& initial, int& pointSize) override;

    // The answer a box gives when nobody answers it.
    static BoxAnswer DefaultAnswer(const MessageBoxRequest& request);
};

class ScriptedMenus final : public Menus {
public:
    std::deque<int> answers;  // empty: dismissed (0)
    std::vector<std::vector<MenuEntry>> shown;
    int ShowPopup(Window* owner, const std::vector<MenuEntry>& entries) override;
};

// The bar as the editor set it; a test opens its menus and chooses entries.
class ScriptedMenuBar final : public MenuBar {
public:
    std::function<std::vector<MenuEntry>()> entries;
    std::function<void(int)> chosen;
    void SetMenuBar(std::function<std::vector<MenuEntry>()> e, std::function<void(int)> c) override {
        entries = std::move(e), chosen = std::move(c);
    }
    // The menus as they would open now.
    std::vector<MenuEntry> Open() const { return entries ? entries() : std::vector<MenuEntry>{}; }
    // Clicks the entry of `menu` whose caption (before a tab) is `caption`;
    // false when there is none or it is greyed.
    bool Choose(const std::string& menu, const std::string& caption);
};

class ScriptedClipboard final : public Clipboard {
public:
    int images = 0;
    int lastWidth = 0, lastHeight = 0;
    bool SetImage(const Surface& picture) override;
};

class ScriptedShell final : public Shell {
public:
    std::vector<std::string> opened;
    bool answer = true;
    bool Open(const std::string& pathOrUrl) override;
};

// A clock tests can drive: Sleep advances it instead of waiting.
class ScriptedClock final : public Clock {
public:
    std::uint32_t now = 0;
    bool realSleep = false;
    std::uint32_t TickCount() override { return now; }
    void Sleep(int ms) override;
};

// The real monotonic clock, used by the batch command line.
class SteadyClock final : public Clock {
public:
    std::uint32_t TickCount() override;
    void Sleep(int ms) override;
};

// A window without a screen: a client rectangle, a recorded title and
// capture, timers that tests fire by hand.
class ScriptedWindow final : public Window {
public:
    Rect client{0, 0, 1024, 768};
    std::string title;
    bool minimised = false;
    bool captured = false;
    int captures = 0, releases = 0;
    Cursor cursor = Cursor::Arrow;
    std::map<int, int> timers;  // id -> period
    std::optional<Point> pointer;
    std::map<std::intptr_t, std::vector<std::string>> drops;

    Rect ClientRect() const override { return client; }
    void SetTitle(const std::string& t) override { title = t; }
    std::string Title() const override { return title; }
    bool IsMinimised() const override { return minimised; }
    void SetCapture() override { captured = true, ++captures; }
    void ReleaseCapture() override { captured = false, ++releases; }
    bool HasCapture() const override { return captured; }
    void SetCursor(Cursor c) override { cursor = c; }
    bool StartTimer(int id, int periodMs) override { return timers[id] = periodMs, true; }
    void StopTimer(int id) override { timers.erase(id); }
    std::optional<Point> PointerPosition() const override { return pointer; }
    std::vector<std::string> DroppedFiles(std::intptr_t handle) const override;
    std::unique_ptr<DrawContext> BeginDraw() override { return nullptr; }
    // What the program answers when asked to close; closed once it agreed.
    std::function<bool()> closeRequested;
    bool closed = false;
    void Close() override { closed = !closeRequested || closeRequested(); }
    ScriptedMenuBar bar;
    MenuBar* GetMenuBar() override { return &bar; }
    std::set<std::uint32_t> held;  // keys held down
    bool KeyHeld(std::uint32_t key) const override { return held.count(key) != 0; }
    // Refreshes asked for, from any thread.
    std::atomic<int> refreshRequests{0};
    void RequestRefresh() override { ++refreshRequests; }
    int shownNow = 0;
    void ShowNow() override { ++shownNow; }
};

// Owns one of each scripted service and installs them for its lifetime.
class ScriptedPlatform {
public:
    ScriptedPlatform();
    ~ScriptedPlatform();
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

    ScriptedDialogs dialogs;
    ScriptedMenus menus;
    ScriptedClipboard clipboard;
    ScriptedShell shell;
    ScriptedClock clock;

private:
    PlatformServices previous_;
};

}  // namespace vantrel
