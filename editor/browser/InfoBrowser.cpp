#include "editor/browser/InfoBrowser.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "items/PictureStore.h"
#include "items/ProgramFolder.h"
#include "items/StringTable.h"
#include "values/Surface.h"
#include "items/UserFolders.h"
#include "platform/DrawContext.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "platform/WindowEvents.h"
#include "script/ScriptContext.h"
#include "script/ScriptNames.h"
#include "script/Text.h"
#include "skin/SettingsStore.h"

namespace vantrel {

namespace {
enum Text : int {
    kSurfTitleText = 189,
    kComingSoonText = 322,
    kFileNotFoundText = 324,
    kHelpText = 594,
    kSurfInvitationText = 688,
};
enum SkinId : int {
    kTitleStyle = 444,
    kHelpTitles = 598,
    kHelpLinks = 599,
};
constexpr int kTitleHeight = 20;
constexpr int kMargin = 4;
constexpr int kBarWidth = 12;
constexpr const char* kPlaceholder = "Replace this text for file \"%s\"\n";

TextStyle PageStyle(bool bold, Colour colour) {
    TextStyle style;
    style.colour = colour;
    style.background = kNoColour;
    style.centred = false;
    style.ellipsis = false;
    style.bold = bold;
    style.serif = true;
    style.pointSize = InfoBrowser::kPointSize;
    return style;
}

bool AllWhiteSpace(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return IsWordSpace(c) || c == '\0'; });
}
}  // namespace

InfoBrowser::InfoBrowser() {
    SetId(kNamedPageId);
    SetStyleId(kTitleStyle);
    RegisterEffectCatalogueTopics(topics_);
    outside_.open = [](const std::string& path) { return Platform().shell && Platform().shell->Open(path); };
    outside_.language = [] { return SettingsStore::Instance().Language(); };
    outside_.refreshOff = [] {
        const Preferences& prefs = SettingsStore::Instance().Prefs();
        return prefs.shopEditHelpButton != 0 || prefs.infoBrowserHelpMode != 0;
    };
    outside_.surfFolder = [] { return PrivateTemporarySubfolder("VantrelSurf"); };
    outside_.startPageWanted = [] { return SettingsStore::Instance().Prefs().contextSensitiveResponses != 0; };
}

void InfoBrowser::ShowStartPage() {
    if (outside_.startPageWanted && !outside_.startPageWanted()) return;
    history_.SetReplace(true);
    ShowNumberedPage(kStartPage);
}

int InfoBrowser::Language() const { return outside_.language ? outside_.language() : 9; }

void InfoBrowser::ShowNumberedPage(int number) {
    // Offline the generated home page offers only pages that cannot be
    // refreshed: the shipped help's own home page, tutorials first, is home.
    if (number == kHomePage && outside_.memberArea && !outside_.memberArea()) {
        Navigate(std::to_string(Language() == 7 ? 7 : 9) + "/home.vrh", 0);
        return;
    }
    Navigate(NumberedPageName(Language(), number), number);
}

void InfoBrowser::ShowNamedPage(const std::string& name) { Navigate(name, 0); }

void InfoBrowser::Navigate(const std::string& name, int number) {
    history_.Navigate(name, number);
    LoadPage();
}

void InfoBrowser::LanguageChanged() {
    if (history_.Empty() || !open_) return;
    const PageHistory::Entry shown = history_.Current();
    history_.SetReplace(true);
    if (shown.number) {
        ShowNumberedPage(shown.number);
        return;
    }
    // "9/tuts/menu.vrh" becomes "7/tuts/menu.vrh"; any other name stays.
    const std::string language = std::to_string(Language() == 7 ? 7 : 9);
    std::string name = shown.name;
    if ((name.starts_with("9/") || name.starts_with("7/"))) name.replace(0, 1, language);
    Navigate(name, 0);
}

void InfoBrowser::Back() {
    if (history_.Back()) LoadPage();
}

void InfoBrowser::LoadPage() {
    scroll_ = 0;
    history_.SetReplace(false);
    open_ = true;
    const PageHistory::Entry& entry = history_.Current();
    if (entry.number == kHomePage)
        pageText_ = HomePageText(Language(), [](int id) { return Str(id); });
    else
        pageText_ = ReadPage(entry.name);
    LimitLength(pageText_, kMaxPageText);
    SetId(entry.number ? entry.number : kNamedPageId);
    SetStyleId(kTitleStyle);
    if (AllWhiteSpace(pageText_)) pageText_ = Str(kFileNotFoundText);
    words_ = ParsePage(pageText_);
    entries_.clear();
    scrollRange_ = 0;
}

void InfoBrowser::Refresh(const std::string& relative) {
    const std::string local = WritePath(DataFolder(), relative);
    if (local.empty()) return;
    Window* window = Root() ? Root()->GetWindow() : nullptr;
    if (window) window->SetCursor(Cursor::Wait);
    // A failed refresh leaves the copy that was there.
    (void)CurrentMemberAreaFetch()(relative, local);
    if (window) window->SetCursor(Cursor::Arrow);
}

std::string InfoBrowser::ReadPage(const std::string& name) {
    const std::optional<std::string> relative = RelativePageName(name);
    if (!relative) return {};
    const bool refreshable = EndsWithNoCase(name, ".vrh") || EndsWithNoCase(name, ".vrm");
    if (refreshable && !(outside_.refreshOff && outside_.refreshOff())) Refresh(*relative);
    return ReadPageFile(ReadPath(DataFolder(), *relative), name, Str(kComingSoonText)).value_or(std::string());
}

void InfoBrowser::FollowTarget(const std::string& target) {
    const LinkTarget link = ClassifyTarget(target);
    std::optional<std::string> file;
    switch (link.kind) {
        case LinkTarget::Mail:
            file = WriteShortcutFile(outside_.surfFolder(), Str(kSurfTitleText), target);
            break;
        case LinkTarget::Web:
            file = WriteSurfPage(outside_.surfFolder(), Str(kSurfTitleText), Str(kSurfInvitationText), target);
            break;
        case LinkTarget::Numbered: ShowNumberedPage(link.number); return;
        case LinkTarget::Named: ShowNamedPage(link.name); return;
    }
    if (file && outside_.open) outside_.open(*file);
}

std::string InfoBrowser::EditCurrentPage() {
    if (history_.Empty() || history_.Current().name.empty()) return {};
    const std::string& name = history_.Current().name;
    const std::optional<std::string> relative = RelativePageName(name);
    if (!relative) return {};
    // The program folder is shared and may be read-only: the user edits a
    // copy of their own, which is read before the shipped page.
    const std::string path = WritePath(DataFolder(), *relative);
    if (path.empty()) return {};
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        const std::string shipped = ProgramFolder() + *relative;
        if (!std::filesystem::copy_file(shipped, path, error)) {
            std::ofstream file(path, std::ios::binary);
            char text[1400];
            std::snprintf(text, sizeof text, kPlaceholder, name.c_str());
            file << text;
            if (!file) return {};
        }
    }
    if (outside_.open) outside_.open(path);
    return path;
}

std::string InfoBrowser::Title() const {
    const int number = history_.Empty() ? 0 : history_.Current().number;
    if (number <= 0) return Str(kHelpText);
    char title[1100];
    std::snprintf(title, sizeof title, "%s (#%d)", Str(number).c_str(), number);
    return title;
}

Rect InfoBrowser::CloseBox() const {
    if (rect_.IsEmpty()) return {};
    return {rect_.right - kTitleHeight, rect_.top, rect_.right, rect_.top + kTitleHeight};
}

Rect InfoBrowser::BackButton() const {
    if (rect_.IsEmpty()) return {};
    return {rect_.left, rect_.top, rect_.left + 3 * kTitleHeight, rect_.top + kTitleHeight};
}

Rect InfoBrowser::ScrollBar() const {
    if (rect_.IsEmpty()) return {};
    return {rect_.right - kBarWidth, rect_.top + kTitleHeight, rect_.right, rect_.bottom};
}

Rect InfoBrowser::TextArea() const {
    if (rect_.IsEmpty()) return {};
    Rect area{rect_.left + kMargin, rect_.top + kTitleHeight + kMargin, rect_.right - kBarWidth - kMargin,
              rect_.bottom - kMargin};
    if (area.right < area.left) area.right = area.left;
    if (area.bottom < area.top) area.bottom = area.top;
    return area;
}

void InfoBrowser::LayOut(DrawContext& dc) {
    const WordMeasure measure = [&dc](const std::string& text, bool bold) {
        const TextSize size = dc.MeasureText(text, PageStyle(bold, 0));
        return std::array<int, 2>{size.width, size.height};
    };
    const Rect area = TextArea();
    int height = LayOutWords(words_, area.Width(), measure);
    const int number = history_.Empty() ? 0 : history_.Current().number;
    if (number > 0)
        height = LayOutInfoEntries(entries_, number, figures_, topics_, height, measure(" ", false)[0],
                                   [](int id) { return Str(id); }, measure);
    else
        entries_.clear();
    scrollRange_ = std::max(0, height - area.Height());
    scroll_ = std::clamp(scroll_, 0, scrollRange_);
}

int InfoBrowser::Paint(DrawContext& dc, int, int, int, int, int) {
    if (rect_.IsEmpty()) return 0;
    const SettingsStore& skin = SettingsStore::Instance();
    const Surface* background = Media() ? Media()->Picture(kBackgroundImage) : nullptr;
    if (background && !background->IsEmpty())
        dc.TilePicture(*background, rect_);
    else
        dc.FillRect(rect_, skin.Background(kBackgroundImage) == kNoColour ? Rgb(255, 255, 255)
                                                                          : skin.Background(kBackgroundImage));
    const Rect titleBar{rect_.left, rect_.top, rect_.right, rect_.top + kTitleHeight};
    dc.FillRect(titleBar, skin.Background(kTitleStyle));
    TextStyle titleStyle;
    titleStyle.colour = skin.Foreground(kTitleStyle);
    dc.Text(Title(), {BackButton().right, titleBar.top, CloseBox().left, titleBar.bottom}, titleStyle);
    const Rect back = BackButton().Inset(2), close = CloseBox().Inset(2);
    dc.FillRect(back, Rgb(192, 192, 192));
    dc.FillRect(close, Rgb(192, 192, 192));
    TextStyle buttonStyle;
    buttonStyle.colour = 0;
    dc.Text(Str(kBackCommand), back, buttonStyle);
    dc.Line(Pen::Black, close.left + 3, close.top + 3, close.right - 3, close.bottom - 3);
    dc.Line(Pen::Black, close.right - 4, close.top + 3, close.left - 1, close.bottom - 2);

    LayOut(dc);
    const Rect area = TextArea();
    const Colour text = skin.Foreground(kBackgroundImage), links = skin.Foreground(kHelpLinks);
    dc.SetClip(area);
    auto visible = [&](const Rect& r) {
        return Rect{area.left + r.left, area.top + r.top - scroll_, area.left + r.right, area.top + r.bottom - scroll_};
    };
    for (const PageWord& word : words_) {
        if (word.rect.IsEmpty()) continue;
        const Rect r = visible(word.rect);
        if (r.bottom < area.top || r.top > area.bottom) continue;
        dc.Text(word.shown, r, PageStyle(word.HasTarget(), word.IsLink() ? links : text));
    }
    for (const InfoEntry& entry : entries_) {
        const Colour colour = entry.style == EntryStyle::Title  ? skin.Foreground(kHelpTitles)
                              : entry.style == EntryStyle::Topic ? links
                                                                 : text;
        dc.Text(entry.text, visible(entry.rect), PageStyle(false, colour));
    }
    dc.ClearClip();
    const Rect bar = ScrollBar();
    dc.FillRect(bar, Rgb(192, 192, 192));
    if (scrollRange_ > 0 && bar.Height() > 8) {
        const int thumb = bar.top + int((long long)(bar.Height() - 8) * scroll_ / scrollRange_);
        dc.FillRect({bar.left + 1, thumb, bar.right - 1, thumb + 8}, Rgb(96, 96, 96));
    }
    return 1;
}

const PageWord* InfoBrowser::WordAt(Point p) const {
    const Rect area = TextArea();
    if (!area.Contains(p)) return nullptr;
    const Point q{p.x - area.left, p.y - area.top + scroll_};
    for (const PageWord& word : words_)
        if (!word.rect.IsEmpty() && word.rect.Contains(q)) return &word;
    return nullptr;
}

const InfoEntry* InfoBrowser::EntryAt(Point p) const {
    const Rect area = TextArea();
    if (!area.Contains(p)) return nullptr;
    const Point q{p.x - area.left, p.y - area.top + scroll_};
    for (const InfoEntry& entry : entries_)
        if (entry.rect.Contains(q)) return &entry;
    return nullptr;
}

void InfoBrowser::SetScrollFromPointer(int y) {
    const Rect area = TextArea();
    if (area.Height() <= 0) return;
    const long long offset = std::clamp(y - area.top, 0, area.Height());
    scroll_ = int(offset * scrollRange_ / area.Height());
}

void InfoBrowser::RunScript(const std::string& name) {
    auto* host = dynamic_cast<Control*>(Root());
    if (!host || host == this) return;
    std::string output;
    // Never stops the script; it is only the script's moments to show.
    const ScriptStopCheck moments = [this] {
        if (outside_.scriptMoment) outside_.scriptMoment();
        return false;
    };
    (void)RunScriptFile(host, name, "", output, &moments);
}

void InfoBrowser::ShowObject(Window* window, const std::string& name) {
    auto* root = dynamic_cast<Control*>(Root());
    if (!root || root == this) return;
    if (Control* item = root->ResolveName(name)) {
        ResultFlags out = 0;
        item->Command(window, kHelpHoverCommand, out);
    }
}

ResultFlags InfoBrowser::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    const Point p{x, y};
    const bool press = message == kLeftButtonDown || message == kRightButtonDown;
    const bool release = message == kLeftButtonUp || message == kRightButtonUp;
    if (draggingBar_) {
        if (message == kMouseMove) SetScrollFromPointer(y);
        if (release) {
            draggingBar_ = false;
            return FinishInput(kReleaseMe | kRepaint);
        }
        return kRepaint;
    }
    if (press) {
        if (ScrollBar().Contains(p)) {
            draggingBar_ = true;
            SetScrollFromPointer(y);
            if (window) window->SetCapture();
            return kCaptureMe | kRepaint;
        }
        if (CloseBox().Contains(p)) {
            ShowNumberedPage(0);
            open_ = false;
            return kRelayout | kRepaint;
        }
        if (BackButton().Contains(p)) {
            Back();
            return kRepaint;
        }
        if (const PageWord* word = WordAt(p); word && word->HasTarget()) {
            // Following the word replaces the words.
            const std::string target = word->target;
            const WordKind kind = word->kind;
            if (kind == WordKind::Script)
                RunScript(target);
            else if (word->IsLink())
                FollowTarget(target);
            return kRelayout | kRepaint;
        }
        if (const InfoEntry* entry = EntryAt(p); entry && entry->stringId > 0) {
            ShowNumberedPage(entry->stringId);
            return kRelayout | kRepaint;
        }
        return 0;
    }
    if (message == kMouseMove) {
        // The page's own words say what is under the pointer: no hover box.
        ShowHoverText({}, {});
        const PageWord* word = WordAt(p);
        const InfoEntry* entry = word ? nullptr : EntryAt(p);
        const bool hand = (word && word->Clickable()) || (entry && entry->stringId > 0);
        if (window) window->SetCursor(hand ? Cursor::Hand : Cursor::Arrow);
        if (word && word->NamesObject()) {
            const std::string target = word->target;
            ShowObject(window, target);
            return kRepaint;
        }
        return 0;
    }
    if (message == kMouseWheel) {
        const int turn = SignExtend16(int(keyFlags >> 16));
        const int notches = turn / 120 != 0 ? turn / 120 : (turn > 0 ? 1 : turn < 0 ? -1 : 0);
        const int scroll = std::clamp(scroll_ - notches * kWheelStepPx, 0, std::max(scrollRange_, 0));
        if (scroll == scroll_) return 0;
        scroll_ = scroll;
        return kRepaint;
    }
    if (message == kKeyUp) return Control::Input(window, message, x, y, keyFlags);
    return 0;
}

bool InfoBrowser::Command(Window* window, int command, ResultFlags& out) {
    if (command == kBackCommand) {
        Back();
        out = kRepaint;
        return true;
    }
    return Control::Command(window, command, out);
}

bool InfoBrowser::RunCommand(const std::string& command, std::string&) {
    const PageReference page = ParsePageReference(command);
    if (page.numbered)
        ShowNumberedPage(page.number);
    else
        ShowNamedPage(page.name);
    return true;
}

}  // namespace vantrel
