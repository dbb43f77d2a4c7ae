#include <gtest/gtest.h>

#include "core/export_lines.h"
#include "files/export_source.h"
#include "files/export_source_dialog.h"
#include "session/font_buffer.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

using test::ReadBytes;
using test::TempDir;

std::string AsText(const std::vector<unsigned char>& bytes) { return {bytes.begin(), bytes.end()}; }

class ExportSourceTest : public test::EditorTest {
protected:
    SourceExportDialog Open() { return OpenSourceExportDialog(s, 200, 10, 420, 580); }
    void PressSave(const SourceExportDialog& d, const std::string& path, int filter = 0) {
        tk::QueueFileAnswer(path, filter);
        tk::PostEvent(ControlEvent(d.save));
    }
    void ChooseFormat(const SourceExportDialog& d, int format) {
        tk::SelectItem(d.formats, format);
        tk::PostEvent(ControlEvent(d.formats, tk::SubKind::Other));
    }
    TempDir dir;
};

TEST_F(ExportSourceTest, TheDialogOpensWithTheAssemblerTextOfTheCurrentSlot) {
    const SourceExportDialog d = Open();
    EXPECT_EQ(tk::WindowTitle(d.window), "Export font as...");
    EXPECT_EQ(tk::WindowX(d.window), tk::WindowX(s.ui.window) + 200);
    EXPECT_FALSE(tk::WindowEnabled(s.ui.window));
    ASSERT_EQ(tk::ItemCount(d.formats), 9);
    EXPECT_EQ(tk::ItemText(d.formats, 0), "Assembler: Byte in decimal");
    EXPECT_EQ(tk::ItemText(d.formats, 5), "MadPascal: Array byte in hexadecimal");
    EXPECT_EQ(tk::ItemText(d.formats, 6), "MADS: dta bytes in hexadecimal");
    EXPECT_EQ(tk::ItemText(d.formats, 8), "FastBasic: DATA bytes in hexadecimal");
    EXPECT_EQ(tk::SelectedItem(d.formats), 0);
    EXPECT_EQ(tk::KindOf(d.preview), tk::ControlKind::TextEdit);
    EXPECT_EQ(tk::Text(d.save), "Save");
    EXPECT_EQ(tk::Text(d.cancel), "Cancel");
    EXPECT_EQ(tk::LineCount(d.preview), 129);
    EXPECT_EQ(tk::Line(d.preview, 0), "FONT");
    EXPECT_EQ(tk::Line(d.preview, 34), "    .BYTE 0,24,60,102,102,126,102,0");

    tk::PostEvent(ControlEvent(d.cancel));
    tk::QueueFileAnswer(dir.Path("unused"));
    RunSourceExportDialog(s, d);
    EXPECT_FALSE(tk::WindowExists(d.window));
    EXPECT_TRUE(tk::WindowEnabled(s.ui.window));
    EXPECT_TRUE(tk::ShownRequesters().empty());
}

TEST_F(ExportSourceTest, TheAlignBoxPutsTheMadsFontOnAKilobyteAndLeavesOtherFormatsAlone) {
    // The list's selection is read when its event is handled, so each run
    // of the dialog chooses one format.
    for (const int format : {kMadsFormat, kXasmFormat}) {
        const SourceExportDialog d = Open();
        ChooseFormat(d, format);
        tk::simulate::Click(d.alignMads);
        ASSERT_TRUE(tk::IsChecked(d.alignMads));
        PressSave(d, dir.Path("out" + std::to_string(format) + ".txt"));
        tk::PostEvent(ControlEvent(d.cancel));
        RunSourceExportDialog(s, d);
    }
    EXPECT_EQ(ReadBytes(dir.Path("out6.txt")), TextFileBytes(ExportLines(DefaultFontData, kMadsFormat, true)));
    EXPECT_EQ(ReadBytes(dir.Path("out7.txt")), TextFileBytes(ExportLines(DefaultFontData, kXasmFormat)));
}

TEST_F(ExportSourceTest, GeneratingPacksTheSlotAfresh) {
    const SourceExportDialog d = Open();
    s.Slot().Pixel(0, 0, 0) = 1;
    GenerateExportText(s, d.preview, 1);
    EXPECT_EQ(tk::Line(d.preview, 1), "    .BYTE $80,$0,$0,$0,$0,$0,$0,$0");
    RunSourceExportDialog(s, d);
}

TEST_F(ExportSourceTest, EveryListEventRegeneratesAndDropsEdits) {
    const SourceExportDialog d = Open();
    ChooseFormat(d, 5);
    PressSave(d, dir.Path("pascal"));
    tk::PostEvent(ControlEvent(d.formats, tk::SubKind::Other));  // same format again
    PressSave(d, dir.Path("again"));
    RunSourceExportDialog(s, d);

    const std::string pascal = AsText(ReadBytes(dir.Path("pascal.txt")));
    EXPECT_EQ(pascal.substr(0, 39), "qmr_font: array [0..1023] of byte = (\r\n");
    EXPECT_NE(pascal.find("\t$10, $18, $1C, $1E, $1C, $18, $10, $0\r\n);\r\n"), std::string::npos);
    EXPECT_EQ(pascal.size() - pascal.rfind(");"), 4u);
    EXPECT_EQ(AsText(ReadBytes(dir.Path("again.txt"))), pascal);
}

TEST_F(ExportSourceTest, SavedFileHoldsThePreviewWithItsEditsInCrLfLines) {
    const SourceExportDialog d = Open();
    // Edit the preview the way a user would: replace its whole text.
    tk::SetText(d.preview, "; my font \xC3\xA9\nPROC font()=[\n1 2 3\n]");
    PressSave(d, dir.Path("edited.txt"));
    ChooseFormat(d, 2);  // drops the edits
    PressSave(d, dir.Path("regenerated.txt"));
    RunSourceExportDialog(s, d);
    EXPECT_EQ(AsText(ReadBytes(dir.Path("edited.txt"))), "; my font \xC3\xA9\r\nPROC font()=[\r\n1 2 3\r\n]\r\n");
    const std::string regenerated = AsText(ReadBytes(dir.Path("regenerated.txt")));
    EXPECT_EQ(regenerated.substr(0, 15), "PROC font()=[\r\n");
    EXPECT_EQ(regenerated.substr(regenerated.size() - 11), "]\r\nMODULE\r\n");
}

TEST_F(ExportSourceTest, TxtIsAppendedUnlessTheNameEndsInIt) {
    const SourceExportDialog d = Open();
    PressSave(d, dir.Path("plain"), 0);
    PressSave(d, dir.Path("upper.TXT"), 0);
    PressSave(d, dir.Path("mixed.Txt"), 1);
    PressSave(d, dir.Path("code.asm"), 1);
    RunSourceExportDialog(s, d);
    for (const char* name : {"plain.txt", "upper.TXT", "mixed.Txt", "code.asm.txt"}) {
        const std::string text = AsText(ReadBytes(dir.Path(name)));
        EXPECT_EQ(text.substr(0, 6), "FONT\r\n") << name;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name;
    }
    const tk::Shown& shown = tk::ShownRequesters().back();
    EXPECT_EQ(shown.title, "Save export font (.txt)");
    EXPECT_EQ(shown.filters, "Text (*.txt)|*.txt|All files (*.*)|*.*");
    EXPECT_EQ(shown.text, "");
}

TEST_F(ExportSourceTest, TheWholeFileOfFormatZeroHasOneLinePerCharacter) {
    const SourceExportDialog d = Open();
    PressSave(d, dir.Path("asm.txt"));
    RunSourceExportDialog(s, d);
    const std::string text = AsText(ReadBytes(dir.Path("asm.txt")));
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 129u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);  // no bare LF
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");
}

TEST_F(ExportSourceTest, AFailingSaveReportsAndTheDialogStaysOpen) {
    const SourceExportDialog d = Open();
    PressSave(d, dir.Path("no-folder/x.txt"));
    PressSave(d, "");
    PressSave(d, dir.Path("after.txt"));
    RunSourceExportDialog(s, d);
    int errors = 0;
    for (const tk::Shown& shown : tk::ShownRequesters()) errors += shown.kind == "message" && shown.title == "Error!";
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(ReadBytes(dir.Path("after.txt")), TextFileBytes(ExportLines(DefaultFontData, 0)));
}

}  // namespace
}  // namespace qm
