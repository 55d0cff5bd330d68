#pragma once
#include <cstdint>
#include <string>

#include "values/Messages.h"
#include "values/Rect.h"
#include "items/ResultFlags.h"

namespace vantrel {

class Application;
class DrawContext;
class InStream;
class OutStream;
class PictureStore;
class Surface;
class Window;

// The base of every element of the editor. The virtual operations keep their
// slot order; the tree is held together by parent references only.
class Item {
public:
    Item() = default;
    virtual ~Item() = default;
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    // Slots 0 .. 21.
    virtual bool ShowHoverText(const std::string& text, const Rect& rect);
    virtual bool ShowHoverTextById(int stringId, const Rect& rect);
    virtual int Save(OutStream& file);
    virtual int Load(InStream& file);
    virtual int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag);
    virtual Rect Arrange(int left, int top, int right, int bottom);
    virtual bool Command(Window* window, int command, ResultFlags& out);
    virtual ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags);
    virtual ResultFlags FinishInput(ResultFlags flags);
    virtual ResultFlags DispatchToChild(Item* captureKey, Item* child, Window* window, std::uint32_t message,
                                        int x, int y, std::uintptr_t keyFlags);
    virtual bool AdoptChild(Item* child);
    virtual int ShowHelpTopic(int topic);
    virtual ResultFlags SetGlobalTime(std::int32_t time);
    virtual ResultFlags MoveGlobalTime(std::int32_t delta);
    virtual ResultFlags SetTime(std::int32_t parentTime);
    virtual int CompareTime(const Item& other) const;
    virtual ResultFlags SetSpan(std::int32_t position, std::int32_t size);
    virtual ResultFlags SetPosition(std::int32_t position);
    virtual std::int32_t GetPosition() const;
    virtual ResultFlags SetSize(std::int32_t size);
    virtual std::int32_t GetSize() const;
    virtual Surface* GetSurface();

    // The root is the item reached by following parents until there is none.
    Item* Root();
    const Item* Root() const;
    bool IsRoot() const { return parent_ == nullptr; }

    Item* Parent() const { return parent_; }
    void SetParent(Item* parent) { parent_ = parent; }
    Window* GetWindow() const { return window_; }
    void SetWindow(Window* window) { window_ = window; }
    PictureStore* Media() const { return media_; }
    void SetMedia(PictureStore* media) { media_ = media; }
    Application* App() const { return application_; }
    void SetApp(Application* application) { application_ = application; }

    std::int32_t Time() const { return time_; }
    void SetTimeValue(std::int32_t time) { time_ = time; }
    std::int32_t Offset() const { return offset_; }
    void SetOffset(std::int32_t offset) { offset_ = offset; }
    const Rect& Rectangle() const { return rect_; }
    void SetRectangle(const Rect& rect) { rect_ = rect; }
    Item* CapturedChild() const { return captured_; }
    void SetCapturedChild(Item* child) { captured_ = child; }
    bool IsChanged() const { return changed_ != 0; }
    void SetChanged(bool changed) { changed_ = changed ? 1 : 0; }

protected:
    int changed_ = 1;
    Window* window_ = nullptr;
    Item* parent_ = nullptr;
    std::int32_t time_ = 0;
    std::int32_t position_ = 0;
    std::int32_t size_ = 10000;
    Rect rect_{};
    Item* captured_ = nullptr;
    PictureStore* media_ = nullptr;
    Application* application_ = nullptr;
    std::int32_t offset_ = 0;
};

}  // namespace vantrel
