#include <gtest/gtest.h>

#include "session/font_buffer.h"
#include "files/project_file.h"
#include "support/editor_fixture.h"

namespace qm {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class ProjectFileTest : public test::EditorTest {
protected:
    void SaveAs(const std::string& path, int filter = 0) {
        tk::QueueFileAnswer(path, filter);
        SaveProject(s, SaveMode::SaveAs);
    }
    void Open(const std::string& path) {
        tk::QueueFileAnswer(path);
        OpenProject(s);
    }
    // Work in every part of the project, different from the defaults.
    void MakeWork() {
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            s.doc.Slots[slot].Pixel(slot, slot % 8, 3) = 1;
            for (int reg = LUM; reg <= PF3; ++reg) s.doc.Slots[slot].colors[reg] = tk::MakeRgb(slot, reg, 99);
        }
        s.doc.SetTable[1].cells[0] = 33;
        s.doc.SetTable[100].cells[24] = 127;
        s.doc.SetTable[50].cells[12] = 0;
        s.doc.RegisterValue = {0, 200, 1, 2, 3, 128, 255};
        s.doc.RegisterRgb[PF0] = tk::MakeRgb(10, 20, 30);
        s.doc.ViewScreen[0][0] = 7;
        s.doc.ViewScreen[39][59] = 126;
        s.CurrentSlot = 4;
    }
    TempDir dir;
};

TEST_F(ProjectFileTest, SaveBeforeAnyPathDoesNothing) {
    SaveProject(s, SaveMode::Save);
    EXPECT_TRUE(tk::ShownRequesters().empty());
    EXPECT_TRUE(s.doc.ProjectPath.empty());
}

TEST_F(ProjectFileTest, SaveAsAppendsProjUnderEveryFilterAndShowsTheName) {
    SaveAs(dir.Path("work"), 1);
    EXPECT_EQ(ReadBytes(dir.Path("work.proj")).size(), 22614u);
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("work.proj"));
    EXPECT_EQ(tk::StatusText(s.ui.window, 2), "Project: work.proj");
    const tk::Shown& shown = tk::ShownRequesters().back();
    EXPECT_EQ(shown.title, "Save project (.proj)");
    EXPECT_EQ(shown.filters, "Project (*.proj)|*.proj|All files (*.*)|*.*");

    SaveAs(dir.Path("upper.PROJ"));
    EXPECT_EQ(ReadBytes(dir.Path("upper.PROJ")).size(), 22614u);
}

TEST_F(ProjectFileTest, SaveWritesTheStateWithoutChangingIt) {
    MakeWork();
    SaveAs(dir.Path("p.proj"));
    const auto file = ReadBytes(dir.Path("p.proj"));
    ASSERT_EQ(file.size(), 22614u);
    PackFont(s, 3);
    EXPECT_TRUE(std::equal(s.FontBuffer.begin(), s.FontBuffer.end(), file.begin() + 4 + 2 * 1024));
    EXPECT_EQ(file[10244], 33);
    EXPECT_EQ(file[10245], 255);
    EXPECT_EQ(file[12744 + 3], 3);    // PF1 value
    EXPECT_EQ(file[12744 + 5], 255);  // PF3 value
    EXPECT_EQ(file[12750 + 8], 10);   // PF0 red
    EXPECT_EQ(file[22374 + 24], 2);   // slot 2 LUM red: the slot colours as they stand
    EXPECT_EQ(s.CurrentSlot, 4);
    EXPECT_EQ(s.doc.Slots[4].colors[PF0], tk::MakeRgb(4, PF0, 99));
}

TEST_F(ProjectFileTest, WhatIsSavedOpensAgainWithSlotOneCurrent) {
    MakeWork();
    SaveAs(dir.Path("p.proj"));
    const EditorState saved = s;

    test::EditorTest::TearDown();
    test::EditorTest::SetUp();
    Open(dir.Path("p.proj"));

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_EQ(s.doc.Slots[slot].pixels, saved.doc.Slots[slot].pixels) << slot;
        EXPECT_EQ(s.doc.Slots[slot].colors, saved.doc.Slots[slot].colors) << slot;
        EXPECT_EQ(s.doc.Slots[slot].fileName, "Default.fnt");
    }
    for (int set = 1; set <= kSetCount; ++set) EXPECT_EQ(s.doc.SetTable[set].cells, saved.doc.SetTable[set].cells) << set;
    EXPECT_EQ(s.doc.RegisterValue, saved.doc.RegisterValue);
    EXPECT_EQ(s.doc.ViewScreen, saved.doc.ViewScreen);
    EXPECT_EQ(s.CurrentSlot, 1);
    EXPECT_EQ(s.doc.RegisterRgb, saved.doc.Slots[1].colors);
    EXPECT_EQ(tk::Text(s.ui.slotLabel), "1");
    EXPECT_EQ(tk::CanvasSurface(s.ui.swatch[PF0]).Pixel(3, 3), tk::MakeRgb(1, PF0, 99));
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("p.proj"));
    EXPECT_EQ(tk::StatusText(s.ui.window, 2), "Project: p.proj");
    EXPECT_EQ(tk::StatusText(s.ui.window, 1), "Font: Default.fnt");
}

TEST_F(ProjectFileTest, TheOlderFormKeepsSlotColoursAndTakesTheStoredRegisters) {
    MakeWork();
    SaveAs(dir.Path("p.proj"));
    auto file = ReadBytes(dir.Path("p.proj"));
    file.resize(22374);
    WriteBytes(dir.Path("old.proj"), file);

    for (int slot = 1; slot <= kSlotCount; ++slot) s.doc.Slots[slot].colors = kDefaultRegisterRgb;
    s.doc.RegisterRgb = kDefaultRegisterRgb;
    Open(dir.Path("old.proj"));
    EXPECT_EQ(s.doc.RegisterRgb[PF0], tk::MakeRgb(10, 20, 30));
    EXPECT_EQ(s.doc.RegisterRgb[LUM], kDefaultRegisterRgb[LUM]);
    for (int slot = 1; slot <= kSlotCount; ++slot) EXPECT_EQ(s.doc.Slots[slot].colors, kDefaultRegisterRgb);
    EXPECT_EQ(s.doc.SetTable[100].cells[24], 127);
    EXPECT_EQ(s.CurrentSlot, 1);
}

TEST_F(ProjectFileTest, WrongMagicShowsTheErrorAndChangesNothing) {
    MakeWork();
    SaveAs(dir.Path("p.proj"));
    auto file = ReadBytes(dir.Path("p.proj"));
    file[0] = 'Q';
    WriteBytes(dir.Path("bad.proj"), file);
    s.doc.SetTable[1].cells[0] = 5;

    Open(dir.Path("bad.proj"));
    const tk::Shown& shown = tk::ShownRequesters().back();
    EXPECT_EQ(shown.kind, "message");
    EXPECT_EQ(shown.title, "Error!");
    EXPECT_EQ(shown.text, "This file is not project QMR!");
    EXPECT_EQ(s.doc.SetTable[1].cells[0], 5);
    EXPECT_EQ(s.CurrentSlot, 4);
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("p.proj"));
}

TEST_F(ProjectFileTest, CancelledOrMissingOpenIsSilent) {
    s.doc.ProjectPath = dir.Path("earlier.proj");
    OpenProject(s);
    Open(dir.Path("missing.proj"));
    ASSERT_EQ(tk::ShownRequesters().size(), 2u);
    EXPECT_EQ(tk::ShownRequesters()[0].title, "Open project (.proj)");
    EXPECT_EQ(tk::ShownRequesters()[0].text, dir.Path("earlier.proj"));
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("earlier.proj"));
}

TEST_F(ProjectFileTest, InverseCodesOpenAndOutOfRangeCellsOpenAsEmpty) {
    SaveAs(dir.Path("p.proj"));
    auto file = ReadBytes(dir.Path("p.proj"));
    file[10244] = 200;                 // set 1, cell 0
    for (std::size_t i = 0; i < 4; ++i) {
        file[12774 + 4 + i] = i == 0 ? 0x80 : 0;  // view (1, 0) = 128
        file[12774 + 8 + i] = i == 1 ? 0x01 : 0;  // view (2, 0) = 256
    }
    WriteBytes(dir.Path("odd.proj"), file);
    s.doc.SetTable[1].cells[0] = 9;
    Open(dir.Path("odd.proj"));
    EXPECT_EQ(s.doc.SetTable[1].cells[0], 200);
    EXPECT_EQ(s.doc.ViewScreen[0][1], 128);
    EXPECT_EQ(s.doc.ViewScreen[0][2], kEmptyCell);
}

TEST_F(ProjectFileTest, SaveAfterOpeningAPrjFileWritesPrjProj) {
    SaveAs(dir.Path("p.proj"));
    WriteBytes(dir.Path("x.prj"), ReadBytes(dir.Path("p.proj")));
    Open(dir.Path("x.prj"));
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("x.prj"));
    SaveProject(s, SaveMode::Save);
    EXPECT_EQ(ReadBytes(dir.Path("x.prj.proj")).size(), 22614u);
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("x.prj.proj"));
}

TEST_F(ProjectFileTest, AFailingSaveReportsAndKeepsThePath) {
    const std::string statusBefore = tk::StatusText(s.ui.window, 2);
    s.doc.ProjectPath = dir.Path("gone/p.proj");
    SaveProject(s, SaveMode::Save);
    ASSERT_EQ(tk::ShownRequesters().size(), 1u);
    EXPECT_EQ(tk::ShownRequesters()[0].title, "Error!");
    EXPECT_NE(tk::ShownRequesters()[0].text.find(dir.Path("gone/p.proj")), std::string::npos);
    EXPECT_EQ(tk::StatusText(s.ui.window, 2), statusBefore);
}

// A file that starts like a project but is shorter than even the older form
// has lost its end: it is refused with the reason, and nothing changes.
TEST_F(ProjectFileTest, AProjectEndingEarlyIsRefusedWithItsLength) {
    MakeWork();
    SaveAs(dir.Path("p.proj"));
    const auto whole = ReadBytes(dir.Path("p.proj"));
    s.doc.ProjectPath = "";
    const EditorState before = s;
    for (std::size_t size : {4u, 5u, 1024u, 12744u, 22373u}) {
        tk::ClearScript();
        WriteBytes(dir.Path("cut.proj"), std::vector<unsigned char>(whole.begin(), whole.begin() + size));
        Open(dir.Path("cut.proj"));
        ASSERT_EQ(tk::ShownRequesters().size(), 2u) << size;
        const tk::Shown& shown = tk::ShownRequesters().back();
        EXPECT_EQ(shown.title, "Error!");
        EXPECT_EQ(shown.text, "The project cut.proj ends early: it has only " + std::to_string(size) +
                                  " of the at least 22374 bytes.");
        EXPECT_TRUE(s.doc.ProjectPath.empty());
        EXPECT_EQ(s.CurrentSlot, before.CurrentSlot);
        EXPECT_EQ(s.doc.RegisterValue, before.doc.RegisterValue);
        EXPECT_EQ(s.doc.Slots[2].pixels, before.doc.Slots[2].pixels);
    }
    tk::ClearScript();
    WriteBytes(dir.Path("old.proj"), std::vector<unsigned char>(whole.begin(), whole.begin() + 22374));
    Open(dir.Path("old.proj"));
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("old.proj"));
}

}  // namespace
}  // namespace qm

