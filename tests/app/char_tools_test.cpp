// The Tools menu through the dispatcher, as the user reaches it: the marks
// on the sheet, the moves with what every set and the screen show drawn
// before and after, undo, and the two dialogs.

#include <algorithm>
#include <functional>

#include "app/main_loop.h"
#include "app/main_window.h"
#include "sets/char_tools.h"
#include "session/undo.h"
#include "charedit/font_sheet.h"
#include "core/file_io.h"
#include "core/font_format.h"
#include "core/project_format.h"
#include "sets/set_views.h"
#include "sets/view_editor.h"
#include "sets/view_screen.h"
#include "support/editor_fixture.h"
#include "toolkit/menu_checks.h"

namespace qm {
namespace {

class CharToolsTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(ReadWholeFile(test::TestDataPath("fonts/broadway.fnt"), bytes));
        FontBytes font = ReadFontBytes(bytes);
        // Known duplicates in slot 1: 33 copied to 90 and 91; slot 2 the
        // standard set moved by one, so that moves must carry it too.
        std::copy_n(font.begin() + 33 * 8, 8, font.begin() + 90 * 8);
        std::copy_n(font.begin() + 33 * 8, 8, font.begin() + 91 * 8);
        UnpackFont(font, s.doc.Slots[1]);
        std::rotate(font.begin(), font.begin() + 8, font.end());
        UnpackFont(font, s.doc.Slots[2]);
        for (int set = 1; set <= kSetCount; set += 7) {
            for (int cell = 0; cell < kSetCells; ++cell) s.doc.SetTable[set].cells[cell] = (set + cell * 5) % 80;
        }
        s.doc.SetTable[2].cells[0] = 90;
        s.doc.SetTable[2].cells[1] = 91;
        for (int x = 0; x < kViewColumns; ++x) s.doc.ViewScreen[5][x] = x % 2 ? 91 : 40 + x;
        OpenViewEditor(s);
        RedrawAll(s);
        StartHistory(s);
    }

    // Every set drawn in the large view and the screen in the view editor.
    std::vector<Image> Pictures() {
        std::vector<Image> pictures;
        const int current = s.CurrentSet;
        for (int set = 1; set <= kSetCount; ++set) {
            s.CurrentSet = set;
            DrawLargeSetView(s);
            pictures.push_back(tk::ImageFromSurface(tk::CanvasSurface(s.ui.largeSetView)));
        }
        s.CurrentSet = current;
        DrawViewScreen(s, -1, -1);
        pictures.push_back(tk::ImageFromSurface(tk::CanvasSurface(s.viewUi.canvas)));
        return pictures;
    }
    std::vector<Image> PicturesIn(int slot) {
        s.CurrentSlot = slot;
        return Pictures();
    }
    Bytes Work() const { return WriteProject(ProjectOf(s.doc)); }
    void Send(int item) { DispatchEvent(s, MenuEvent(item)); }
    Image Sheet() const { return tk::ImageFromSurface(tk::CanvasSurface(s.ui.fontSheet)); }
    // Runs the dialog the item opens, with act given its window (the main
    // window and the view editor, not yet waited on here, are no dialogs).
    void WithDialog(int item, const std::function<void(tk::WindowId)>& act) {
        tk::SetWindowOpenedHook([&](tk::WindowId w) {
            if (w != s.ui.window && w != s.viewUi.window) act(w);
        });
        Send(item);
        tk::SetWindowOpenedHook({});
    }
    void Press(tk::ControlId button) { tk::PostEvent(ControlEvent(button)); }
};

bool SameImage(const Image& a, const Image& b) { return a.width == b.width && a.pixels == b.pixels; }

TEST_F(CharToolsTest, MarksShowWhereTheyShouldAndLeaveNoTrace) {
    std::vector<std::string> tools;
    for (const tk::MenuEntry& e : tk::MenuEntries(s.ui.window)) {
        if (e.menu == "Tools" && e.number >= 0) tools.push_back(std::to_string(e.number) + " " + e.text);
    }
    EXPECT_EQ(tools, (std::vector<std::string>{"40 Show unused characters", "41 Show duplicates", "42 Where used...",
                                               "43 Merge duplicates", "44 Compact", "45 Swap characters..."}));
    EXPECT_EQ(tk::MenuEntries(s.ui.window).back().menu, "Tools");
    EXPECT_FALSE(tk::MenuItemChecked(s.ui.window, kMenuShowUnused));
    const Image plain = Sheet();
    Send(kMenuShowUnused);
    EXPECT_TRUE(tk::MenuItemChecked(s.ui.window, kMenuShowUnused));
    const Image unused = Sheet();
    Send(kMenuShowDuplicates);
    const Image both = Sheet();
    // Unused 127 is marked in its top-left corner in both halves; used 0 not.
    EXPECT_EQ(unused.pixels[static_cast<std::size_t>((51 + 1) * unused.width + 31 * 17 + 1)], MakeRgb(255, 64, 64));
    EXPECT_EQ(unused.pixels[static_cast<std::size_t>((68 + 51 + 1) * unused.width + 31 * 17 + 1)],
              MakeRgb(255, 64, 64));
    EXPECT_EQ(unused.pixels[1], plain.pixels[1]);
    // Duplicate 91 at its bottom-right corner.
    const int x91 = 17 * (91 % 32) + 13, y91 = 17 * (91 / 32) + 13;
    EXPECT_EQ(both.pixels[static_cast<std::size_t>(y91 * both.width + x91)], MakeRgb(255, 220, 0));
    Send(kMenuShowUnused);
    Send(kMenuShowDuplicates);
    EXPECT_FALSE(tk::MenuItemChecked(s.ui.window, kMenuShowDuplicates));
    EXPECT_TRUE(SameImage(Sheet(), plain));
    // Marks are no change of the work.
    EXPECT_FALSE(ChangedSinceSave(s));
}

TEST_F(CharToolsTest, MovesKeepEveryPictureAndUndoBringsBackEveryByte) {
    const Bytes start = Work();
    std::vector<std::vector<Image>> before;
    for (int slot : {1, 2}) before.push_back(PicturesIn(slot));
    s.CurrentSlot = 1;

    Send(kMenuMergeDuplicates);
    ASSERT_FALSE(tk::ShownRequesters().empty());
    EXPECT_NE(tk::ShownRequesters().back().text.find("2 duplicates merged"), std::string::npos);
    EXPECT_NE(tk::ShownRequesters().back().text.find("font 1 only"), std::string::npos);
    // Other fonts keep their bytes, not what their cells show.
    EXPECT_NE(tk::ShownRequesters().back().text.find("they show their own first copy"), std::string::npos);
    EXPECT_EQ(s.doc.SetTable[2].cells[1], 33);
    const Bytes merged = Work();
    Send(kMenuCompact);
    const Document compacted = s.doc;
    EXPECT_NE(tk::ShownRequesters().back().text.find("in every font alike"), std::string::npos);
    WithDialog(kMenuSwapChars, [&](tk::WindowId w) {
        const std::vector<tk::ControlId> c = tk::Controls(w);
        tk::SelectItem(c[0], 5);
        tk::SelectItem(c[2], 100);
        Press(c[3]);
    });
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const FontSlot &now = s.doc.Slots[slot], &was = compacted.Slots[slot];
        EXPECT_TRUE(std::equal(now.Char(100), now.Char(100) + 64, was.Char(5))) << slot;
        EXPECT_TRUE(std::equal(now.Char(5), now.Char(5) + 64, was.Char(100))) << slot;
    }
    for (int slot : {1, 2}) {
        const std::vector<Image> after = PicturesIn(slot);
        for (std::size_t i = 0; i < after.size(); ++i) {
            // Merging judged slot 1; slot 2 only keeps its pictures where
            // no duplicate of slot 1 was merged (set 2 and the screen).
            if (slot == 2 && (i == 1 || i == after.size() - 1)) continue;
            EXPECT_TRUE(SameImage(after[i], before[static_cast<std::size_t>(slot - 1)][i])) << slot << " " << i;
        }
    }
    s.CurrentSlot = 1;
    for (int i = 0; i < 3; ++i) DispatchEvent(s, MenuEvent(kMenuUndo));
    EXPECT_EQ(Work(), start);
    DispatchEvent(s, MenuEvent(kMenuRedo));
    EXPECT_EQ(Work(), merged);
}

TEST_F(CharToolsTest, UndoAndRedoOfAMoveTakeTheEditedCharacterAlong) {
    ChooseSheetCharacter(s, 98);  // used, with unused characters before it
    const Image picture = tk::ImageFromSurface(tk::CanvasSurface(s.ui.charEditor));
    const auto expectEditing = [&](int code) {
        EXPECT_EQ(s.CurrentChar, code);
        EXPECT_EQ(s.SheetChar, code);
        EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: " + CharNumberText(code));
        EXPECT_TRUE(SameImage(tk::ImageFromSurface(tk::CanvasSurface(s.ui.charEditor)), picture)) << code;
    };
    Send(kMenuCompact);
    const int compacted = s.CurrentChar;
    ASSERT_NE(compacted, 98);
    expectEditing(compacted);
    WithDialog(kMenuSwapChars, [&](tk::WindowId w) {
        tk::SelectItem(tk::Controls(w)[2], 3);
        Press(tk::Controls(w)[3]);
    });
    expectEditing(3);
    for (int code : {compacted, 98}) {
        Send(kMenuUndo);
        expectEditing(code);
    }
    for (int code : {compacted, 3}) {
        Send(kMenuRedo);
        expectEditing(code);
    }
}

TEST_F(CharToolsTest, WhereUsedListsEveryCellAndGoesToTheChosenOne) {
    s.CurrentChar = 91;
    const std::vector<std::string> entries = WhereUsedEntries(s, 91);
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries[0], "Set 2, cell 1 (row 1, column 2)");
    EXPECT_EQ(entries[1], "Screen X: 1, Y: 5");
    WithDialog(kMenuWhereUsed, [&](tk::WindowId w) {
        const std::vector<tk::ControlId> c = tk::Controls(w);
        EXPECT_EQ(tk::WindowTitle(w), "Where used - $5B (91)");
        EXPECT_EQ(tk::ItemCount(c[1]), 31);
        tk::SelectItem(c[1], 0);
        Press(c[2]);
    });
    EXPECT_EQ(s.CurrentSet, 2);
    EXPECT_EQ(tk::Text(s.ui.setLabel), "2");
    WithDialog(kMenuWhereUsed, [&](tk::WindowId w) {
        const std::vector<tk::ControlId> c = tk::Controls(w);
        tk::SelectItem(c[1], 2);
        Press(c[2]);
    });
    EXPECT_EQ(tk::WindowTitle(s.viewUi.window), "View Editor  (X: 3, Y: 5)");
    EXPECT_TRUE(tk::WindowEnabled(s.ui.window));
    EXPECT_FALSE(ChangedSinceSave(s));
}

TEST_F(CharToolsTest, WhereUsedScrollsTheViewEditorToTheCell) {
    const auto shows = [&](int x, int y) {
        const tk::Rect seen = tk::VisiblePart(s.viewUi.canvas);
        const int left = x * kViewCell, top = y * kViewCell;
        return seen.x <= left && seen.y <= top && left + kViewCell <= seen.x + seen.width &&
               top + kViewCell <= seen.y + seen.height;
    };
    const auto showFirst = [&] {
        WithDialog(kMenuWhereUsed, [&](tk::WindowId w) { Press(tk::Controls(w)[2]); });
    };
    s.doc.ViewScreen[39][59] = 120;
    s.doc.ViewScreen[0][0] = 121;
    s.CurrentChar = 120;
    // "Show" opens the view editor afresh.
    tk::Event close;
    close.kind = tk::EventKind::CloseRequest;
    close.window = s.viewUi.window;
    DispatchEvent(s, close);
    ASSERT_FALSE(s.ViewEditorOpen);
    showFirst();
    EXPECT_EQ(tk::WindowTitle(s.viewUi.window), "View Editor  (X: 59, Y: 39)");
    EXPECT_TRUE(shows(59, 39));
    // And back to the top-left corner.
    s.CurrentChar = 121;
    showFirst();
    EXPECT_EQ(tk::WindowTitle(s.viewUi.window), "View Editor  (X: 0, Y: 0)");
    EXPECT_TRUE(shows(0, 0));
    EXPECT_FALSE(shows(59, 39));
}

}  // namespace
}  // namespace qm
