#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

#include "app/full_redraw.h"
#include "app/main_event_handler.h"
#include "core/emulator_command.h"
#include "core/font_format.h"
#include "core/palette.h"
#include "core/recent_projects.h"
#include "files/atari_program.h"
#include "session/menu_items.h"
#include "sets/view_editor.h"
#include "support/antic_model.h"
#include "support/editor_fixture.h"
#include "support/mos6502.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::Mos6502;
using test::ReadBytes;
using test::TempDir;

// The shadows as DOS leaves them, and a key pressed before the program starts.
constexpr std::pair<std::uint16_t, std::uint8_t> kDosShadows[] = {
    {0x22F, 0x22}, {0x230, 0x20}, {0x231, 0xBC}, {0x2C4, 0x28}, {0x2C5, 0xCA}, {0x2C6, 0x94},
    {0x2C7, 0x46}, {0x2C8, 0x00}, {0x2F3, 0x02}, {0x2F4, 0xE0}, {0x2FC, 0x0C},
};
constexpr std::uint16_t kCh = 0x2FC;

Rgb PaletteColor(int byte) { return PlatformPalette[(byte >> 4) & 15][(byte & 15) >> 1]; }

// The machine after DOS has loaded the program and RUNAD's routine has set up
// the screen and waits for a key.
struct Machine {
    Mos6502 cpu;
    std::vector<test::Segment> segments;

    explicit Machine(const Bytes& program) {
        for (const auto& [address, value] : kDosShadows) cpu.memory[address] = value;
        segments = test::LoadBinaryFile(cpu, program);
        const auto run = static_cast<std::uint16_t>(cpu.memory[0x2E0] | cpu.memory[0x2E1] << 8);
        if (cpu.Call(run, kCh)) throw std::runtime_error("the program returned without waiting for a key");
    }
};

class AtariProgramTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        setenv("XDG_RUNTIME_DIR", runtime.Root().c_str(), 1);
        fs::remove(EmulatorCommandFile(UserConfigFolder()));
        OpenViewEditor(s);
    }

    // Random register bytes shown in their palette colours; in the
    // high-resolution view LUM takes BAK's hue, as the machine lights set
    // pixels with LUM's luminance on the ground's hue.
    void RandomRegisters(std::mt19937& rng) {
        for (int r = LUM; r <= PF3; ++r) s.doc.RegisterValue[r] = static_cast<int>(rng() % 256);
        if (s.MulticolorMode == DisplayMode::HiRes) s.doc.RegisterValue[LUM] = (s.doc.RegisterValue[BAK] & 0xF0) | (s.doc.RegisterValue[LUM] & 0x0F);
        for (int r = LUM; r <= PF3; ++r) s.doc.RegisterRgb[r] = PaletteColor(s.doc.RegisterValue[r]);
    }

    // Cells of every kind: empty, characters and their inverse codes.
    void RandomScreen(std::mt19937& rng) {
        for (auto& row : s.doc.ViewScreen) {
            for (auto& cell : row) cell = static_cast<int>(rng() % 257) - 1;
        }
    }

    // The editor's own drawing of the code at a screen place: the view
    // editor's cell for a character it shows there, the font sheet's inverse
    // half for codes 128 to 255 and the sheet for the fill code. Each font
    // pixel is a 2 x 2 block; its lower right pixel lies clear of grid lines.
    Rgb EditorPixel(int code, bool placedInView, int viewX, int viewY, int i, int j) const {
        if (code < kCharCount && placedInView) {
            return tk::CanvasSurface(s.viewUi.canvas).Pixel(16 * viewX + 2 * i + 1, 16 * viewY + 2 * j + 1);
        }
        const int k = code & 0x7F;
        const int top = code >= kCharCount ? 68 : 0;
        return tk::CanvasSurface(s.ui.fontSheet).Pixel(17 * (k % 32) + 2 * i + 1, top + 17 * (k / 32) + 2 * j + 1);
    }

    // Compares every pixel of the machine's 40 x 24 screen with the editor's.
    void ExpectSamePicture(const Machine& machine, const ProgramLayout& layout, const std::string& what) {
        const test::ScreenPicture picture = test::ShowTextScreen(machine.cpu.memory);
        ASSERT_EQ(picture.rows.size(), 24u + 8u * kProgramRows) << what << ": three blank rows and 24 text lines";
        for (int y = 0; y < 24; ++y) {
            ASSERT_EQ(PaletteColor(picture.rows[y][0]), s.doc.RegisterRgb[BAK]) << what << ": the border is BAK";
        }
        const Region& r = layout.region;
        for (int cy = 0; cy < kProgramRows; ++cy) {
            for (int cx = 0; cx < kProgramColumns; ++cx) {
                const bool inRegion = cx < r.width && cy < r.height;
                const int cell = inRegion ? s.doc.ViewScreen[r.startY + cy][r.startX + cx] : kEmptyCell;
                const bool placed = cell >= 0 && cell <= 255;
                const int code = placed ? cell : layout.fill;
                for (int j = 0; j < 8; ++j) {
                    for (int i = 0; i < 8; ++i) {
                        const Rgb machinePixel = PaletteColor(picture.rows[24 + 8 * cy + j][8 * cx + i]);
                        ASSERT_EQ(machinePixel, EditorPixel(code, placed, r.startX + cx, r.startY + cy, i, j))
                            << what << ": cell " << cx << "," << cy << " code " << code << " pixel " << i << "," << j;
                    }
                }
            }
        }
    }

    TempDir runtime;
    TempDir temp;
};

std::vector<fs::path> Fonts() {
    std::vector<fs::path> fonts;
    for (const fs::directory_entry& entry : fs::directory_iterator(test::TestDataPath("fonts"))) {
        if (entry.path().extension() == ".fnt") fonts.push_back(entry.path());
    }
    std::sort(fonts.begin(), fonts.end());
    return fonts;
}

TEST_F(AtariProgramTest, TheMachineShowsTheEditorsCellsPixelForPixelInBothViews) {
    const std::vector<fs::path> fonts = Fonts();
    ASSERT_GE(fonts.size(), 10u);
    std::mt19937 rng(2026);
    for (std::size_t n = 0; n < fonts.size(); ++n) {
        for (const bool multicolour : {false, true}) {
            s.CurrentSlot = 1 + static_cast<int>(rng() % kSlotCount);
            UnpackFont(ReadFontBytes(ReadBytes(fonts[n].string())), s.Slot());
            s.MulticolorMode = multicolour ? DisplayMode::Multicolor : DisplayMode::HiRes;
            RandomRegisters(rng);
            RandomScreen(rng);
            RedrawAll(s);
            ProgramLayout layout;
            layout.mode = multicolour ? 4 : 2;
            layout.fill = static_cast<int>(rng() % 256);
            // The whole screen, and a smaller region anywhere on the view screen.
            if (n % 2 == 1) {
                layout.region.width = 1 + static_cast<int>(rng() % kProgramColumns);
                layout.region.height = 1 + static_cast<int>(rng() % kProgramRows);
                layout.region.startX = static_cast<int>(rng() % (kViewColumns - layout.region.width + 1));
                layout.region.startY = static_cast<int>(rng() % (kViewRows - layout.region.height + 1));
            }
            const ProgramBuild program = BuildAtariProgram(s.doc, s.CurrentSlot, layout);
            ASSERT_EQ(program.error, "");
            const std::string what = fonts[n].filename().string() + (multicolour ? " mode 4" : " mode 2");
            ExpectSamePicture(Machine(program.bytes), layout, what);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST_F(AtariProgramTest, ItLoadsAboveDosAndReturnsWithTheDisplayItFound) {
    for (const DisplayMode mode : {DisplayMode::HiRes, DisplayMode::Multicolor}) {
        s.MulticolorMode = mode;
        const ProgramBuild program = CurrentProgram(s);
        Machine machine(program.bytes);
        for (const test::Segment& segment : machine.segments) {
            const bool runAddress = segment.start == 0x2E0 && segment.end == 0x2E1;
            EXPECT_TRUE(runAddress || (segment.start >= 0x2000 && segment.end <= 0x9FFF))
                << "a segment at " << segment.start << " to " << segment.end;
        }
        EXPECT_EQ(machine.segments.back().start, 0x2E0) << "RUNAD is written last";
        const int list = machine.cpu.memory[0x230] | machine.cpu.memory[0x231] << 8;
        EXPECT_EQ(list / 1024, (list + 31) / 1024) << "the display list stays in one 1 KB block";
        EXPECT_EQ(machine.cpu.memory[0x2F3], 2) << "codes with bit 7 shown inverse";

        // A key may have been pressed before; only a new one ends the program.
        EXPECT_THROW(machine.cpu.Resume(-1, 10000), std::runtime_error) << "it keeps waiting";
        machine.cpu.memory[kCh] = 0x21;
        ASSERT_TRUE(machine.cpu.Resume()) << "a key returns to DOS";
        for (const auto& [address, value] : kDosShadows) {
            if (address != kCh) {
                EXPECT_EQ(machine.cpu.memory[address], value) << "shadow " << address;
            }
        }
        EXPECT_EQ(machine.cpu.memory[kCh], 0xFF) << "DOS does not see the key";
    }
}

TEST_F(AtariProgramTest, ABadLayoutIsRefusedWithAReason) {
    const auto layout = [](int x, int y, int w, int h, int mode = 2, int fill = 0) {
        return ProgramLayout{{x, y, w, h}, mode, fill};
    };
    for (const ProgramLayout& bad : {layout(0, 0, 41, 24), layout(0, 0, 40, 25), layout(21, 0, 40, 24),
                                     layout(0, 17, 40, 24), layout(-1, 0, 4, 4), layout(0, 0, 40, 24, 3),
                                     layout(0, 0, 40, 24, 2, 256)}) {
        const ProgramBuild build = BuildAtariProgram(s.doc, 1, bad);
        EXPECT_TRUE(build.bytes.empty());
        EXPECT_NE(build.error, "");
    }
    EXPECT_NE(BuildAtariProgram(s.doc, 11, {}).error, "") << "no slot 11";
    EXPECT_NE(BuildAtariProgram(s.doc, 0, {}).error, "");
    EXPECT_EQ(BuildAtariProgram(s.doc, 1, layout(20, 16, 40, 24)).error, "") << "the far corner of the screen";
}

TEST_F(AtariProgramTest, TheMenuItemWritesTheProgramOfWhatTheEditorShows) {
    s.MulticolorMode = DisplayMode::Multicolor;
    s.doc.ViewScreen[0][0] = 65;
    const std::string path = temp.Path("shown.xex");
    tk::QueueFileAnswer(temp.Path("shown"));
    MainEventHandler(s, MenuEvent(kMenuExportProgram));
    EXPECT_EQ(ReadBytes(path), BuildAtariProgram(s.doc, s.CurrentSlot, ProgramLayout{{0, 0, 40, 24}, 4, 0}).bytes);
}

// A command that copies the program where the test looks, whole at once.
std::string CopyCommand(const std::string& to) {
    return "sh -c 'cp \"$0\" \"$1.part\" && mv \"$1.part\" \"$1\"' %f '" + to + "'";
}

// Waits for the file that a started program writes.
Bytes AwaitFile(const std::string& path) {
    for (int i = 0; i < 1000 && !fs::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ReadBytes(path);
}

TEST_F(AtariProgramTest, TheDialogGivesTheCommandTypedAndWaitsForOneThatNamesAProgram) {
    EmulatorDialog d = OpenEmulatorDialog(s, "");
    tk::SetText(d.command, "  ");
    tk::PostEvent(ControlEvent(d.ok));
    EXPECT_EQ(RunEmulatorDialog(s, d), "") << "blanks name nothing; closing the window gives nothing";
    EXPECT_TRUE(tk::WindowEnabled(s.ui.window));

    d = OpenEmulatorDialog(s, "old -run %f");
    EXPECT_EQ(tk::Text(d.command), "old -run %f");
    tk::SetText(d.command, "emu '%f'");
    tk::PostEvent(ControlEvent(d.ok));
    EXPECT_EQ(RunEmulatorDialog(s, d), "emu '%f'");
}

TEST_F(AtariProgramTest, RunInEmulatorStartsTheKeptCommandOnTheProgramWithoutWaiting) {
    const std::string seen = temp.Path("seen.xex");
    ASSERT_EQ(WriteEmulatorCommand(EmulatorCommandFile(UserConfigFolder()), CopyCommand(seen)), "");
    bool asked = false;
    tk::SetWindowOpenedHook([&](tk::WindowId) { asked = true; });
    s.doc.ViewScreen[3][2] = 7;
    s.MulticolorMode = DisplayMode::Multicolor;
    MainEventHandler(s, MenuEvent(kMenuRunInEmulator));
    EXPECT_FALSE(asked) << "a kept command is not asked for again";
    EXPECT_EQ(AwaitFile(seen), CurrentProgram(s).bytes);

    fs::remove(seen);
    s.doc.ViewScreen[3][2] = 8;
    const auto before = std::chrono::steady_clock::now();
    const std::string file = RunInEmulator(s);
    const auto took = std::chrono::steady_clock::now() - before;
    EXPECT_EQ(AwaitFile(seen), CurrentProgram(s).bytes);
    EXPECT_EQ(ReadBytes(file), CurrentProgram(s).bytes);
    EXPECT_LT(took, std::chrono::milliseconds(500)) << "the editor does not wait for the emulator";
}

TEST_F(AtariProgramTest, TheFirstRunAsksForTheCommandAndKeepsIt) {
    const std::string seen = temp.Path("seen.xex");
    tk::SetWindowOpenedHook([&](tk::WindowId w) {
        if (tk::WindowTitle(w) != "Emulator command") return;
        for (tk::ControlId c : tk::Controls(w)) {
            if (tk::KindOf(c) == tk::ControlKind::TextField) tk::SetText(c, CopyCommand(seen));
            if (tk::Text(c) == "OK") tk::PostEvent(ControlEvent(c));
        }
    });
    EXPECT_NE(RunInEmulator(s), "");
    EXPECT_EQ(ReadEmulatorCommand(EmulatorCommandFile(UserConfigFolder())), CopyCommand(seen));
    EXPECT_EQ(AwaitFile(seen), CurrentProgram(s).bytes);
}

TEST_F(AtariProgramTest, WithoutACommandItAsksAndAClosedDialogRunsAndKeepsNothing) {
    bool asked = false;
    tk::SetWindowOpenedHook([&](tk::WindowId w) { asked = tk::WindowTitle(w) == "Emulator command"; });
    EXPECT_EQ(RunInEmulator(s), "");
    EXPECT_TRUE(asked);
    EXPECT_FALSE(fs::exists(EmulatorCommandFile(UserConfigFolder())));
}

TEST_F(AtariProgramTest, AnEmulatorThatCannotBeStartedIsReportedWithItsReason) {
    ASSERT_EQ(WriteEmulatorCommand(EmulatorCommandFile(UserConfigFolder()), "/nonexistent/emulator -run %f"), "");
    EXPECT_EQ(RunInEmulator(s), "");
    ASSERT_FALSE(tk::ShownRequesters().empty());
    const tk::Shown& shown = tk::ShownRequesters().back();
    EXPECT_EQ(shown.title, "Error!");
    const std::string start = "The emulator could not be started (/nonexistent/emulator -run %f): ";
    ASSERT_EQ(shown.text.substr(0, start.size()), start);
    EXPECT_GT(shown.text.size(), start.size() + 2) << "with a reason: " << shown.text;
}

}  // namespace
}  // namespace qm
