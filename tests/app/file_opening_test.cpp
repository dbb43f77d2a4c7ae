#include <algorithm>
#include <filesystem>
#include <iterator>
#include <functional>
#include <random>

#include "app/file_opening.h"
#include "app/main_event_handler.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "session/undo.h"
#include "app/startup.h"
#include "core/color_format.h"
#include "core/font_format.h"
#include "core/project_format.h"
#include "core/recent_projects.h"
#include "core/set_format.h"
#include "core/view_format.h"
#include "support/editor_fixture.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

class FileOpeningTest : public test::EditorTest {
protected:
    void Drop(const std::vector<std::string>& paths) {
        tk::Event e;
        e.kind = tk::EventKind::FilesDropped;
        e.window = s.ui.window;
        e.paths = paths;
        DispatchEvent(s, e);
    }
    // A project whose every pixel, cell and colour differs from the start-up's.
    std::string WriteProjectFile(const std::string& name) {
        Document other = s.doc;
        for (int slot = 1; slot <= kSlotCount; ++slot) other.Slots[slot].pixels.fill(1);
        for (auto& set : other.SetTable) set.cells.fill(5);
        other.RegisterRgb[BAK] = tk::MakeRgb(1, 2, 3);
        const std::string path = dir.Path(name);
        test::WriteBytes(path, WriteProject(ProjectOf(other)));
        return path;
    }
    std::string WriteFont(const std::string& name, std::uint8_t fill) {
        FontBytes font;
        font.fill(fill);
        test::WriteBytes(dir.Path(name), WriteFontBytes(font));
        return dir.Path(name);
    }
    std::string LastMessage() const {
        return tk::ShownRequesters().empty() ? "" : tk::ShownRequesters().back().text;
    }
    std::vector<std::string> RecentMenu() const {
        std::vector<std::string> texts;
        for (const tk::MenuEntry& e : tk::MenuEntries(s.ui.window)) {
            if (IsRecentItem(e.number) && e.visible) texts.push_back(e.enabled ? e.text : "(" + e.text + ")");
        }
        return texts;
    }
    test::TempDir dir;
};

// Each kind of file dropped loads as its extension says, as one step that
// undo takes back whole.
TEST_F(FileOpeningTest, EachKindOfFileDroppedLoadsAndUndoesAsOneStep) {
    SetRecord set;
    set.cells.fill(7);
    SetArray sets{};
    for (auto& one : sets) one.cells.fill(9);
    ViewCells screen{};
    screen[3][4] = 65;
    ColorRegisters colors{s.doc.RegisterValue, s.doc.RegisterRgb};
    colors.rgb[PF0] = tk::MakeRgb(10, 20, 30);
    test::WriteBytes(dir.Path("a.set"), EncodeSetFile(set));
    test::WriteBytes(dir.Path("a.SETS"), EncodeAllSetsFile(sets));
    test::WriteBytes(dir.Path("a.ved"), EncodeViewFile(screen));
    test::WriteBytes(dir.Path("a.col"), EncodeColorFile(colors));
    struct Case {
        std::string path;
        std::function<bool()> loaded;
    };
    const std::vector<Case> cases = {
        {WriteFont("a.fnt", 0xFF), [&] { return s.Slot().Pixel(0, 0, 0) == 1 && s.Slot().fileName == "a.fnt"; }},
        {WriteProjectFile("a.proj"), [&] { return s.doc.ProjectPath == dir.Path("a.proj") && s.doc.SetTable[50].cells[0] == 5; }},
        {dir.Path("a.set"), [&] { return s.Set().cells == set.cells; }},
        {dir.Path("a.SETS"), [&] { return s.doc.SetTable[100].cells[24] == 9; }},
        {dir.Path("a.ved"), [&] { return s.doc.ViewScreen[3][4] == 65; }},
        {dir.Path("a.col"), [&] { return s.doc.RegisterRgb[PF0] == tk::MakeRgb(10, 20, 30); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        tk::ClearScript();
        ASSERT_FALSE(c.loaded());
        Drop({c.path});
        EXPECT_TRUE(c.loaded());
        EXPECT_TRUE(tk::ShownRequesters().empty()) << LastMessage();
        DispatchEvent(s, MenuEvent(kMenuUndo));
        EXPECT_FALSE(c.loaded());
        EXPECT_FALSE(s.history.CanUndo());
    }
}

TEST_F(FileOpeningTest, FontsFillSlotsFromTheCurrentOneAndTheRestIsRefusedByName) {
    StepSlot(s, +8, false);  // slot 9
    const std::vector<std::string> paths = {WriteFont("x.fnt", 0x80), dir.Path("notes.txt"), WriteFont("y.fnt", 0x01),
                                            WriteFont("z.fnt", 0x0F), dir.Path("gone.fnt")};
    Drop(paths);
    EXPECT_EQ(s.CurrentSlot, 9);
    EXPECT_EQ(s.doc.Slots[9].fileName, "x.fnt");
    EXPECT_EQ(s.doc.Slots[10].fileName, "y.fnt");
    EXPECT_EQ(s.doc.Slots[10].Pixel(5, 7, 0), 1);
    EXPECT_EQ(tk::StatusText(s.ui.window, 1), "Font: x.fnt");
    ASSERT_EQ(tk::ShownRequesters().size(), 1u);  // one message for all
    const std::string text = LastMessage();
    for (const char* name : {"notes.txt", "gone.fnt", "z.fnt"}) EXPECT_NE(text.find(name), std::string::npos) << name;
    EXPECT_EQ(text.find("x.fnt"), std::string::npos);
}

TEST_F(FileOpeningTest, OnTheCommandLineALoadFileGivesItsFontAndANonFontIsNamedWithItsReason) {
    FontBytes font;
    for (int i = 0; i < kFontBytes; ++i) font[i] = static_cast<std::uint8_t>(i * 13);
    const unsigned char header[] = {0xFF, 0xFF, 0x00, 0xE0, 0xFF, 0xE3};
    Bytes load(std::begin(header), std::end(header));
    std::copy(font.begin(), font.end(), std::back_inserter(load));
    test::WriteBytes(dir.Path("load.fnt"), load);
    test::WriteBytes(dir.Path("tiny.fnt"), {'h', 'i', '\n'});
    OpenCommandLineFiles(s, {dir.Path("tiny.fnt"), dir.Path("load.fnt")});
    EXPECT_EQ(PackFont(s.doc.Slots[1]), font);
    EXPECT_EQ(s.doc.Slots[1].fileName, "load.fnt");
    EXPECT_NE(LastMessage().find("tiny.fnt: not a font: 3 bytes"), std::string::npos) << LastMessage();
}

TEST_F(FileOpeningTest, FilesOnTheCommandLineAreWhereTheWorkStarts) {
    OpenCommandLineFiles(s, {WriteProjectFile("start.proj"), WriteFont("b.fnt", 0x55)});
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("start.proj"));
    EXPECT_EQ(s.doc.Slots[1].fileName, "b.fnt");
    EXPECT_EQ(s.doc.Slots[2].Pixel(0, 0, 0), 1);  // from the project
    EXPECT_FALSE(s.history.CanUndo());
    EXPECT_FALSE(ChangedSinceSave(s));
    EXPECT_EQ(RecentMenu().front(), "1  " + dir.Path("start.proj"));
}

// The list is kept in the configuration folder across runs, newest first,
// eight at most; a project gone when chosen is dropped with a message.
TEST_F(FileOpeningTest, RecentProjectsAreKeptAcrossRunsAndAMissingOneIsDropped) {
    std::filesystem::remove(RecentProjectsFile(UserConfigFolder()));
    ShowRecentProjects(s);
    EXPECT_EQ(RecentMenu(), std::vector<std::string>{"(No recent projects)"});
    for (int i = 1; i <= 10; ++i) Drop({WriteProjectFile("p" + std::to_string(i) + ".proj")});
    tk::QueueFileAnswer(dir.Path("p3.proj"));
    DispatchEvent(s, MenuEvent(kMenuOpenProject));
    CloseAllWindows(s);  // a new run reads the list again
    StartUp(s);
    std::vector<std::string> expected = {"1  " + dir.Path("p3.proj")};
    for (int i = 10, n = 2; n <= kRecentProjectCount; --i, ++n) {
        expected.push_back(std::to_string(n) + "  " + dir.Path("p" + std::to_string(i) + ".proj"));
    }
    EXPECT_EQ(RecentMenu(), expected);

    std::filesystem::remove(dir.Path("p9.proj"));
    DispatchEvent(s, MenuEvent(kMenuRecentFirst + 2));
    EXPECT_NE(LastMessage().find("p9.proj"), std::string::npos);
    EXPECT_TRUE(s.doc.ProjectPath.empty());
    EXPECT_EQ(RecentMenu().size(), 7u);
    DispatchEvent(s, MenuEvent(kMenuRecentFirst + 1));  // p10
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("p10.proj"));
    EXPECT_EQ(RecentMenu().front(), "1  " + dir.Path("p10.proj"));
    EXPECT_EQ(ReadRecentProjects(RecentProjectsFile(UserConfigFolder())).size(), 7u);
}

// Another editor may change the kept list at any time: the menu reads it
// again when it opens, and an item opens the project it shows.
TEST_F(FileOpeningTest, OpenRecentShowsTheListAsKeptNowAndOpensWhatItShows) {
    const std::string game = WriteProjectFile("game.proj"), third = WriteProjectFile("third.proj");
    const std::string kept = RecentProjectsFile(UserConfigFolder());
    WriteRecentProjects(kept, {game});
    ShowRecentProjects(s);
    WriteRecentProjects(kept, {third, game});  // another editor saved third.proj
    EXPECT_EQ(RecentMenu(), std::vector<std::string>{"1  " + game});
    DispatchEvent(s, MenuEvent(kMenuRecentFirst));
    EXPECT_EQ(s.doc.ProjectPath, game);

    WriteRecentProjects(kept, {third, game});
    tk::simulate::OpenMenu(s.ui.window, "Open Recent");
    for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) DispatchEvent(s, e);
    EXPECT_EQ(RecentMenu(), (std::vector<std::string>{"1  " + third, "2  " + game}));
    DispatchEvent(s, MenuEvent(kMenuRecentFirst));
    EXPECT_EQ(s.doc.ProjectPath, third);
}

// The "Font: " field names the current slot's font after whatever changed
// the slot or the font in it.
TEST_F(FileOpeningTest, TheFontFieldAlwaysNamesTheCurrentSlotsFont) {
    const std::vector<std::string> fonts = {WriteFont("hero.fnt", 1), WriteFont("title.fnt", 2), WriteFont("broken.fnt", 3)};
    const std::string project = WriteProjectFile("game.proj");
    std::mt19937 random(3);
    for (int op = 0; op < 300; ++op) {
        const int what = static_cast<int>(random() % 8);
        switch (what) {
            case 0: Drop({fonts[random() % 3], fonts[random() % 3]}); break;
            case 1: DispatchEvent(s, MenuEvent(kMenuNextSlot)); break;
            case 2: DispatchEvent(s, MenuEvent(kMenuPreviousSlot)); break;
            case 3: DispatchEvent(s, ControlEvent(random() % 2 ? s.ui.nextSlot : s.ui.previousSlot)); break;
            case 4: tk::QueueAnswer(tk::Answer::Discard); Drop({project}); break;
            case 5: DispatchEvent(s, MenuEvent(kMenuUndo)); break;
            case 6: tk::QueueFileAnswer(fonts[random() % 3]); DispatchEvent(s, MenuEvent(kMenuLoadFont)); break;
            default: OpenCommandLineFiles(s, {fonts[random() % 3], fonts[random() % 3]}); break;
        }
        tk::ClearScript();
        ASSERT_EQ(tk::StatusText(s.ui.window, kStatusFontField), "Font: " + s.Slot().fileName) << op << " " << what;
    }
}

TEST_F(FileOpeningTest, ArrowKeysHomeAndEndMoveOverTheSheetAndHoldAtItsEdges) {
    const std::vector<std::pair<int, int>> steps = {
        {tk::KeyRight, 2}, {tk::KeyDown, 34}, {tk::KeyDown, 66}, {tk::KeyDown, 98}, {tk::KeyDown, 98},
        {tk::KeyLeft, 97}, {tk::KeyEnd, 127}, {tk::KeyRight, 127}, {tk::KeyUp, 95}, {tk::KeyHome, 0},
        {tk::KeyLeft, 0},  {tk::KeyUp, 0},    {tk::KeyDown, 32},
    };
    for (const auto& [key, expected] : steps) {
        DispatchEvent(s, KeyEvent(tk::EventKind::KeyPressed, key));
        ASSERT_EQ(s.CurrentChar, expected) << "key " << key;
        ASSERT_EQ(s.SheetChar, expected);
    }
    EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: $20 (32)");
    EXPECT_FALSE(s.history.CanUndo());
}

}  // namespace
}  // namespace qm
