#pragma once
#include <optional>
#include <string>
#include <vector>

#include "values/Colour.h"

namespace vantrel {

class Window;

enum class BoxIcon { None, Information, Question, Warning, Error };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxAnswer { None, Ok, Cancel, Yes, No };

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
    BoxAnswer defaultButton = BoxAnswer::None;  // None: the first button
};

struct FileFilter {
    std::string description;  // "Vantrel Project"
    std::string patterns;     // "*.kwp" or "*.jpg;*.png"
};

struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;
    std::string folder;         // start folder; empty for the current one
    std::string fileName;       // proposed name
    std::string defaultSuffix;  // without the dot
    bool mustExist = false;
    bool askBeforeReplace = false;
};

// What the core may ask of the user. Every method is modal.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual BoxAnswer MessageBox(Window* owner, const MessageBoxRequest& request) = 0;
    virtual std::optional<std::string> OpenFile(Window* owner, const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(Window* owner, const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> TextEntry(Window* owner, const std::string& title,
                                                 const std::string& prompt,
                                                 const std::string& initial) = 0;
    virtual std::optional<Colour> ChooseColour(Window* owner, Colour initial) = 0;
    // The desktop's font chooser, opened at the typeface and point size
    // given: the family chosen, nothing when cancelled; `pointSize` comes
    // back as chosen.
    virtual std::optional<std::string> ChooseTypeface(Window* owner, const std::string& initial, int& pointSize) {
        (void)owner, (void)initial, (void)pointSize;
        return std::nullopt;
    }
};

}  // namespace vantrel
