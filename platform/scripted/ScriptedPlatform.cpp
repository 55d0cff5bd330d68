#include "platform/scripted/ScriptedPlatform.h"

#include <chrono>
#include <thread>

#include "values/Surface.h"

namespace vantrel {

namespace {
template <class T>
T Take(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
}  // namespace

BoxAnswer ScriptedDialogs::DefaultAnswer(const MessageBoxRequest& request) {
    if (request.defaultButton != BoxAnswer::None) return request.defaultButton;
    switch (request.buttons) {
        case BoxButtons::Ok:
        case BoxButtons::OkCancel: return BoxAnswer::Ok;
        case BoxButtons::YesNo:
        case BoxButtons::YesNoCancel: return BoxAnswer::Yes;
    }
    return BoxAnswer::Ok;
}

BoxAnswer ScriptedDialogs::MessageBox(Window*, const MessageBoxRequest& request) {
    boxes.push_back(request);
    return Take(boxAnswers, DefaultAnswer(request));
}

std::optional<std::string> ScriptedDialogs::OpenFile(Window*, const FileDialogRequest& request) {
    openRequests.push_back(request);
    return Take(fileAnswers, std::optional<std::string>{});
}

std::optional<std::string> ScriptedDialogs::SaveFile(Window*, const FileDialogRequest& request) {
    saveRequests.push_back(request);
    return Take(fileAnswers, std::optional<std::string>{});
}

std::optional<std::string> ScriptedDialogs::TextEntry(Window*, const std::string&, const std::string& prompt,
                                                      const std::string&) {
    textPrompts.push_back(prompt);
    return Take(textAnswers, std::optional<std::string>{});
}

std::optional<Colour> ScriptedDialogs::ChooseColour(Window*, Colour) {
    ++colourRequests;
    return Take(colourAnswers, std::optional<Colour>{});
}

std::optional<std::string> ScriptedDialogs::ChooseTypeface(Window*, const std::string& initial, int& pointSize) {
    typefaceRequests.push_back(initial);
    typefaceSizes.push_back(pointSize);
    auto answer = Take(typefaceAnswers, std::optional<std::string>{});
    if (answer) pointSize = Take(typefaceSizeAnswers, pointSize);
    return answer;
}

namespace {
bool Enabled(const std::vector<MenuEntry>& entries, int command) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Command && entry.command == command) return entry.enabled;
        if (entry.kind == MenuEntry::Kind::Submenu && !Enabled(entry.entries, command)) return false;
    }
    return true;
}
}  // namespace

// A greyed entry cannot be chosen: answering one dismisses the menu.
int ScriptedMenus::ShowPopup(Window*, const std::vector<MenuEntry>& entries) {
    shown.push_back(entries);
    const int answer = Take(answers, 0);
    return Enabled(entries, answer) ? answer : 0;
}

bool ScriptedClipboard::SetImage(const Surface& picture) {
    if (picture.IsEmpty()) return false;
    ++images;
    lastWidth = picture.Width();
    lastHeight = picture.Height();
    return true;
}

bool ScriptedShell::Open(const std::string& pathOrUrl) {
    opened.push_back(pathOrUrl);
    return answer;
}

void ScriptedClock::Sleep(int ms) {
    if (ms <= 0) return;
    if (realSleep) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    now += std::uint32_t(ms);
}

std::uint32_t SteadyClock::TickCount() {
    using namespace std::chrono;
    return std::uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyClock::Sleep(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::vector<std::string> ScriptedWindow::DroppedFiles(std::intptr_t handle) const {
    auto it = drops.find(handle);
    return it == drops.end() ? std::vector<std::string>{} : it->second;
}

ScriptedPlatform::ScriptedPlatform()
    : previous_(SetPlatform({&dialogs, &menus, &clipboard, &shell, &clock})) {}

ScriptedPlatform::~ScriptedPlatform() { SetPlatform(previous_); }

bool ScriptedMenuBar::Choose(const std::string& menu, const std::string& caption) {
    for (const MenuEntry& bar : Open()) {
        if (bar.caption != menu) continue;
        for (const MenuEntry& entry : bar.entries) {
            if (entry.kind != MenuEntry::Kind::Command || entry.caption.substr(0, entry.caption.find('\t')) != caption)
                continue;
            if (!entry.enabled || !chosen) return false;
            chosen(entry.command);
            return true;
        }
    }
    return false;
}

}  // namespace vantrel
