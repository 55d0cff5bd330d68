// Random edit sequences through the editor's own input, undone and redone
// through its keys: the history must give back every state byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "editor/workspace/EditorIds.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/ProjectFiles.h"
#include "editor/workspace/Workspace.h"
#include "model/clips/History.h"
#include "model/variables/CatalogueIds.h"
#include "tests/model/clips/ClipFixtures.h"
#include "tests/support/ScriptedEditor.h"
#include "values/Messages.h"
#include "values/Stream.h"

namespace vantrel {
namespace {

using testing::AddAt;

std::vector<std::uint8_t> Bytes(Clip& root) {
    MemoryOutStream out;
    root.Save(out);
    return out.bytes;
}

// Where two records part: -1 when they are equal.
long Parting(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return x == a.end() && y == b.end() ? -1 : long(x - a.begin());
}

const MenuEntry* Find(const std::vector<MenuEntry>& entries, const std::string& caption) {
    for (const MenuEntry& entry : entries)
        if (entry.caption == caption) return &entry;
    return nullptr;
}

int Count(const char* variable, int fallback) {
    const char* text = std::getenv(variable);
    return text ? std::max(1, std::atoi(text)) : fallback;
}

constexpr std::uint32_t kZ = kVkA + ('Z' - 'A'), kY = kVkA + ('Y' - 'A');

struct HistoryProperty : testing::ScriptedEditorTest {
    std::mt19937 random{20261209};

    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    ResultFlags Send(std::uint32_t message, Point p, std::uintptr_t flags = 0) {
        return root->Input(&window, message, p.x, p.y, flags);
    }
    Clip* AnyClip() {
        Clip* shown = root->ShownArrangement();
        return shown->ChildCount() ? shown->ChildAt(Roll(shown->ChildCount())) : nullptr;
    }
    Point On(const Clip& clip) {
        const Rect box = Editor().ArrangementEditor().BoxOf(clip);
        return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    void MenuEntryOn(const Clip& clip, const char* caption) {
        platform.menus.answers = {};
        platform.menus.shown.clear();
        Send(kRightButtonUp, On(clip));
        if (platform.menus.shown.empty()) return;
        const MenuEntry* entry = Find(platform.menus.shown.back(), caption);
        if (!entry) return;
        platform.menus.answers = {entry->command};
        platform.dialogs.boxAnswers = {BoxAnswer::Yes};
        platform.dialogs.textAnswers = {std::string("words ") + std::to_string(Roll(1000))};
        Send(kRightButtonUp, On(clip));
        platform.menus.shown.clear();
    }

    // One thing a person does; most are edits, some only look.
    void Act(bool viewToo) {
        Clip* clip = AnyClip();
        switch (Roll(viewToo ? 9 : 7)) {
            case 0:
            case 1:
                if (clip) {
                    const Point from = On(*clip);
                    const Point to{from.x + Roll(161) - 80, from.y + (Roll(3) - 1) * 20};
                    Send(kLeftButtonDown, from, kLeftButtonHeld);
                    Send(kMouseMove, {(from.x + to.x) / 2, (from.y + to.y) / 2}, kLeftButtonHeld);
                    Send(kMouseMove, to, kLeftButtonHeld);
                    Send(kLeftButtonUp, to);
                }
                break;
            case 2:
            case 3: {
                static const char* const kEntries[] = {"Top", "Up", "Down", "Bottom", "Duplicate",
                                                       "Split at Current Time", "Delete", "Change Text"};
                if (clip && root->ShownArrangement()->ChildCount() < 60) MenuEntryOn(*clip, kEntries[Roll(8)]);
                break;
            }
            case 4: {
                ResultFlags out = 0;
                static const int kCommands[] = {kMuteAudioCommand, kMuteVideoCommand, kMakeStartTimeCommand,
                                                kMakeEndTimeCommand};
                root->Command(&window, kCommands[Roll(4)], out);
                break;
            }
            case 5:
                // A key value as a panel sets it, ended as its input ends.
                if (clip) {
                    auto edit = root->Edit();
                    clip->SetValueNow(catalogue_ids::kDestinationRect[std::size_t(Roll(4))], Roll(100) / 100.0);
                    root->FinishInput(kChanged);
                    root->SettleEdits();
                }
                break;
            case 6: Send(kKeyUp, {500, 700}, Roll(2) ? kVkRight : kVkLeft); break;
            case 7:
                Send(kMouseWheel, {500, 600}, (Roll(2) ? std::uintptr_t(kControlHeld) : std::uintptr_t(0)) |
                                                  (std::uintptr_t(std::uint16_t(Roll(2) ? 120 : -120)) << 16));
                break;
            default: Send(kKeyUp, {500, 700}, kVkRight); break;
        }
    }
    void Undo() { Send(kKeyUp, {500, 700}, kZ | kKeyWithControl); }
    void Redo() { Send(kKeyUp, {500, 700}, Roll(2) ? kY | kKeyWithControl : kZ | kKeyWithControl | kKeyWithShift); }

    // Undo all back to the start, redo all to the end; then a random mix.
    void Run(int sequences, const std::function<void()>& reopen) {
        std::size_t recorded = 0;
        for (int s = 0; s < sequences; ++s) {
            if (s % 200 == 0) reopen();
            root->SettleEdits();
            const Snapshot start = TakeSnapshot(*root, nullptr);
            const std::size_t first = root->History().Position();
            const int length = 1 + Roll(50);
            for (int i = 0; i < length; ++i) Act(false);
            const Snapshot end = TakeSnapshot(*root, nullptr);
            const std::size_t steps = root->History().Position() - first;
            recorded += steps;
            for (std::size_t i = 0; i < steps; ++i) Undo();
            // The view (zoom, scroll) is not a step: it stays where the person
            // left it and may differ; everything else is byte for byte.
            ASSERT_TRUE(SameApartFromView(*TakeSnapshot(*root, nullptr), *start)) << "sequence " << s << " undone";
            for (std::size_t i = 0; i < steps; ++i) Redo();
            ASSERT_TRUE(SameApartFromView(*TakeSnapshot(*root, nullptr), *end)) << "sequence " << s << " redone";

            for (int i = 0, mixed = Roll(20); i < mixed; ++i) {
                const int what = Roll(4);
                if (what == 0)
                    Undo();
                else if (what == 1)
                    Redo();
                else
                    Act(true);
            }
            // Whatever the mix left saves and reads back exactly.
            const auto left = Bytes(*root);
            WorkspaceOptions options = Options();
            Workspace other(nullptr, nullptr, nullptr, options);
            MemoryInStream in(left);
            {
                ProjectFolderScope media(root->ProjectPath());
                other.Load(in);
            }
            ASSERT_EQ(Parting(Bytes(other), left), -1) << "sequence " << s << " reloaded";
        }
        // The gestures did edit: most acts of a sequence are steps.
        EXPECT_GT(recorded, std::size_t(sequences) * 3);
    }
};

TEST_F(HistoryProperty, TheExampleProjectComesBackByteForByte) {
    const std::string example = std::string(VANTREL_PROGRAM_DIR) + "/9/samps/example.kwp";
    Run(Count("VANTREL_HISTORY_SEQUENCES", 300), [&] {
        ASSERT_TRUE(OpenProjectFile(*root, example));
        Editor().LayOut(1024, 768);
    });
}

// 100 clips on 10 tracks, each with a video effect and keyed rectangles.
TEST_F(HistoryProperty, AHundredClipsWithEffectsAndKeysComeBackByteForByte) {
    Run(Count("VANTREL_HISTORY_SEQUENCES", 300) / 3, [&] {
        platform.dialogs.boxAnswers = {BoxAnswer::No};
        NewProject(*root);
        auto edit = root->Edit();
        root->SetSize(100000);
        for (int i = 0; i < 100; ++i) {
            Clip* clip = AddAt(*root, i % 3 ? kTextStringType : kGradientType, (i / 10) * 9000, 8000, i % 10);
            clip->AddEffect(EffectKind::kVideo, 103);
            if (Variable* left = clip->Table().ById(catalogue_ids::kDestinationRect[0])) {
                left->SetValueAt(0, 0.1);
                left->SetValueAt(4000, 0.3 + i / 1000.0);
            }
        }
        root->SetView(0, 100000);
        Editor().LayOut(1024, 768);
    });
}

}  // namespace
}  // namespace vantrel
