// Writes the bundled example project through the ordinary record writer:
//   build_example_project FOLDER   (FOLDER holds the example's media)
#include <cstdio>
#include <string>

#include "bench/compose/Projects.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: build_example_project FOLDER\n");
        return 2;
    }
    std::string error;
    if (!vantrel::bench::WriteExampleProject(argv[1], error)) {
        std::fprintf(stderr, "build_example_project: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
