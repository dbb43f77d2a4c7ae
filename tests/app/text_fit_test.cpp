#include <string>
#include <vector>

#include "app/main_event_handler.h"
#include "app/main_loop.h"
#include "core/font_image.h"
#include "core/image.h"
#include "files/import_dialogs.h"
#include "files/atari_program.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

using TextFitTest = test::EditorTest;

// Every window the editor opens shows every text of its controls whole: the
// button and label texts, and every item of its lists.
TEST_F(TextFitTest, EveryControlOfEveryWindowShowsItsWholeText) {
    std::vector<std::string> cut;
    std::vector<std::string> seen;
    const auto check = [&](tk::WindowId window) {
        seen.push_back(tk::WindowTitle(window));
        if (!tk::simulate::TitleFits(window)) cut.push_back("the title " + tk::WindowTitle(window));
        for (tk::ControlId c : tk::Controls(window)) {
            if (tk::simulate::TextFits(c)) continue;
            std::string text = tk::Text(c);
            if (tk::KindOf(c) == tk::ControlKind::DropDown && tk::ItemCount(c) > 0) {
                text = tk::ItemText(c, tk::ItemCount(c) - 1);
            }
            cut.push_back(tk::WindowTitle(window) + ": " + text);
        }
    };
    const auto send = [&](const tk::Event& e) { DispatchEvent(s, e); };

    // The windows that stay open beside the main window.
    send(ControlEvent(s.ui.openViewEditor));
    send(ControlEvent(s.ui.openSetsViewer));
    tk::Event exportView;
    exportView.kind = tk::EventKind::MenuItem;
    exportView.window = s.viewUi.window;
    exportView.menuItem = 10002;  // "Export View..."
    send(exportView);
    tk::PollEvent();
    check(s.ui.window);
    check(s.viewUi.window);
    check(s.viewerUi.window);
    check(s.exportUi.window);

    // The modal dialogs, looked at as they open.
    tk::SetWindowOpenedHook(check);
    for (tk::ControlId opener : {s.ui.exportImage, s.ui.exportSource, s.ui.saveFontRange, s.ui.setColorButton[PF1]}) {
        send(ControlEvent(opener));
    }
    // The imports with their summaries, of a picture that makes them long.
    test::TempDir dir;
    test::WriteBytes(dir.Path("font.png"), EncodePng(RenderFontImage(s.Slot(), s.doc.RegisterRgb, true, 2)));
    tk::QueueFileAnswer(dir.Path("font.png"));
    send(MenuEvent(kMenuImportPicture));
    tk::QueueFileAnswer(test::TestDataPath("fonts/chess.fnt"));
    send(MenuEvent(kMenuImportFontBytes));
    send(MenuEvent(kMenuEmulatorCommand));
    tk::SetWindowOpenedHook({});

    EXPECT_EQ(seen.size(), 11u);
    EXPECT_EQ(cut, std::vector<std::string>{});
}

}  // namespace
}  // namespace qm
