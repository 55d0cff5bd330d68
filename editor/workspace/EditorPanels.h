#pragma once
#include <functional>

#include "items/Control.h"
#include "editor/workspace/WorkspaceLayout.h"
#include "editor/panels/CurveView.h"
#include "editor/panels/EffectListView.h"
#include "editor/panels/ParameterPanel.h"
#include "editor/panels/RectanglePanel.h"

namespace vantrel {

class Clip;
class Workspace;

// The editing panels of the current clip, in the panes the layout gives
// them: the effect list over the parameter panel (right of the clip's
// picture), the two rectangle panels (below the picture) and the curve
// view of the current variable (the info browser's pane while the browser
// is closed). The targets are read from the tree again before every
// paint and every input, so no panel outlives what it edits.
//
// The parameter panel edits the clip's current effect of the list shown
// (video or audio), or the clip itself when it has none; the list's first
// row stands for the clip. The first rectangle panel edits the clip's
// destination rectangle (its caption switches it to the source rectangle),
// the second the current effect's rectangle, or the clip's source
// rectangle when the effect has none.
class EditorPanels : public Control {
public:
    explicit EditorPanels(Workspace& root);

    // Whether a layout region is one of the panels'.
    static bool Holds(int region);
    void Place(const LayoutResult& layout);
    void PaintPanels(DrawContext& dc);
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keyFlags) override;

    // -- commands -------------------------------------------------------------
    ResultFlags AddEffectByMenu(Window* window, bool video);
    ResultFlags AddEffect(bool video, int type);
    ResultFlags ShowList(bool audio);
    ResultFlags RemoveCurrentEffect();
    ResultFlags MoveCurrentEffect(int direction);
    bool ShowsAudio() const { return audio_; }
    // The clip the panels edit: the current child, else the root.
    Clip& EditedClip() const;
    VariableOwner* CurrentEffect() const;
    // Brings every panel's target up to date with the tree.
    void Sync();

    ParameterPanel& Parameters() { return parameters_; }
    RectanglePanel& FirstRectangle() { return first_; }
    RectanglePanel& SecondRectangle() { return second_; }
    CurveView& Curve() { return curve_; }
    EffectListView& List() { return list_; }

private:
    ResultFlags ListMenu(Window* window);
    Control* PanelAt(int x, int y);

    Workspace& root_;
    ParameterPanel parameters_;
    RectanglePanel first_, second_;
    CurveView curve_;
    EffectListView list_;
    bool audio_ = false;
    bool firstShowsSource_ = false;
};

}  // namespace vantrel
