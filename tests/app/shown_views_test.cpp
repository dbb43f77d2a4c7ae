// After any sequence of edits the screen shows of every canvas what its
// surface holds, so repainting only what changed leaves no old pixels; and
// every surface holds what it did when every view was drawn each time, so a
// view skipped as unchanged is never one whose inputs changed.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "charedit/font_sheet.h"
#include "sets/char_tools.h"
#include "sets/sets_viewer.h"
#include "sets/view_editor.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

void FillSetsAndView(EditorState& e) {
    for (int set = 1; set <= 12; ++set) {
        for (int cell = 0; cell < kSetCells; cell += 2) e.doc.SetTable[set].cells[cell] = (set * 7 + cell) % kCharCount;
    }
    for (int y = 0; y < kViewRows; y += 3) {
        for (int x = 0; x < kViewColumns; ++x) e.doc.ViewScreen[y][x] = (x + y) % kCharCount;
    }
    e.CurrentChar = 65;
}

std::vector<tk::ControlId> Canvases(const EditorState& e) {
    std::vector<tk::ControlId> canvases;
    for (tk::WindowId w : {e.ui.window, e.viewerUi.window, e.viewUi.window}) {
        if (w == 0 || !tk::WindowExists(w)) continue;
        for (tk::ControlId c : tk::Controls(w)) {
            if (tk::KindOf(c) == tk::ControlKind::Canvas) canvases.push_back(c);
        }
    }
    return canvases;
}

int Mismatches(const tk::Surface& a, int ax, int ay, const tk::Surface& b, int bx, int by, int width, int height) {
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) wrong += a.Pixel(ax + x, ay + y) != b.Pixel(bx + x, by + y);
    }
    return wrong;
}

// Two editors take the same edits: the one under test as the program runs,
// and a twin that forgets before every event what its views were drawn from,
// so it draws them all as the program did before views could be skipped.
class ShownViewsTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        StartUp(twin);
        for (EditorState* e : {&s, &twin}) {
            OpenSetsViewer(*e);
            OpenViewEditor(*e);
            FillSetsAndView(*e);
            RedrawAll(*e);
        }
        tk::DiscardEvents();
    }
    void TearDown() override {
        CloseAllWindows(twin);
        EditorTest::TearDown();
    }

    void Send(EditorState& e, const tk::Event& event) {
        if (&e == &twin) twin.drawn = {};
        DispatchEvent(e, event);
    }
    tk::Event At(tk::ControlId canvas, int x, int y, int buttons, tk::SubKind kind = tk::SubKind::Other) const {
        return CanvasEvent(canvas, x, y, buttons, kind);
    }
    void Click(EditorState& e, tk::ControlId c) { Send(e, ControlEvent(c)); }
    void Menu(EditorState& e, int item) {
        tk::Event menu = MenuEvent(item);
        menu.window = e.ui.window;
        Send(e, menu);
    }
    void Tick(EditorState& e, tk::ControlId box) {
        tk::SetChecked(box, !tk::IsChecked(box));
        Click(e, box);
    }
    void Stroke(EditorState& e, std::mt19937& rng, tk::ControlId canvas, int width, int height) {
        const int buttons = std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? tk::ButtonRight : tk::ButtonLeft;
        std::uniform_int_distribution<int> x(0, width - 1), y(0, height - 1);
        int px = x(rng), py = y(rng);
        for (int i = 0; i < 12; ++i) {
            Send(e, At(canvas, px, py, buttons));
            px = std::clamp(px + std::uniform_int_distribution<int>(-15, 15)(rng), 0, width - 1);
            py = std::clamp(py + std::uniform_int_distribution<int>(-15, 15)(rng), 0, height - 1);
        }
    }

    // One edit as the user makes it, through the dispatcher; returns what it
    // was. The same generator state gives the same edit in either editor.
    std::string RandomEdit(EditorState& e, std::mt19937& rng) {
        const MainWindowUi& ui = e.ui;
        std::uniform_int_distribution<int> any(0, 1 << 20);
        switch (any(rng) % 19) {
            case 0: Stroke(e, rng, ui.charEditor, 240, 240); return "paint the character";
            case 1: Stroke(e, rng, ui.largeSetView, 400, 400); return "paint over the set";
            case 2:
                Send(e, At(ui.fontSheet, any(rng) % 543, any(rng) % 135, 0, tk::SubKind::LeftClick));
                return "choose a character";
            case 3: {
                const int buttons[] = {tk::ButtonLeft, tk::ButtonRight, tk::ButtonMiddle};
                Send(e, At(ui.smallSetView, any(rng) % 80, any(rng) % 80, buttons[any(rng) % 3]));
                return "put a character in the set";
            }
            case 4: Click(e, ui.modeSwitch); return "switch the display mode";
            case 5: {
                const tk::ControlId option = any(rng) % 2 ? ui.maskMode : ui.normalMode;
                tk::SetChecked(option, true);
                Click(e, option);
                return "choose the layer mode";
            }
            case 6: Click(e, any(rng) % 3 ? ui.nextSlot : ui.previousSlot); return "step the slot";
            case 7: Click(e, any(rng) % 2 ? ui.nextSet : ui.previousSet); return "step the set";
            case 8: {
                const tk::ControlId buttons[] = {ui.rotate, ui.hMirror, ui.vMirror, ui.shiftLeft, ui.shiftUp,
                                                 ui.inverse, ui.clear,  ui.charCopy, ui.charPaste};
                Click(e, buttons[any(rng) % 9]);
                return "transform the character";
            }
            case 9: {
                tk::Rect shown;
                tk::simulate::ShownCanvas(e.viewUi.canvas, shown);
                Stroke(e, rng, e.viewUi.canvas, shown.width, shown.height);
                return "place on the view screen";
            }
            case 10: Tick(e, any(rng) % 2 ? e.viewUi.gridBox : e.viewUi.setDrawBox); return "tick a view box";
            case 11: {
                tk::SetValue(e.viewerUi.scrollBar, 1 + any(rng) % 12);
                Send(e, ControlEvent(e.viewerUi.scrollBar, tk::SubKind::Other));
                return "scroll the sets viewer";
            }
            case 12:
                Send(e, At(e.viewerUi.canvas, any(rng) % 800, any(rng) % 80, tk::ButtonLeft));
                return "choose a set in the viewer";
            case 13: Tick(e, ui.largeSetGridBox); return "tick the set grid";
            case 14: Menu(e, any(rng) % 2 ? kMenuSetGrid : kMenuPasteSet); return "set menu";
            case 15: Menu(e, any(rng) % 2 ? kMenuShowUnused : kMenuShowDuplicates); return "tick a sheet mark";
            case 16: Menu(e, any(rng) % 2 ? kMenuMergeDuplicates : kMenuCompact); return "merge or compact";
            case 17: Menu(e, any(rng) % 3 ? kMenuUndo : kMenuRedo); return "undo or redo";
            default:
                Send(e, At(ui.swatch[1 + any(rng) % 6], 5, 5, 0, tk::SubKind::LeftClick));
                return "choose a painting colour";
        }
    }

    void ExpectShownAsSurfaces(const std::string& step) {
        for (tk::ControlId c : Canvases(s)) {
            tk::Rect part;
            const tk::Surface shown = tk::simulate::ShownCanvas(c, part);
            ASSERT_GT(part.width, 0);
            ASSERT_EQ(Mismatches(shown, 0, 0, tk::CanvasSurface(c), part.x, part.y, part.width, part.height), 0)
                << "canvas " << c << " shows old pixels after: " << step;
        }
    }

    void ExpectSurfacesAsTheTwins(const std::string& step) {
        const std::vector<tk::ControlId> mine = Canvases(s);
        const std::vector<tk::ControlId> twins = Canvases(twin);
        ASSERT_EQ(mine.size(), twins.size());
        for (std::size_t i = 0; i < mine.size(); ++i) {
            const tk::Surface& a = tk::CanvasSurface(mine[i]);
            const tk::Surface& b = tk::CanvasSurface(twins[i]);
            ASSERT_EQ(a.Width(), b.Width());
            ASSERT_EQ(a.Height(), b.Height());
            ASSERT_EQ(Mismatches(a, 0, 0, b, 0, 0, a.Width(), a.Height()), 0)
                << "canvas " << mine[i] << " was skipped with a changed input after: " << step;
        }
    }

    EditorState twin;
};

TEST_F(ShownViewsTest, ScreenAndSurfacesAgreeAfterRandomEdits) {
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 rng(seed);
        std::mt19937 twinRng(seed);
        ExpectShownAsSurfaces("start-up");
        for (int step = 0; step < 40; ++step) {
            const std::string edit = RandomEdit(s, rng) + " (seed " + std::to_string(seed) + ", step " +
                                     std::to_string(step) + ")";
            RandomEdit(twin, twinRng);
            ASSERT_NO_FATAL_FAILURE(ExpectShownAsSurfaces(edit));
            ASSERT_NO_FATAL_FAILURE(ExpectSurfacesAsTheTwins(edit));
        }
    }
}

// A redraw with nothing changed draws nothing: no surface is touched.
TEST_F(ShownViewsTest, RedrawOfUnchangedViewsDrawsNothing) {
    std::vector<std::uint64_t> generations;
    for (tk::ControlId c : {s.ui.fontSheet, s.ui.largeSetView, s.ui.smallSetView, s.ui.charEditor,
                            s.viewUi.canvas, s.viewerUi.canvas}) {
        generations.push_back(tk::CanvasSurface(c).Generation());
    }
    RedrawAll(s);
    std::size_t i = 0;
    for (tk::ControlId c : {s.ui.fontSheet, s.ui.largeSetView, s.ui.smallSetView, s.ui.charEditor,
                            s.viewUi.canvas, s.viewerUi.canvas}) {
        EXPECT_EQ(tk::CanvasSurface(c).Generation(), generations[i++]) << c;
    }
    s.Slot().Pixel(65, 0, 0) ^= 1;
    RedrawAll(s);
    EXPECT_NE(tk::CanvasSurface(s.ui.fontSheet).Generation(), generations[0]);
    EXPECT_NE(tk::CanvasSurface(s.ui.charEditor).Generation(), generations[3]);
}

}  // namespace
}  // namespace qm
