#include "items/Control.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "items/ControlServices.h"
#include "items/PictureStore.h"
#include "platform/Window.h"

namespace vantrel {

namespace {
constexpr int kDroppedImageHelpTopic = 620;
}

// Names and keywords compare without regard to case, folding only A to Z.
bool SameWord(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        auto fold = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return i == a.size() && !b[i];
}

bool IsSingleWord(const std::string& text) {
    if (text.empty()) return false;
    for (unsigned char c : text)
        if (std::isspace(c)) return false;
    return true;
}

void Control::SetId(int id) { id_ = id; }
int Control::GetId() const { return id_; }

bool Control::Attach(Item* parent, PictureStore* media, Application* application, int id, int styleId) {
    if (!media || !application || !id || !styleId) {
        attached_ = false;
        return false;
    }
    parent_ = parent;
    media_ = media;
    application_ = application;
    id_ = id;
    styleId_ = styleId;
    const std::string path = Services().SkinImagePath(id);
    if (!path.empty() && !ownImage_ && !media->HasPicture(id)) ownImage_ = media->LoadPicture(id, path) ? 1 : 0;
    pendingCaption_.reset();
    attached_ = true;
    if (parent) parent->AdoptChild(this);
    return true;
}

bool Control::RunCommand(const std::string& command, std::string& answer) {
    if (IsSingleWord(command)) {
        if (SameWord(command, "GetID")) {
            answer = std::to_string(id_);
            return true;
        }
        if (SameWord(command, "GetType")) {
            answer = "UIItem";
            return true;
        }
    }
    answer.clear();
    return false;
}

Control* Control::ResolveName(const std::string&) { return nullptr; }

void Control::DrawContent(DrawContext& dc) {
    if (rect_.IsEmpty()) return;
    Services().PaintControl(*this, dc);
}

int Control::Paint(DrawContext& dc, int, int, int, int, int) {
    if (rect_.IsEmpty()) return 0;
    DrawContent(dc);
    return 1;
}

bool Control::Command(Window* window, int command, ResultFlags& out) {
    // The info browser points at a control with this: it marks itself with
    // the attention frame for the next few paints.
    if (command == kHelpHoverCommand) {
        flashCount_ = kHelpHoverPaints;
        out = kRepaint;
        return true;
    }
    return Services().SkinCommand(*this, window, command, out);
}

ResultFlags Control::Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) {
    ResultFlags result = 0;
    const bool inside = rect_.Contains(x, y);
    const bool ctrl = (keyFlags & kControlHeld) != 0;
    switch (message) {
        case kMouseMove:
            ShowHoverTextById(id_, rect_);
            if (window) window->SetCursor(Cursor::Arrow);
            break;
        case kRightButtonUp:
            if (inside && ctrl) {
                const int chosen = Services().SkinMenu(*this, window);
                if (chosen) {
                    ResultFlags flags = 0;
                    Command(window, chosen, flags);
                    result = kRepaint;
                }
            }
            break;
        case kLeftButtonDoubleClick:
            if (inside && ctrl) {
                ResultFlags flags = 0;
                Command(window, kSkinCaptionCommand, flags);
                result = kRepaint;
            }
            break;
        case kKeyUp:
            if (keyFlags == kVkF1) ShowHelpTopic(id_);
            break;
        case kFilesDropped:
            result = DropFiles(window, keyFlags);
            break;
        default:
            break;
    }
    return FinishInput(result);
}

ResultFlags Control::DropFiles(Window* window, std::uintptr_t dropHandle) {
    if (!window) return 0;
    const auto paths = window->DroppedFiles(std::intptr_t(dropHandle));
    if (paths.empty() || paths.front().empty()) return 0;
    const std::string& path = paths.front();
    // The path is the skin's from now on even if the picture will not load,
    // so that a later start tries it again.
    Services().SetSkinImagePath(id_, path);
    if (media_ && media_->LoadPicture(id_, path)) {
        ownImage_ = 1;
        ShowHelpTopic(kDroppedImageHelpTopic);
        Services().SkinImageLoaded(*this, id_);
    }
    return kRepaint;
}

}  // namespace vantrel
