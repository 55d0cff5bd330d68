// Writes a project of ten media clips on five tracks (the samples in turn)
// for looking at the arrangement window: arrangement_project OUT.kwp SAMPLES
#include <cstdio>

#include "editor/workspace/ProjectFiles.h"
#include "editor/workspace/Workspace.h"
#include "bench/editor/arrangement/ArrangementFixture.h"

int main(int argc, char** argv) {
    using namespace vantrel;
    if (argc != 3) {
        std::fprintf(stderr, "usage: arrangement_project OUT.kwp SAMPLES_FOLDER\n");
        return 2;
    }
    const std::string samples = std::string(argv[2]) + "/";
    WorkspaceOptions options;
    options.startWorker = false;
    Workspace root(nullptr, nullptr, nullptr, options);
    bench::FillArrangement(root, 10, 5, 5000, 1000,
                           {samples + "backdrop.avi", samples + "chime.wav", samples + "sunrise.jpg",
                            samples + "chord.wav", samples + "life.mp4", samples + "disc.png"});
    std::string error;
    if (!WriteProjectFile(root, argv[1], error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%d clips on %d tracks\n", root.ChildCount(), root.TrackCount());
    return 0;
}
