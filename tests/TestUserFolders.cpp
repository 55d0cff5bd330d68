// Linked into every test binary: whatever a test saves as the user's lands in
// the build folder, never in the home of whoever runs the tests. Set before
// main, so that programs the tests start inherit it too.
#include <cstdlib>

namespace {
const bool kUserFoldersSet = [] {
    ::setenv("XDG_CONFIG_HOME", VANTREL_TEST_HOME "/config", 1);
    ::setenv("XDG_DATA_HOME", VANTREL_TEST_HOME "/data", 1);
    ::setenv("XDG_STATE_HOME", VANTREL_TEST_HOME "/state", 1);
    return true;
}();
}  // namespace
