#include "core/file_io.h"
#include "session/font_buffer.h"
#include "sets/set_files.h"
#include "core/set_format.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes Magic(const char* letters) { return Bytes(letters, letters + 4); }

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class SetFilesTest : public test::EditorTest {
protected:
    test::TempDir dir;
    const tk::Shown& LastShown() const { return tk::ShownRequesters().back(); }
};

TEST_F(SetFilesTest, SavingAnEmptySetWritesTheMagicAnd25EmptyBytes) {
    tk::QueueFileAnswer(dir.Path("pic"), 0);
    SaveSetFile(s);
    EXPECT_EQ(test::ReadBytes(dir.Path("pic.set")), Concat(Magic("QMRS"), Bytes(25, 0xFF)));
    EXPECT_EQ(LastShown().kind, "save");
    EXPECT_EQ(LastShown().title, "Save set (.set)");
    EXPECT_EQ(LastShown().filters, "Set (*.set)|*.set|All files (*.*)|*.*");
}

TEST_F(SetFilesTest, ASetRoundTripsByteForByte) {
    for (int i = 0; i < kSetCells; ++i) s.Set().cells[i] = i % 3 == 0 ? kEmptyCell : 5 * i;
    s.Set().cells[24] = 127;
    const auto saved = s.Set().cells;
    tk::QueueFileAnswer(dir.Path("a.set"), 0);
    SaveSetFile(s);
    const Bytes bytes = test::ReadBytes(dir.Path("a.set"));
    ASSERT_EQ(bytes.size(), 29u);
    for (int i = 0; i < kSetCells; ++i) EXPECT_EQ(bytes[4 + i], static_cast<unsigned char>(saved[i] & 0xFF));

    s.CurrentSet = 9;
    tk::QueueFileAnswer(dir.Path("a.set"), 0);
    LoadSetFile(s);
    EXPECT_EQ(s.doc.SetTable[9].cells, saved);
    EXPECT_EQ(tk::ShownRequesters().back().title, "Load set (.set)");
}

TEST_F(SetFilesTest, AllSetsRoundTripInSetOrder) {
    for (int n = 1; n <= kSetCount; ++n) s.doc.SetTable[n].cells[n % kSetCells] = n;
    const auto saved = s.doc.SetTable;
    tk::QueueFileAnswer(dir.Path("all"), 0);
    SaveAllSetsFile(s);
    const Bytes bytes = test::ReadBytes(dir.Path("all.sets"));
    ASSERT_EQ(bytes.size(), 2504u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), Magic("LMRS"));
    EXPECT_EQ(bytes[4 + 25 * (7 - 1) + 7], 7);   // set 7, cell 7
    EXPECT_EQ(bytes[4 + 25 * (7 - 1) + 8], 0xFF);
    EXPECT_EQ(bytes[4 + 25 * 99 + 0], 100);       // set 100, cell 0

    for (auto& set : s.doc.SetTable) set.cells.fill(kEmptyCell);
    tk::QueueFileAnswer(dir.Path("all.sets"), 0);
    LoadAllSetsFile(s);
    for (int n = 1; n <= kSetCount; ++n) EXPECT_EQ(s.doc.SetTable[n].cells, saved[n].cells) << "set " << n;
}

TEST_F(SetFilesTest, AWrongMagicIsReportedAndChangesNothing) {
    s.Set().cells[0] = 3;
    test::WriteBytes(dir.Path("x.set"), Concat(Magic("LMRS"), Bytes(25, 1)));
    tk::QueueFileAnswer(dir.Path("x.set"), 0);
    LoadSetFile(s);
    EXPECT_EQ(LastShown().kind, "message");
    EXPECT_EQ(LastShown().title, "Error!");
    EXPECT_EQ(LastShown().text, "This file is not QMR set data!");
    EXPECT_EQ(s.Set().cells[0], 3);
    EXPECT_EQ(s.Set().cells[1], kEmptyCell);

    test::WriteBytes(dir.Path("x.sets"), Concat(Magic("QMRS"), Bytes(2500, 1)));
    tk::QueueFileAnswer(dir.Path("x.sets"), 0);
    LoadAllSetsFile(s);
    EXPECT_EQ(LastShown().title, "Error!");
    EXPECT_EQ(LastShown().text, "This file is not QMR sets data!");
    EXPECT_EQ(s.doc.SetTable[2].cells[0], kEmptyCell);
}

TEST_F(SetFilesTest, BytesAboveTheFontAreInverseCodesAndAShortFileReadsZeros) {
    Bytes cells(25, 0x21);
    cells[0] = 0x80;
    cells[1] = 0xFE;
    cells[2] = 0x7F;
    const auto set = DecodeSetFile(Concat(Magic("QMRS"), cells));
    ASSERT_TRUE(set.has_value());
    EXPECT_EQ(set->cells[0], 128);
    EXPECT_EQ(set->cells[1], 254);
    EXPECT_EQ(set->cells[2], 127);
    EXPECT_EQ(set->cells[3], 33);

    const auto shortSet = DecodeSetFile(Concat(Magic("QMRS"), Bytes{0xFF, 5}));
    ASSERT_TRUE(shortSet.has_value());
    EXPECT_EQ(shortSet->cells[0], kEmptyCell);
    EXPECT_EQ(shortSet->cells[1], 5);
    EXPECT_EQ(shortSet->cells[2], 0);
    EXPECT_EQ(shortSet->cells[24], 0);

    EXPECT_FALSE(DecodeSetFile(Bytes{'Q', 'M', 'R'}).has_value());
    EXPECT_FALSE(DecodeAllSetsFile(Bytes{}).has_value());
}

TEST_F(SetFilesTest, TheExtensionIsAddedOnlyUnderTheFirstFilter) {
    tk::QueueFileAnswer(dir.Path("pic.SET"), 0);
    SaveSetFile(s);
    EXPECT_EQ(test::ReadBytes(dir.Path("pic.SET")).size(), 29u);
    tk::QueueFileAnswer(dir.Path("raw"), 1);
    SaveSetFile(s);
    EXPECT_EQ(test::ReadBytes(dir.Path("raw")).size(), 29u);
    tk::QueueFileAnswer(dir.Path("raw2"), 1);
    SaveAllSetsFile(s);
    EXPECT_EQ(test::ReadBytes(dir.Path("raw2")).size(), 2504u);
    tk::QueueFileAnswer(dir.Path("b.Sets"), 0);
    SaveAllSetsFile(s);
    EXPECT_EQ(test::ReadBytes(dir.Path("b.Sets")).size(), 2504u);
    tk::QueueFileAnswer(dir.Path("c.set"), 0);  // ".set" is not ".sets"
    SaveAllSetsFile(s);
    EXPECT_EQ(test::ReadBytes(dir.Path("c.set.sets")).size(), 2504u);
}

TEST_F(SetFilesTest, ExportSetBinWritesTheBitmapsOfNonEmptyCells) {
    tk::QueueFileAnswer(dir.Path("empty"), 0);
    ExportSetBin(s);
    EXPECT_EQ(LastShown().title, "Save set to bin (.bin)");
    EXPECT_EQ(LastShown().filters, "Set bin (*.bin)|*.bin|All files (*.*)|*.*");
    EXPECT_EQ(qm::FileSize(dir.Path("empty.bin")), 0);

    for (int i = 0; i < kSetCells; ++i) s.Set().cells[i] = 33 + i % 2;  // 'A' and 'B' alternating
    tk::QueueFileAnswer(dir.Path("full.bin"), 0);
    ExportSetBin(s);
    const Bytes bytes = test::ReadBytes(dir.Path("full.bin"));
    ASSERT_EQ(bytes.size(), 200u);
    for (int i = 0; i < kSetCells; ++i) {
        const int code = 33 + i % 2;
        EXPECT_TRUE(std::equal(bytes.begin() + 8 * i, bytes.begin() + 8 * i + 8, DefaultFontData.begin() + 8 * code))
            << "cell " << i;
    }
}

TEST_F(SetFilesTest, ExportTakesTheCurrentSlotsPixels) {
    s.Set().cells[0] = kEmptyCell;
    s.Set().cells[4] = 2;
    std::fill_n(s.Slot().Char(2), 64, std::uint8_t{0});
    s.Slot().Pixel(2, 0, 0) = 1;
    tk::QueueFileAnswer(dir.Path("one.bin"), 0);
    ExportSetBin(s);
    EXPECT_EQ(test::ReadBytes(dir.Path("one.bin")), (Bytes{0x80, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(SetFilesTest, ACancelledDialogChangesNothing) {
    s.Set().cells[0] = 3;
    LoadSetFile(s);
    LoadAllSetsFile(s);
    SaveSetFile(s);
    EXPECT_EQ(s.Set().cells[0], 3);
    for (const auto& shown : tk::ShownRequesters()) EXPECT_NE(shown.kind, "message");
}

TEST_F(SetFilesTest, AFailedSaveIsReported) {
    tk::QueueFileAnswer(dir.Path("no-such-folder/x.set"), 0);
    SaveSetFile(s);
    EXPECT_EQ(LastShown().kind, "message");
    EXPECT_EQ(LastShown().title, "Error!");
    EXPECT_NE(LastShown().text.find("x.set"), std::string::npos);
}

}  // namespace
}  // namespace qm
