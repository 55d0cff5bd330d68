// Writes the bundled example project through the ordinary record writer:
//   build_example_project FOLDER   (FOLDER holds the example's media)
// or, with --w1 SECONDS, the W1 workload's project and media into FOLDER.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/compose/Projects.h"

int main(int argc, char** argv) {
    std::string error;
    if (argc == 4 && std::string(argv[2]) == "--w1") {
        const std::string project = vantrel::bench::WriteW1Project(argv[1], std::atoi(argv[3]), error);
        if (project.empty()) {
            std::fprintf(stderr, "build_example_project: %s\n", error.c_str());
            return 1;
        }
        std::printf("%s\n", project.c_str());
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: build_example_project FOLDER [--w1 SECONDS]\n");
        return 2;
    }
    if (!vantrel::bench::WriteExampleProject(argv[1], error)) {
        std::fprintf(stderr, "build_example_project: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
