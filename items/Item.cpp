#include "items/Item.h"

#include <algorithm>

#include "items/StringTable.h"
#include "values/TimeMath.h"
#include "platform/Window.h"

namespace vantrel {

Item* Item::Root() {
    Item* item = this;
    while (item->parent_) item = item->parent_;
    return item;
}

const Item* Item::Root() const {
    const Item* item = this;
    while (item->parent_) item = item->parent_;
    return item;
}

// The forwarding operations do their work at the root; a plain item that is
// itself the root has nobody to ask and answers false.
bool Item::ShowHoverText(const std::string& text, const Rect& rect) {
    Item* root = Root();
    return root != this && root->ShowHoverText(text, rect);
}

bool Item::ShowHoverTextById(int stringId, const Rect& rect) {
    Item* root = Root();
    if (root != this) return root->ShowHoverTextById(stringId, rect);
    return ShowHoverText(Str(stringId), rect);
}

int Item::Save(OutStream&) { return 0; }
int Item::Load(InStream&) { return 0; }
int Item::Paint(DrawContext&, int, int, int, int, int) { return 0; }
Rect Item::Arrange(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
bool Item::Command(Window*, int, ResultFlags&) { return false; }
ResultFlags Item::Input(Window*, std::uint32_t, int, int, std::uintptr_t) { return 0; }

ResultFlags Item::FinishInput(ResultFlags flags) {
    if (flags & kReleaseMe) {
        Window* window = Root()->GetWindow();
        if (window) window->ReleaseCapture();
        captured_ = nullptr;
        flags |= kRepaint;
    }
    if (flags & kChanged) {
        changed_ = 1;
        flags |= kRepaint;
    }
    return flags;
}

ResultFlags Item::DispatchToChild(Item* captureKey, Item* child, Window* window, std::uint32_t message, int x,
                                  int y, std::uintptr_t keyFlags) {
    ResultFlags reply = child ? child->Input(window, message, x, y, keyFlags) : 0;
    if (reply & kCaptureMe)
        captured_ = captureKey;
    else if (reply & kReleaseMe)
        captured_ = nullptr;
    return FinishInput(reply);
}

bool Item::AdoptChild(Item*) { return false; }

int Item::ShowHelpTopic(int topic) {
    Item* root = Root();
    if (root != this) root->ShowHelpTopic(topic);
    return topic;
}

ResultFlags Item::SetGlobalTime(std::int32_t time) {
    Root()->SetTime(time);
    return kRepaint;
}

ResultFlags Item::MoveGlobalTime(std::int32_t delta) {
    Item* root = Root();
    root->SetTime(SaturatingAdd(root->Time(), delta));
    return kRepaint;
}

ResultFlags Item::SetTime(std::int32_t parentTime) {
    time_ = LocalTime(parentTime, position_, offset_);
    return kRepaint;
}

int Item::CompareTime(const Item& other) const { return SaturatingSub(time_, other.time_); }

ResultFlags Item::SetSpan(std::int32_t position, std::int32_t size) {
    position_ = std::max(position, 0);
    size_ = std::max(size, 1);
    return kChanged;
}

ResultFlags Item::SetPosition(std::int32_t position) {
    position_ = position;
    return kChanged;
}

std::int32_t Item::GetPosition() const { return position_; }

ResultFlags Item::SetSize(std::int32_t size) {
    size_ = size;
    return kChanged;
}

std::int32_t Item::GetSize() const { return size_; }

Surface* Item::GetSurface() { return nullptr; }

}  // namespace vantrel
