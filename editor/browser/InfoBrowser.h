#pragma once
#include <functional>
#include <string>
#include <vector>

#include "items/Control.h"
#include "editor/browser/PageText.h"

namespace vantrel {

class DrawContext;

// The help and information viewer: pages of word markup from the program's
// page folder (the user's refreshed or edited copies first), with links,
// editor objects that light up, script links, and under a topic page its
// sub topics, related topics and a variable's figures.
class InfoBrowser final : public Control {
public:
    static constexpr int kHomePage = 591;        // "Help Home"
    static constexpr int kBackCommand = 642;     // "Back"
    static constexpr int kNamedPageId = 444;     // id and style while a named page shows
    static constexpr int kBackgroundImage = 593; // "Help Background Image"
    static constexpr int kPointSize = 15;

    // What the browser does outside itself; tests replace these.
    struct Outside {
        // Opens a file with the user's default program (the shell's "open").
        std::function<bool(const std::string& path)> open;
        // The language number of the pages.
        std::function<int()> language;
        // True while pages must not be refreshed from the member area.
        std::function<bool()> refreshOff;
        // Where Surf pages and shortcut files go ("VantrelSurf/").
        std::function<std::string()> surfFolder;
        // Whether the start page greets the user (a preference).
        std::function<bool()> startPageWanted;
        // Whether a member area is configured. When one is not, "Help Home"
        // opens the shipped home page instead of the page of its links;
        // without this the generated page shows.
        std::function<bool()> memberArea;
        // Called while a script from a page runs, now and then between its
        // statements and in its waits: the editor shows what the script
        // did so far (a tutorial's imports appear as they happen).
        std::function<void()> scriptMoment;
    };

    InfoBrowser();
    void SetOutside(Outside outside) { outside_ = std::move(outside); }
    const Outside& GetOutside() const { return outside_; }

    // -- pages -----------------------------------------------------------------
    void ShowNumberedPage(int number);
    void ShowNamedPage(const std::string& name);
    void ShowHomePage() { ShowNumberedPage(kHomePage); }
    static constexpr int kWheelStepPx = 48;  // one notch of the wheel
    // Page 215 at start-up and after a project is loaded, when wanted; it
    // takes the place of the page shown instead of growing the history.
    void ShowStartPage();
    static constexpr int kStartPage = 215;
    void Back();
    // After a language change: the page shown is shown again from the new
    // language's folder (a numbered page, or a named one in a language's
    // folder); the history keeps its length.
    void LanguageChanged();
    // The next navigation takes the place of the page shown.
    void SetReplace(bool replace) { history_.SetReplace(replace); }
    // Follows a link target: mail and web addresses through the shell,
    // numbered and named pages here.
    void FollowTarget(const std::string& target);
    // "Edit": the current page's file in the user's data folder, made from
    // the shipped page or a placeholder when missing, opened with the shell.
    // The path opened, or empty.
    std::string EditCurrentPage();
    void SetVariableFigures(const VariableFigures& figures) { figures_ = figures; }
    TopicTable& Topics() { return topics_; }

    // -- state -----------------------------------------------------------------
    bool IsOpen() const { return open_; }
    // What the Workspace asks before it gives the browser its pane.
    bool Shown() const { return open_ && !history_.Empty(); }
    const PageHistory& History() const { return history_; }
    const std::string& PageText() const { return pageText_; }
    const std::vector<PageWord>& Words() const { return words_; }
    const std::vector<InfoEntry>& Entries() const { return entries_; }
    int ScrollPosition() const { return scroll_; }
    int ScrollRange() const { return scrollRange_; }
    std::string Title() const;
    // The text area inside the panel, in the panel's coordinates.
    Rect TextArea() const;
    Rect CloseBox() const;
    Rect BackButton() const;
    Rect ScrollBar() const;
    // Measures and places the words and entries for the current rectangle.
    void LayOut(DrawContext& dc);

    // -- item ------------------------------------------------------------------
    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    bool Command(Window* window, int command, ResultFlags& out) override;
    // The page reference of scripts: "12", "#12" or a file name.
    bool RunCommand(const std::string& command, std::string& answer) override;

private:
    void Navigate(const std::string& name, int number);
    void LoadPage();
    std::string ReadPage(const std::string& name);
    void Refresh(const std::string& relative);
    int Language() const;
    void RunScript(const std::string& name);
    void ShowObject(Window* window, const std::string& name);
    void SetScrollFromPointer(int y);
    const PageWord* WordAt(Point p) const;
    const InfoEntry* EntryAt(Point p) const;

    Outside outside_;
    PageHistory history_;
    TopicTable topics_;
    VariableFigures figures_;
    std::string pageText_;
    std::vector<PageWord> words_;
    std::vector<InfoEntry> entries_;
    int scroll_ = 0, scrollRange_ = 0;
    bool open_ = false;
    bool draggingBar_ = false;
};

}  // namespace vantrel
