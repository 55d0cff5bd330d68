// The root's output size, and the commands beyond the project's: make
// bounds, output format and rate menus, clip information, and copying or
// saving pictures.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "items/MenuList.h"
#include "items/StringTable.h"
#include "editor/workspace/EditorIds.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "controls/BitmapFile.h"
#include "media/sources/ClipInfo.h"
#include "media/sources/MediaOpen.h"
#include "platform/Platform.h"
#include "platform/System.h"

namespace vantrel {

namespace {
constexpr std::array kVideoFormats = {80, 488, 489, 81, 82, 639, 640, 820, 821, 822, 823, 824, 825, 826, 827};
constexpr std::array kFrameRates = {128, 129, 132, 133, 134, 830, 831, 832, 833, 834, 835, 836, 837};
constexpr int kSavePictureDialogKey = kSaveCompositeCommand;
}  // namespace

ResultFlags SetMakeBoundToTime(Workspace& root, bool end) {
    const std::int32_t now = root.Time();
    // A strip never runs backwards: a bound set past the other takes it along.
    if (end)
        root.SetMakeRange(std::min(root.MakeStart(), now), now);
    else
        root.SetMakeRange(now, std::max(root.MakeEnd(), now));
    return kChanged | kRepaint;
}

bool Workspace::SetOutputSizeOrDefault(int id) {
    auto allocate = [this](int size) {
        if (!options_.hooks.allocateOutput) return true;
        state_.WaitWorkerIdle();
        return options_.hooks.allocateOutput(*this, size);
    };
    if (FindOutputSize(id)) {
        if (SetOutputSizeId(id) && allocate(id)) return true;
    } else if (SetOutputSizeId(kDefaultOutputSize) && allocate(kDefaultOutputSize)) {
        return true;
    }
    // Ending the program here would lose the project; the smallest common
    // size keeps it editable, and the user learns why the size did not take.
    SetOutputSizeId(kDefaultOutputSize);
    if (id != kDefaultOutputSize) allocate(kDefaultOutputSize);
    ShowErrorBox(*this, "The output size \"" + Str(FindOutputSize(id) ? id : kDefaultOutputSize) +
              "\" cannot be set: there is not enough memory for its pictures.\nThe output stays at \"" +
              Str(kDefaultOutputSize) + "\".");
    return false;
}

bool ChooseVideoFormat(Workspace& root, Window* window) {
    const int chosen = ShowIdMenu(window, kVideoFormats);
    if (!chosen) return false;
    root.State()->WaitWorkerIdle();
    return root.SetOutputSizeOrDefault(chosen);
}

bool ChooseFrameRate(Workspace& root, Window* window) {
    const int chosen = ShowIdMenu(window, kFrameRates);
    return chosen && root.SetFrameRateId(chosen);
}

std::string TimeGridText(const Clip& arrangement, int id) {
    const TimeGridSettings& grid = arrangement.Grid().Settings();
    char value[32];
    switch (id) {
        case kBeatsPerMinuteField: std::snprintf(value, sizeof value, "%g", grid.beatsPerMinute); break;
        case kUnitsPerBarField: std::snprintf(value, sizeof value, "%d", grid.unitsPerBar); break;
        case kUnitSizeField: std::snprintf(value, sizeof value, "%d", grid.unitSize); break;
        case kQuantizeField: {
            const char* mode = QuantizeModeName(grid.quantizeMode);
            return mode ? mode : Str(kQuantizeField);
        }
        default: return Str(id);
    }
    return Str(id) + "  " + value;
}

ResultFlags AskTimeGridSetting(Workspace& root, Window* window, int id) {
    Clip& arrangement = *root.ShownArrangement();
    TimeGridSettings grid = arrangement.Grid().Settings();
    if (id == kQuantizeField) {
        std::vector<std::string> modes;
        for (int mode = 0; mode < kQuantizeModeCount; ++mode) modes.emplace_back(QuantizeModeName(mode));
        const std::optional<int> chosen = ShowTextMenu(window, modes);
        if (!chosen) return 0;
        grid.quantizeMode = *chosen;
    } else {
        if (!Platform().dialogs) return 0;
        const std::string current = TimeGridText(arrangement, id);
        const auto answer = Platform().dialogs->TextEntry(window, Str(id), Str(id), current.substr(current.rfind(' ') + 1));
        double value = 0;
        if (!answer || std::sscanf(answer->c_str(), "%lf", &value) != 1 || !std::isfinite(value)) return 0;
        // A tempo of none or a bar of no units would make the unit nothing.
        if (id == kBeatsPerMinuteField) {
            if (value <= 0 || value > 10000) return 0;
            grid.beatsPerMinute = value;
        } else {
            if (value < 1 || value > 1024) return 0;
            (id == kUnitsPerBarField ? grid.unitsPerBar : grid.unitSize) = std::int32_t(value);
        }
    }
    if (grid == arrangement.Grid().Settings()) return 0;
    arrangement.Grid().SetSettings(grid);
    return kChanged | kRepaint;
}

bool ShowClipInfo(Workspace& root, Window* window) {
    if (!Platform().dialogs) return false;
    const Clip* clip = root.CurrentChild() ? root.CurrentChild() : &root;
    MessageBoxRequest request;
    request.text = ClipInfoText(clip->Name(), clip->Source());
    request.caption = Str(kClipInfoCommand);
    request.icon = BoxIcon::Information;
    request.buttons = BoxButtons::Ok;
    Platform().dialogs->MessageBox(window, request);
    return true;
}

const Surface* Workspace::CompositePicture() {
    if (options_.hooks.finishedFrame)
        if (const Surface* frame = options_.hooks.finishedFrame(*this); frame && !frame->IsEmpty()) return frame;
    return preview_.IsEmpty() ? nullptr : &preview_;
}

// Nothing without an arrangement with children or without a picture.
static const Surface* PictureFor(Workspace& root, bool composite) {
    if (!root.IsArrangement() || root.ChildCount() == 0) return nullptr;
    if (composite) return root.CompositePicture();
    const Clip* current = root.CurrentChild();
    const Surface* picture = current ? current->Picture() : nullptr;
    return picture && !picture->IsEmpty() ? picture : nullptr;
}

bool CopyPicture(Workspace& root, bool composite) {
    root.State()->WaitWorkerIdle();
    const Surface* picture = PictureFor(root, composite);
    return picture && Platform().clipboard && Platform().clipboard->SetImage(*picture);
}

bool SavePicture(Workspace& root, Window* window, bool composite) {
    root.State()->WaitWorkerIdle();
    const Surface* picture = PictureFor(root, composite);
    if (!picture || !Platform().dialogs) return false;
    FileDialogRequest request;
    request.title = Str(composite ? kSaveCompositeCommand : kSaveSourceFrameCommand);
    request.filters = {{"Bitmap (*.bmp)", "*.bmp"}};
    request.folder = root.Folders().Folder(kSavePictureDialogKey).value_or(FolderOf(root.ProjectPath()));
    request.askBeforeReplace = true;
    const auto path = Platform().dialogs->SaveFile(window, request);
    if (!path || path->empty()) return false;
    root.Folders().Remember(kSavePictureDialogKey, *path);
    const std::string forced = ForceExtension(*path, ".bmp");
    if (SaveBitmapFile(*picture, forced)) return true;
    ShowErrorBox(root, "The picture could not be saved to\n\"" + forced + "\".");
    return false;
}

ResultFlags ProgramCommand(Workspace& root, Window* window, int command) {
    ResultFlags out = 0;
    if (root.Options().programCommand) root.Options().programCommand(window, command, out);
    return out;
}

}  // namespace vantrel
