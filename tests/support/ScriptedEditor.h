#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/Workspace.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel::testing {

// The scripted editor the editor's tests drive: a root on a scripted
// 1024 x 768 window, with scripted dialogs and menus and without a worker
// thread (the tests run the preview themselves when they need one).
// Fixtures that need other options or a larger window set them in their
// SetUp and call Open themselves.
class ScriptedEditorTest : public ::testing::Test {
protected:
    ScopedDialogs platform;
    ScriptedWindow window;
    std::unique_ptr<Workspace> root;

    static WorkspaceOptions Options() {
        WorkspaceOptions options;
        options.startWorker = false;
        return options;
    }
    void Open(WorkspaceOptions options = Options()) {
        root = std::make_unique<Workspace>(nullptr, &window, nullptr, std::move(options));
    }
    void SetUp() override { Open(); }
    EditorWindow& Editor() { return root->Editor(); }
};

}  // namespace vantrel::testing
