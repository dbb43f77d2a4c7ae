#include "support/editor_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/startup.h"

namespace qm::test {

void EditorTest::SetUp() {
    tk::DiscardEvents();
    tk::ClearScript();
    StartUp(s);
    tk::DiscardEvents();
}

void EditorTest::TearDown() {
    tk::SetWindowOpenedHook({});
    CloseAllWindows(s);
    tk::DiscardEvents();
    tk::ClearScript();
}

tk::Event EditorTest::CanvasEvent(tk::ControlId canvas, int x, int y, int buttons, tk::SubKind subKind) const {
    tk::Event e;
    e.kind = tk::EventKind::Control;
    e.window = tk::WindowOf(canvas);
    e.control = canvas;
    e.subKind = subKind;
    e.mouseX = x;
    e.mouseY = y;
    e.buttons = buttons;
    return e;
}

tk::Event EditorTest::ControlEvent(tk::ControlId control, tk::SubKind subKind) const {
    tk::Event e;
    e.kind = tk::EventKind::Control;
    e.window = tk::WindowOf(control);
    e.control = control;
    e.subKind = subKind;
    return e;
}

tk::Event EditorTest::MenuEvent(int item) const {
    tk::Event e;
    e.kind = tk::EventKind::MenuItem;
    e.window = s.ui.window;
    e.menuItem = item;
    return e;
}

tk::Event EditorTest::KeyEvent(tk::EventKind kind, int key) const {
    tk::Event e;
    e.kind = kind;
    e.window = s.ui.window;
    e.key = key;
    return e;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
    root_ = mkdtemp(pattern.data()) ? pattern : std::string();
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
}

std::string TempDir::Path(const std::string& name) const { return root_ + "/" + name; }

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string TestDataPath(const std::string& relative) { return std::string(QUILLMERE_TESTDATA) + "/" + relative; }

}  // namespace qm::test
