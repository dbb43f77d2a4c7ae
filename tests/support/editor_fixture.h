#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/editor_state.h"

namespace qm::test {

// A fresh editor after start-up (main window built, slot 1 holding the standard
// set), with scripted requesters and an empty event queue.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A canvas event of the main window: sub-kind, position and buttons held.
    tk::Event CanvasEvent(tk::ControlId canvas, int x, int y, int buttons,
                          tk::SubKind subKind = tk::SubKind::Other) const;
    tk::Event ControlEvent(tk::ControlId control, tk::SubKind subKind = tk::SubKind::LeftClick) const;
    tk::Event MenuEvent(int item) const;
    tk::Event KeyEvent(tk::EventKind kind, int key) const;

    EditorState s;
};

// A folder of its own under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string Path(const std::string& name) const;
    const std::string& Root() const { return root_; }

private:
    std::string root_;
};

std::vector<unsigned char> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::string TestDataPath(const std::string& relative);

}  // namespace qm::test
