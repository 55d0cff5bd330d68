#pragma once
#include <array>
#include <optional>
#include <string>

#include "items/Item.h"

namespace vantrel {

// The base of everything shown on screen: an id (caption, help topic, skin
// image key and script "GetID" at once) and a style id for the skin.
class Control : public Item {
public:
    static constexpr int kSkinCaptionCommand = 608;
    static constexpr int kHelpHoverCommand = 359;
    static constexpr int kHelpHoverPaints = 6;

    // Slots 22 .. 27.
    virtual void SetId(int id);
    virtual int GetId() const;
    virtual bool Attach(Item* parent, PictureStore* media, Application* application, int id, int styleId);
    virtual bool RunCommand(const std::string& command, std::string& answer);
    virtual Control* ResolveName(const std::string& name);
    virtual void DrawContent(DrawContext& dc);

    int Paint(DrawContext& dc, int left, int top, int right, int bottom, int flag) override;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;
    bool Command(Window* window, int command, ResultFlags& out) override;

    int StyleId() const { return styleId_; }
    void SetStyleId(int styleId) { styleId_ = styleId; }
    bool IsAttached() const { return attached_; }
    bool HasOwnImage() const { return ownImage_ != 0; }
    void SetOwnImage(bool own) { ownImage_ = own ? 1 : 0; }
    int FlashCount() const { return flashCount_; }
    void SetFlashCount(int count) { flashCount_ = count; }
    int Metric(int index) const { return metrics_[std::size_t(index)]; }
    void SetMetric(int index, int value) { metrics_[std::size_t(index)] = value; }
    enum PressState { kUp = 0, kPressed = 1, kDisabled = 2 };
    int Press() const { return press_; }
    void SetPress(int press) { press_ = press; }
    // A caption shown once instead of the id's text.
    const std::optional<std::string>& PendingCaption() const { return pendingCaption_; }
    void SetPendingCaption(std::optional<std::string> caption) { pendingCaption_ = std::move(caption); }

protected:
    // Metric 0: 3-D edge width; 1: slider knob width; on the root 2: pane gap,
    // 3: layout row height; 4: left to us.
    enum Metrics { kEdgeWidth = 0, kKnobWidth = 1, kPaneGap = 2, kRowHeight = 3 };

    ResultFlags DropFiles(Window* window, std::uintptr_t dropHandle);

    int flashCount_ = 0;
    std::array<int, 5> metrics_{2, 10, 4, 20, 50};
    int press_ = kUp;
    bool attached_ = false;
    int id_ = 0;
    int styleId_ = 0;
    int ownImage_ = 0;
    std::optional<std::string> pendingCaption_;
};

// Parses the one-word commands every control answers.
bool IsSingleWord(const std::string& text);
// Case-insensitive for A to Z only.
bool SameWord(const std::string& a, const char* b);

}  // namespace vantrel
