#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "session/font_buffer.h"
#include "files/font_files.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::TestDataPath;
using test::WriteBytes;

class FontFilesTest : public test::EditorTest {
protected:
    // The current slot as the bytes of a font file.
    std::vector<unsigned char> SlotBytes() {
        PackFont(s, -1);
        return {s.FontBuffer.begin(), s.FontBuffer.end()};
    }
    void Load(const std::string& path) {
        tk::QueueFileAnswer(path);
        LoadFontFile(s);
    }
    TempDir dir;
};

TEST_F(FontFilesTest, LoadingTheStandardSetIntoAnEmptySlotGivesTheBuiltInFont) {
    s.CurrentSlot = 2;
    const std::string path = TestDataPath("fonts/atari-standard.fnt");
    Load(path);
    PackFont(s, 2);
    EXPECT_EQ(s.FontBuffer, DefaultFontData);
    EXPECT_EQ(s.doc.Slots[2].fileName, "atari-standard.fnt");
    EXPECT_EQ(s.doc.Slots[2].filePath, path);
    EXPECT_EQ(tk::StatusText(s.ui.window, 1), "Font: atari-standard.fnt");

    const tk::Shown& shown = tk::ShownRequesters().back();
    EXPECT_EQ(shown.kind, "open");
    EXPECT_EQ(shown.title, "Load font (.fnt)");
    EXPECT_EQ(shown.filters, "Font (*.fnt)|*.fnt|All files (*.*)|*.*");
    EXPECT_EQ(shown.preselectedFilter, 0);
}

TEST_F(FontFilesTest, RealFilesOfEverySizeLoadTheirFirstKilobyte) {
    for (const char* name : {"analog.fnt", "chess.fnt", "anglik.fnt", "flcreditsa8.fnt", "curly.fnt", "food.fnt",
                             "flash.fnt", "cmd2600.fnt"}) {
        const std::string path = TestDataPath(std::string("fonts/") + name);
        std::vector<unsigned char> expected = ReadBytes(path);
        ASSERT_FALSE(expected.empty()) << name;
        expected.resize(kFontBytes, 0);
        Load(path);
        EXPECT_EQ(SlotBytes(), expected) << name;
        EXPECT_EQ(s.Slot().fileName, name);
    }
}

TEST_F(FontFilesTest, AHundredByteFileFillsTwelveCharactersAndHalfOfTheThirteenth) {
    const std::string path = dir.Path("short.fnt");
    WriteBytes(path, std::vector<unsigned char>(100, 0xFF));
    Load(path);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(s.Slot().Pixel(11, x, 7), 1);
        EXPECT_EQ(s.Slot().Pixel(12, x, 3), 1);
        EXPECT_EQ(s.Slot().Pixel(12, x, 4), 0);
        EXPECT_EQ(s.Slot().Pixel(13, x, 0), 0);
    }
    EXPECT_EQ(tk::StatusText(s.ui.window, 1), "Font: short.fnt (12 of 128 characters and 4 rows)");
}

// A binary load file's header is stepped over, not shown as six bytes of
// pixels that shift every character.
TEST_F(FontFilesTest, TheBinaryLoadFormGivesTheFontAfterItsHeader) {
    const std::vector<unsigned char> font = ReadBytes(TestDataPath("fonts/analog.fnt"));
    const unsigned char header[] = {0xFF, 0xFF, 0x00, 0xE0, 0xFF, 0xE3};
    std::vector<unsigned char> load(std::begin(header), std::end(header));
    std::copy(font.begin(), font.end(), std::back_inserter(load));
    WriteBytes(dir.Path("load.fnt"), load);
    Load(dir.Path("load.fnt"));
    EXPECT_EQ(SlotBytes(), font);
    EXPECT_EQ(tk::StatusText(s.ui.window, 1), "Font: load.fnt (binary load file)");
}

TEST_F(FontFilesTest, AFileThatIsNoFontIsRefusedWithItsReasonAndChangesNothing) {
    const auto before = SlotBytes();
    const std::vector<std::pair<std::string, std::vector<unsigned char>>> files = {
        {"empty.fnt", {}}, {"three.fnt", {'a', 'b', 'c'}}, {"project.fnt", {'F', 'P', 'R', 'J', 0, 0, 0, 0, 0, 0}}};
    const char* const reasons[] = {"empty.fnt is not a font: 0 bytes.", "three.fnt is not a font: 3 bytes.",
                                   "project.fnt is not a font: a project file."};
    for (std::size_t i = 0; i < files.size(); ++i) {
        WriteBytes(dir.Path(files[i].first), files[i].second);
        Load(dir.Path(files[i].first));
        EXPECT_EQ(tk::ShownRequesters().back().text, reasons[i]);
    }
    EXPECT_EQ(SlotBytes(), before);
    EXPECT_EQ(s.Slot().fileName, "Default.fnt");
    EXPECT_EQ(tk::StatusText(s.ui.window, 1), "Font: Default.fnt");
}

TEST_F(FontFilesTest, CancelledOrUnreadableLoadChangesNothingAndSaysNothing) {
    const auto before = SlotBytes();
    LoadFontFile(s);  // nothing queued: cancelled
    Load(dir.Path("missing.fnt"));
    Load(dir.Root());  // a folder
    EXPECT_EQ(SlotBytes(), before);
    EXPECT_EQ(s.Slot().fileName, "Default.fnt");
    EXPECT_TRUE(s.Slot().filePath.empty());
    EXPECT_EQ(tk::StatusText(s.ui.window, 1), "Font: Default.fnt");
    for (const tk::Shown& shown : tk::ShownRequesters()) EXPECT_EQ(shown.kind, "open");
}

TEST_F(FontFilesTest, SavedFontIsTheLoadedFileByteForByte) {
    const std::string original = TestDataPath("fonts/broadway.fnt");
    Load(original);
    PackFont(s, -1);
    tk::QueueFileAnswer(dir.Path("copy"), 0);
    SaveFontFile(s);
    EXPECT_EQ(ReadBytes(dir.Path("copy.fnt")), ReadBytes(original));

    const tk::Shown& shown = tk::ShownRequesters().back();
    EXPECT_EQ(shown.kind, "save");
    EXPECT_EQ(shown.title, "Save font (.fnt)");
    EXPECT_EQ(shown.text, original);  // the slot's path is the initial file
    // Saving names nothing.
    EXPECT_EQ(s.Slot().fileName, "broadway.fnt");
    EXPECT_EQ(s.Slot().filePath, original);
}

TEST_F(FontFilesTest, SaveAddsFntOnlyUnderTheFirstFilter) {
    PackFont(s, -1);
    const std::vector<std::pair<std::string, int>> typed = {
        {"a", 0}, {"b.FNT", 0}, {"c.Fnt", 0}, {"d", 1}, {"e.fnt.bak", 0}};
    for (const auto& [name, filter] : typed) {
        tk::QueueFileAnswer(dir.Path(name), filter);
        SaveFontFile(s);
    }
    for (const char* written : {"a.fnt", "b.FNT", "c.Fnt", "d", "e.fnt.bak.fnt"}) {
        EXPECT_EQ(ReadBytes(dir.Path(written)).size(), 1024u) << written;
    }
    EXPECT_TRUE(ReadBytes(dir.Path("e.fnt.bak")).empty());
}

TEST_F(FontFilesTest, AFailingSaveShowsErrorNamingTheFile) {
    PackFont(s, -1);
    const std::string path = dir.Path("no-such-folder/x.fnt");
    tk::QueueFileAnswer(path, 0);
    SaveFontFile(s);
    const tk::Shown& shown = tk::ShownRequesters().back();
    EXPECT_EQ(shown.kind, "message");
    EXPECT_EQ(shown.title, "Error!");
    EXPECT_NE(shown.text.find(path), std::string::npos);
}

TEST_F(FontFilesTest, ACancelledSaveWritesNothingAndSaysNothing) {
    PackFont(s, -1);
    SaveFontFile(s);
    ASSERT_EQ(tk::ShownRequesters().size(), 1u);
    EXPECT_EQ(tk::ShownRequesters()[0].kind, "save");
}

TEST_F(FontFilesTest, DefaultFontReplacesTheSlotOnlyOnYes) {
    s.CurrentSlot = 3;
    s.Slot().fileName = "mine.fnt";
    LoadDefaultFont(s);  // nothing queued: No
    EXPECT_EQ(SlotBytes(), std::vector<unsigned char>(kFontBytes, 0));
    const tk::Shown& question = tk::ShownRequesters().back();
    EXPECT_EQ(question.kind, "question");
    EXPECT_EQ(question.title, "Default font...");
    EXPECT_EQ(question.text, "Load Atari Default Font ?");

    tk::QueueAnswer(tk::Answer::Yes);
    LoadDefaultFont(s);
    EXPECT_EQ(SlotBytes(), std::vector<unsigned char>(DefaultFontData.begin(), DefaultFontData.end()));
    EXPECT_EQ(s.Slot().fileName, "mine.fnt");
}

}  // namespace
}  // namespace qm
