// The history of edits at the loader's limit: 256 media clips over the W1
// media, each with a video effect and keyed rectangles. Prints the time to
// record one step after a small edit, to undo and to redo one, and the
// memory 1000 small steps hold, for that project and for the example.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/compose/Projects.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "model/variables/CatalogueIds.h"

using namespace vantrel;

namespace {
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

struct Figures {
    double median, worst;
};
Figures Of(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

long RssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// One small edit: a key value of one clip.
void SmallEdit(Workspace& root, std::mt19937& random) {
    auto edit = root.Edit();
    Clip* clip = root.ChildAt(std::uniform_int_distribution<int>(0, root.ChildCount() - 1)(random));
    clip->SetValueNow(catalogue_ids::kDestinationRect[0], std::uniform_real_distribution<double>(0, 0.5)(random));
}

void Measure(const char* name, Workspace& root) {
    std::mt19937 random(7);
    root.SettleEdits();
    std::vector<double> record, undo, redo;
    for (int i = 0; i < 200; ++i) {
        SmallEdit(root, random);
        const auto start = Clock::now();
        root.SettleEdits();
        record.push_back(Ms(start));
    }
    for (int i = 0; i < 100; ++i) {
        auto start = Clock::now();
        root.UndoEdit();
        undo.push_back(Ms(start));
        start = Clock::now();
        root.RedoEdit();
        redo.push_back(Ms(start));
    }
    const long rssBefore = RssKb();
    const std::size_t before = root.History().MemoryBytes();
    for (int i = 0; i < 1000; ++i) {
        SmallEdit(root, random);
        root.SettleEdits();
    }
    const Figures r = Of(record), u = Of(undo), d = Of(redo);
    std::printf("%-14s %3d clips  record %6.2f ms (worst %6.2f)  undo %6.2f ms (worst %6.2f)  redo %6.2f ms "
                "(worst %6.2f)  1000 steps: history +%.2f MB, peak RSS +%.1f MB, %zu steps kept\n",
                name, root.ChildCount(), r.median, r.worst, u.median, u.worst, d.median, d.worst,
                double(root.History().MemoryBytes() - before) / (1 << 20), double(RssKb() - rssBefore) / 1024,
                root.History().StepCount());
}

}  // namespace

int main() {
    std::string error;
    const std::string folder = bench::W1Folder();
    if (bench::WriteW1Project(folder, 10, error).empty()) {
        std::printf("the W1 media cannot be made: %s\n", error.c_str());
        return 1;
    }
    WorkspaceOptions options;
    options.startWorker = false;
    {
        Workspace root(nullptr, nullptr, nullptr, options);
        root.State()->SetAsksForMissingMedia(false);
        if (!OpenProjectFile(root, std::string(VANTREL_PROGRAM_DIR) + "/9/samps/example.kwp"))
            std::printf("example: does not open\n");
        else
            Measure("example", root);
    }
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    for (int i = 0; i < 256; ++i) {
        const int n = i % 4;
        const std::string media = folder + (i % 8 < 4 ? "/w1-video" : "/w1-audio") + std::to_string(n) + "-10" +
                                  (i % 8 < 4 ? ".avi" : ".wav");
        Clip* clip = ImportFile(root, nullptr, media, (i / 8) * 5000);
        if (!clip) {
            std::printf("cannot import %s\n", media.c_str());
            return 1;
        }
        auto edit = root.Edit();
        if (clip->HasVideo()) clip->AddEffect(EffectKind::kVideo, 103);
        if (Variable* left = clip->Table().ById(catalogue_ids::kDestinationRect[0])) {
            left->SetValueAt(0, 0.1);
            left->SetValueAt(2000, 0.2 + i / 1000.0);
        }
    }
    Measure("256 clips", root);
    return 0;
}
