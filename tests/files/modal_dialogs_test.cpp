#include <gtest/gtest.h>

#include <functional>

#include "files/export_image.h"
#include "files/export_source.h"
#include "files/font_files.h"
#include "charedit/palette.h"
#include "sets/char_tools.h"
#include "toolkit/simulate/simulate.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

struct Opened {
    tk::WindowId window = 0;
    std::string title;
    int dx = 0, dy = 0, width = 0, height = 0;
    bool mainEnabled = true;
};

class ModalDialogsTest : public test::EditorTest {
protected:
    // Runs a dialog entry point, closing its window with the close box as soon
    // as it opens, and tells what was opened.
    Opened RunAndClose(const std::function<void()>& entry) {
        Opened opened;
        tk::SetWindowOpenedHook([&](tk::WindowId w) {
            opened = {w, tk::WindowTitle(w), tk::WindowX(w) - tk::WindowX(s.ui.window),
                      tk::WindowY(w) - tk::WindowY(s.ui.window), tk::WindowWidth(w), tk::WindowHeight(w),
                      tk::WindowEnabled(s.ui.window)};
            tk::Event close;
            close.kind = tk::EventKind::CloseRequest;
            close.window = w;
            tk::PostEvent(close);
        });
        entry();
        tk::SetWindowOpenedHook({});
        return opened;
    }
    void ExpectClosedQuietly(const Opened& opened) {
        ASSERT_NE(opened.window, 0);
        EXPECT_FALSE(opened.mainEnabled);
        EXPECT_FALSE(tk::WindowExists(opened.window));
        EXPECT_TRUE(tk::WindowEnabled(s.ui.window));
        EXPECT_TRUE(tk::ShownRequesters().empty());
    }
};

TEST_F(ModalDialogsTest, SourceExportOpensWhereTheCallerSaysAndClosesQuietly) {
    const Opened opened = RunAndClose([&] { ExportFontDialog(s, 200, 10, 420, 580); });
    ExpectClosedQuietly(opened);
    EXPECT_EQ(opened.title, "Export font as...");
    EXPECT_EQ(opened.dx, 200);
    EXPECT_EQ(opened.dy, 10);
    EXPECT_EQ(opened.width, 420);
    EXPECT_EQ(opened.height, 580);
}

TEST_F(ModalDialogsTest, ImageExportOpensWhereTheCallerSaysAndClosesWithoutWriting) {
    const Opened opened = RunAndClose([&] { ExportImageDialog(s, 100, 100, 570, 330); });
    ExpectClosedQuietly(opened);
    EXPECT_EQ(opened.title, "Export font to image PNG, BMP...");
    EXPECT_EQ(opened.dx, 100);
    EXPECT_EQ(opened.dy, 100);
    EXPECT_EQ(opened.width, 570);
    EXPECT_EQ(opened.height, 330);
}

// Escape closes every dialog as its close box does, whichever control has
// the keyboard.
TEST_F(ModalDialogsTest, EscapeClosesEveryDialog) {
    const std::vector<std::function<void()>> entries = {
        [&] { ExportFontDialog(s, 200, 10, 420, 580); },
        [&] { ExportImageDialog(s, 100, 100, 570, 330); },
        [&] { SaveFontRange(s); },
        [&] { PaletteDialog(s, PF0); },
        [&] { SwapCharsDialog(s); },
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        tk::WindowId opened = 0;
        tk::SetWindowOpenedHook([&](tk::WindowId w) {
            opened = w;
            tk::simulate::SendKey(w, tk::KeyEscape, tk::NoModifier, true);
            tk::simulate::SendKey(w, tk::KeyEscape, tk::NoModifier, false);
        });
        entries[i]();
        tk::SetWindowOpenedHook({});
        ASSERT_NE(opened, 0);
        EXPECT_FALSE(tk::WindowExists(opened));
        EXPECT_TRUE(tk::WindowEnabled(s.ui.window));
        EXPECT_TRUE(tk::ShownRequesters().empty());
    }
}

}  // namespace
}  // namespace qm
