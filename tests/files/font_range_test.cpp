#include <gtest/gtest.h>

#include "session/font_buffer.h"
#include "files/font_files.h"
#include "files/font_range_dialog.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

using test::ReadBytes;
using test::TempDir;

class FontRangeTest : public test::EditorTest {
protected:
    // Opens the dialog with the range chosen, presses "Save FNT" once per
    // queued file answer, and waits until the dialog closes.
    void SaveRange(int from, int to, const std::vector<std::string>& answers) {
        const FontRangeDialog d = OpenFontRangeDialog(s);
        tk::SelectItem(d.from, from);
        tk::SelectItem(d.to, to);
        for (const std::string& path : answers) {
            tk::QueueFileAnswer(path, 0);
            tk::PostEvent(ControlEvent(d.save));
        }
        RunFontRangeDialog(s, d);
    }
    int Shown(const std::string& kind) {
        int count = 0;
        for (const tk::Shown& shown : tk::ShownRequesters()) count += shown.kind == kind;
        return count;
    }
    TempDir dir;
};

TEST_F(FontRangeTest, OneCharacterWritesItsEightRows) {
    const std::string path = dir.Path("heart");
    SaveRange(65, 65, {path});
    const std::vector<unsigned char> expected(DefaultFontData.begin() + 65 * 8, DefaultFontData.begin() + 66 * 8);
    EXPECT_EQ(ReadBytes(path), expected);  // no extension added
}

TEST_F(FontRangeTest, TheWholeRangeWritesTheFont) {
    s.Slot().Pixel(127, 7, 7) = 0;
    s.Slot().Pixel(0, 0, 0) = 1;
    PackFont(s, -1);
    const std::vector<unsigned char> expected(s.FontBuffer.begin(), s.FontBuffer.end());
    SaveRange(0, 127, {dir.Path("all.fnt")});
    EXPECT_EQ(ReadBytes(dir.Path("all.fnt")), expected);
    const tk::Shown& shown = tk::ShownRequesters().back();
    EXPECT_EQ(shown.title, "Save font (.fnt)");
    EXPECT_EQ(shown.text, "");
    EXPECT_EQ(shown.filters, "Font (*.fnt)|*.fnt|All files (*.*)|*.*");
}

TEST_F(FontRangeTest, FromAfterToShowsTheErrorAndWritesNothing) {
    SaveRange(5, 4, {dir.Path("never.fnt")});
    EXPECT_TRUE(ReadBytes(dir.Path("never.fnt")).empty());
    EXPECT_EQ(Shown("save"), 0);
    ASSERT_EQ(Shown("message"), 1);
    EXPECT_EQ(tk::ShownRequesters()[0].title, "Error...");
    EXPECT_EQ(tk::ShownRequesters()[0].text, "The range FROM must be less than the range TO !");
}

TEST_F(FontRangeTest, CancelledOrFailedSaveKeepsTheDialogWaiting) {
    SaveRange(126, 127, {"", dir.Path("missing-folder/x.fnt"), dir.Path("tail.fnt")});
    EXPECT_EQ(Shown("save"), 3);
    EXPECT_EQ(Shown("message"), 1);  // the failed write
    EXPECT_EQ(ReadBytes(dir.Path("tail.fnt")).size(), 16u);
}

TEST_F(FontRangeTest, ListsReadAsCharacterNumbersAroundTheToLabel) {
    const FontRangeDialog d = OpenFontRangeDialog(s);
    EXPECT_EQ(tk::WindowTitle(d.window), "Save font range ...");
    EXPECT_EQ(tk::WindowWidth(d.window), 300);
    EXPECT_EQ(tk::WindowHeight(d.window), 50);
    for (tk::ControlId list : {d.from, d.to}) {
        ASSERT_EQ(tk::ItemCount(list), 128);
        EXPECT_EQ(tk::ItemText(list, 0), "$0 (0)");
        EXPECT_EQ(tk::ItemText(list, 10), "$A (10)");
        EXPECT_EQ(tk::ItemText(list, 127), "$7F (127)");
    }
    EXPECT_EQ(tk::SelectedItem(d.from), 0);
    EXPECT_EQ(tk::SelectedItem(d.to), 127);
    EXPECT_EQ(tk::Text(d.save), "Save FNT");
    bool toLabel = false;
    for (tk::ControlId c : tk::Controls(d.window)) toLabel |= tk::KindOf(c) == tk::ControlKind::Label && tk::Text(c) == "TO";
    EXPECT_TRUE(toLabel);
    RunFontRangeDialog(s, d);
}

TEST_F(FontRangeTest, TheMainWindowIsDisabledWhileTheDialogIsOpen) {
    const tk::WindowId main = s.ui.window;
    const FontRangeDialog d = OpenFontRangeDialog(s);
    EXPECT_FALSE(tk::WindowEnabled(main));
    EXPECT_EQ(tk::WindowX(d.window), tk::WindowX(main) + 300);
    EXPECT_EQ(tk::WindowY(d.window), tk::WindowY(main) + 200);
    RunFontRangeDialog(s, d);  // nothing scripted: the wait sees a close request
    EXPECT_FALSE(tk::WindowExists(d.window));
    EXPECT_TRUE(tk::WindowEnabled(main));
    EXPECT_TRUE(tk::ShownRequesters().empty());
}

TEST_F(FontRangeTest, ClosingTheDialogSavesNothing) {
    tk::WindowId opened = 0;
    tk::SetWindowOpenedHook([&](tk::WindowId w) {
        opened = w;
        tk::Event close;
        close.kind = tk::EventKind::CloseRequest;
        close.window = w;
        tk::PostEvent(close);
    });
    tk::QueueFileAnswer(dir.Path("unused.fnt"));
    SaveFontRange(s);
    ASSERT_NE(opened, 0);
    EXPECT_FALSE(tk::WindowExists(opened));
    EXPECT_TRUE(tk::WindowEnabled(s.ui.window));
    EXPECT_TRUE(tk::ShownRequesters().empty());
}

}  // namespace
}  // namespace qm
