#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/main_window.h"
#include "files/import_dialogs.h"
#include "core/color_format.h"
#include "core/font_format.h"
#include "core/font_image.h"
#include "core/image.h"
#include "core/palette.h"
#include "core/project_format.h"
#include "core/set_format.h"
#include "core/view_format.h"
#include "session/undo.h"
#include "sets/view_editor.h"
#include "support/editor_fixture.h"
#include "support/step_values.h"
#include "toolkit/simulate/simulate.h"

namespace qm {
namespace {

// Everything the user's work is: the project's bytes and the names and paths
// that the project file does not hold.
std::string Fingerprint(const Document& doc) {
    const Bytes project = WriteProject(ProjectOf(doc));
    std::string print(project.begin(), project.end());
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        print += "|" + doc.Slots[slot].fileName + "|" + doc.Slots[slot].filePath;
    }
    return print + "|" + doc.ProjectPath;
}

class UndoTest : public test::EditorTest {
protected:
    void Send(const tk::Event& e) { DispatchEvent(s, e); }
    // Hands over whatever the window system queued, as the main loop would.
    void Pump() {
        for (tk::Event e = tk::PollEvent(); e.kind != tk::EventKind::None; e = tk::PollEvent()) DispatchEvent(s, e);
    }
    void Stroke(tk::ControlId canvas, int x, int y, int buttons, int moves, int step) {
        Send(CanvasEvent(canvas, x, y, buttons));
        for (int i = 1; i <= moves; ++i) Send(CanvasEvent(canvas, x + step * i, y + (step * i) / 2, buttons));
        Send(CanvasEvent(canvas, x + step * moves, y, 0));
    }
    int ViewMenuItem(const std::string& text) const {
        for (const tk::MenuEntry& e : tk::MenuEntries(s.viewUi.window)) {
            if (e.text == text) return e.number;
        }
        return -1;
    }
    tk::Event ViewMenuEvent(const std::string& text) const {
        tk::Event e = MenuEvent(ViewMenuItem(text));
        e.window = s.viewUi.window;
        return e;
    }
    std::string MenuText(int item) const {
        for (const tk::MenuEntry& e : tk::MenuEntries(s.ui.window)) {
            if (e.number == item) return e.enabled ? e.text : "(" + e.text + ")";
        }
        return "";
    }
    test::TempDir dir;
};

// The document after a slot button goes from one slot to another: the
// registers kept as the colours of the slot left, the new slot's loaded.
Document Entered(Document doc, int from, int to) {
    doc.Slots[from].colors = doc.RegisterRgb;
    doc.RegisterRgb = doc.Slots[to].colors;
    MatchRegisterValues(doc);
    return doc;
}

bool ChangesRegisters(const Document& a, const Document& b) {
    return a.RegisterRgb != b.RegisterRgb || a.RegisterValue != b.RegisterValue;
}

Rgb PaletteRgb(int value) { return PlatformPalette[value >> 4][(value & 15) / 2]; }

// Random work through the event handlers, with undo and redo in between,
// agrees with the document kept before and after every step: taking a step
// back or doing it again, in the slot it was made in (entered as the slot
// buttons enter it), gives back exactly the values that step changed and
// leaves every other one, so every register and every slot's colours are
// always what the user had, never a mixture.
TEST_F(UndoTest, RandomWorkAgreesWithACopyPerStep) {
    // Files to load: a project that differs everywhere, a set, all sets,
    // colours and a view screen.
    Document other = s.doc;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        for (std::size_t i = 0; i < other.Slots[slot].pixels.size(); ++i) other.Slots[slot].pixels[i] = (i * slot / 7) & 1;
        other.Slots[slot].fileName = "other" + std::to_string(slot) + ".fnt";
    }
    for (int set = 1; set <= kSetCount; ++set) other.SetTable[set].cells.fill(set % 128);
    for (auto& row : other.ViewScreen) row.fill(33);
    other.RegisterRgb[PF0] = tk::MakeRgb(9, 8, 7);
    const std::string project = dir.Path("other.proj");
    test::WriteBytes(project, WriteProject(ProjectOf(other)));
    const std::string oneSet = dir.Path("one.set");
    test::WriteBytes(oneSet, EncodeSetFile(other.SetTable[5]));
    const std::string allSets = dir.Path("all.sets");
    test::WriteBytes(allSets, EncodeAllSetsFile(other.SetTable));
    const std::string colors = dir.Path("c.col");
    test::WriteBytes(colors, EncodeColorFile({{0, 1, 2, 3, 4, 5, 6}, other.RegisterRgb}));
    const std::string view = dir.Path("v.ved");
    test::WriteBytes(view, EncodeViewFile(other.ViewScreen));
    const std::vector<std::string> fonts = {test::TestDataPath("fonts/analog.fnt"), test::TestDataPath("fonts/chess.fnt")};
    const std::vector<int> transforms = {kMenuRotate, kMenuHMirror, kMenuVMirror, kMenuShiftLeft, kMenuShiftRight,
                                         kMenuShiftUp, kMenuShiftDown, kMenuInverse, kMenuClearChar, kMenuCopyChar,
                                         kMenuPasteChar, kMenuCopySet, kMenuPasteSet, kMenuClearSet, kMenuClearSetBits,
                                         kMenuNextSet, kMenuPreviousSet, kMenuNextSlot, kMenuPreviousSlot};

    std::mt19937 rng(11);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    // Colour files of palette colours; hue 15 shows as hue 1, so the bytes
    // change when the slot buttons match them to the colours.
    std::vector<std::string> paletteColors;
    for (int file = 0; file < 4; ++file) {
        ColorRegisters registers;
        for (int reg = LUM; reg <= PF3; ++reg) {
            registers.values[reg] = file == 3 ? 0xF0 + 2 * pick(8) : 2 * pick(128);
            registers.rgb[reg] = PaletteRgb(registers.values[reg]);
        }
        paletteColors.push_back(dir.Path("palette" + std::to_string(file) + ".col"));
        test::WriteBytes(paletteColors.back(), EncodeColorFile(registers));
    }
    // Chooses the value in the palette window of a register and presses "OK".
    const auto choose = [&](int reg, int value) {
        tk::SetWindowOpenedHook([value](tk::WindowId window) {
            const std::vector<tk::ControlId> controls = tk::Controls(window);
            tk::Event e;
            e.window = window;
            e.kind = tk::EventKind::Control;
            e.control = controls.at(0);
            e.mouseX = 16 * ((value & 15) / 2 + 1) + 8;
            e.mouseY = 16 * ((value >> 4) + 1) + 8;
            e.buttons = tk::ButtonLeft;
            tk::PostEvent(e);
            e.control = controls.at(3);
            e.subKind = tk::SubKind::LeftClick;
            e.buttons = 0;
            tk::PostEvent(e);
        });
        Send(ControlEvent(s.ui.setColorButton[reg]));
        tk::SetWindowOpenedHook({});
    };

    struct Step {
        Document before, after;
        int slotBefore, slotAfter;
    };
    std::vector<Step> steps;
    std::size_t at = 0;
    OpenViewEditor(s);
    const std::string start = Fingerprint(s.doc);
    // Takes the step back (or does it again) and checks the outcome.
    const auto take = [&](bool undo, bool byShortcut, const std::string& where) {
        const Document now = s.doc;
        const int slotNow = s.CurrentSlot;
        if (byShortcut) {
            if (undo) tk::simulate::TriggerShortcut(pick(2) ? s.ui.window : s.viewUi.window, 'Z', tk::Ctrl);
            else tk::simulate::TriggerShortcut(s.viewUi.window, 'Y', tk::Ctrl);
            Pump();
        } else {
            Send(MenuEvent(undo ? kMenuUndo : kMenuRedo));
        }
        if (undo ? at == 0 : at == steps.size()) {
            ASSERT_EQ(Fingerprint(s.doc), Fingerprint(now)) << where;
            ASSERT_EQ(s.CurrentSlot, slotNow) << where;
            return;
        }
        const Step& step = steps[undo ? at - 1 : at];
        const Document& from = undo ? step.after : step.before;
        const Document& to = undo ? step.before : step.after;
        // A step that changed the registers is taken in their slot; any
        // other where the editor chose to go.
        const bool registers = ChangesRegisters(step.before, step.after);
        const int takenIn = registers ? (undo ? step.slotAfter : step.slotBefore) : s.CurrentSlot;
        const int endsIn = registers ? (undo ? step.slotBefore : step.slotAfter) : s.CurrentSlot;
        const Document entered = takenIn == slotNow ? now : Entered(now, slotNow, takenIn);
        ASSERT_EQ(s.CurrentSlot, endsIn) << where;
        ASSERT_EQ(tk::Text(s.ui.slotLabel), std::to_string(endsIn)) << where;
        ASSERT_EQ(Fingerprint(s.doc), Fingerprint(test::WithStepValues(entered, from, to))) << where;
        undo ? --at : ++at;
    };
    for (int op = 0; op < 700; ++op) {
        const std::string where = "operation " + std::to_string(op);
        const Document before = s.doc;
        const int slotBefore = s.CurrentSlot;
        const int what = pick(24);
        switch (what) {
            case 0: case 1: case 2:
                Stroke(s.ui.charEditor, 5 + pick(230), 5 + pick(230), pick(2) ? tk::ButtonLeft : tk::ButtonRight,
                       pick(12), 7);
                break;
            case 3: case 4: Send(MenuEvent(transforms[pick(static_cast<int>(transforms.size()))])); break;
            case 5: Stroke(s.ui.largeSetView, pick(400), pick(400), tk::ButtonLeft, pick(8), 5); break;
            case 6: Stroke(s.ui.smallSetView, pick(80), pick(80), pick(2) ? tk::ButtonLeft : tk::ButtonRight, 0, 0); break;
            case 7:
                if (pick(2)) Send(KeyEvent(tk::EventKind::KeyPressed, '1' + pick(5)));
                Stroke(s.ui.fontSheet, pick(540), pick(135), tk::ButtonLeft, 0, 0);
                Send(KeyEvent(tk::EventKind::KeyReleased, 0));
                break;
            case 8:
                switch (pick(7)) {
                    case 0: tk::QueueFileAnswer(fonts[pick(2)]); Send(MenuEvent(kMenuLoadFont)); break;
                    case 1: tk::QueueAnswer(tk::Answer::Yes); Send(MenuEvent(kMenuDefaultFont)); break;
                    case 2:
                        if (ChangedSinceSave(s)) tk::QueueAnswer(tk::Answer::Discard);
                        tk::QueueFileAnswer(project);
                        Send(MenuEvent(kMenuOpenProject));
                        break;
                    case 3: tk::QueueFileAnswer(oneSet); Send(MenuEvent(kMenuLoadSet)); break;
                    case 4: tk::QueueFileAnswer(allSets); Send(ControlEvent(s.ui.loadAllSets)); break;
                    case 5: tk::QueueFileAnswer(colors); Send(ControlEvent(s.ui.loadColors)); break;
                    default: tk::QueueFileAnswer(view); Send(ControlEvent(s.viewUi.loadView)); break;
                }
                break;
            case 9:
                switch (pick(3)) {
                    case 0: Send(ControlEvent(s.viewUi.clear)); break;
                    case 1: Send(ViewMenuEvent("Fill char")); break;
                    default: Stroke(s.viewUi.canvas, pick(480), pick(320), pick(2) ? tk::ButtonLeft : tk::ButtonRight, pick(6), 8); break;
                }
                break;
            case 10: case 11: case 12: case 13: take(true, pick(4) == 0, where); break;
            case 14: case 15: case 16: case 17: case 18: take(false, pick(4) == 0, where); break;
            case 19: case 20: case 21: {
                // The slot buttons carry each slot's own colours, as no step.
                Send(ControlEvent(pick(2) ? s.ui.nextSlot : s.ui.previousSlot));
                ASSERT_EQ(std::abs(s.CurrentSlot - slotBefore), slotBefore == s.CurrentSlot ? 0 : 1) << where;
                const Document entered = Entered(before, slotBefore, s.CurrentSlot);
                ASSERT_EQ(Fingerprint(s.doc), Fingerprint(s.CurrentSlot == slotBefore ? before : entered)) << where;
                break;
            }
            case 22: choose(LUM + pick(6), 2 * pick(128)); break;
            default: tk::QueueFileAnswer(paletteColors[pick(4)]); Send(ControlEvent(s.ui.loadColors)); break;
        }
        if (HasFatalFailure()) return;
        const bool isStep = what < 10 || what >= 22;
        if (isStep && Fingerprint(s.doc) != Fingerprint(before)) {
            steps.resize(at);
            steps.push_back({before, s.doc, slotBefore, s.CurrentSlot});
            ++at;
        }
        ASSERT_EQ(s.history.UndoCount(), at) << where << " kind " << what;
        ASSERT_EQ(s.history.RedoCount(), steps.size() - at) << where;
    }
    while (at > 0) {
        take(true, false, "undoing all");
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(MenuText(kMenuUndo), "(Undo\tCtrl+Z)");
    while (at < steps.size()) {
        take(false, false, "redoing all");
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(MenuText(kMenuRedo), "(Redo\tCtrl+Shift+Z)");
    EXPECT_NE(Fingerprint(s.doc), start);
}

// Each import, with every option that reaches beyond the font (colours from
// the picture, the map on the screen and into sets), is one step.
TEST_F(UndoTest, AnImportIsOneStepUndoneAndRedoneByteForByte) {
    FontSlot other;
    UnpackFont(ReadFontBytes(test::ReadBytes(test::TestDataPath("fonts/chess.fnt"))), other);
    const std::string picture = dir.Path("chess.png");
    test::WriteBytes(picture, EncodePng(RenderFontImage(other, s.doc.RegisterRgb, false, 1)));
    const std::string loadFile = dir.Path("chess.xex");
    Bytes load = {0xFF, 0xFF, 0x00, 0xE0, 0xFF, 0xE3};
    // The font's picture imports as the font itself, so the bytes loaded
    // after it are another font: its inverse.
    FontBytes inverse = PackFont(other);
    for (std::uint8_t& byte : inverse) byte = static_cast<std::uint8_t>(~byte);
    load.insert(load.end(), inverse.begin(), inverse.end());
    test::WriteBytes(loadFile, load);
    for (int set = 1; set <= kSetCount; ++set) s.doc.SetTable[set].cells.fill(set % 100);
    for (auto& row : s.doc.ViewScreen) row.fill(99);
    s.CurrentSet = 7;
    s.CurrentChar = 64;
    StartHistory(s);

    struct Import {
        int item;
        std::string file;
        void (*fill)(const std::vector<tk::ControlId>&);  // the window's controls, in order
        int importButton;
    };
    const Import imports[] = {
        {kMenuImportPicture, picture,
         [](const std::vector<tk::ControlId>& c) {
             tk::SetValue(c[3], 0);      // first char
             tk::SetChecked(c[5], true);  // colours from the picture
             tk::SetChecked(c[8], true);  // on the view screen
             tk::SetChecked(c[9], true);  // into sets
         },
         11},
        {kMenuImportFontBytes, loadFile, [](const std::vector<tk::ControlId>&) {}, 3},
    };
    for (const Import& import : imports) {
        const std::string before = Fingerprint(s.doc);
        const std::size_t steps = s.history.UndoCount();
        tk::QueueFileAnswer(import.file);
        tk::SetWindowOpenedHook([&](tk::WindowId w) {
            const std::vector<tk::ControlId> c = tk::Controls(w);
            import.fill(c);
            tk::PostEvent(ControlEvent(c[static_cast<std::size_t>(import.importButton)]));
        });
        Send(MenuEvent(import.item));
        tk::SetWindowOpenedHook({});
        const std::string after = Fingerprint(s.doc);
        ASSERT_NE(after, before) << import.item;
        EXPECT_EQ(s.history.UndoCount(), steps + 1) << import.item;
        Send(MenuEvent(kMenuUndo));
        EXPECT_EQ(Fingerprint(s.doc), before) << import.item;
        Send(MenuEvent(kMenuRedo));
        EXPECT_EQ(Fingerprint(s.doc), after) << import.item;
    }
    // The picture reached the screen and the sets from the current one on.
    EXPECT_NE(s.doc.ViewScreen[0][0], 99);
    EXPECT_NE(s.doc.SetTable[7].cells[0], 7);
    EXPECT_EQ(s.doc.SetTable[6].cells[0], 6);
    EXPECT_EQ(PackFont(s.Slot()), inverse);
}

TEST_F(UndoTest, AStrokeIsOneStepNamedInTheMenu) {
    EXPECT_EQ(MenuText(kMenuUndo), "(Undo\tCtrl+Z)");
    const std::string before = Fingerprint(s.doc);
    Send(CanvasEvent(s.ui.charEditor, 15, 15, tk::ButtonLeft));
    // Timer ticks and key presses in the middle do not break the stroke.
    Send(KeyEvent(tk::EventKind::KeyPressed, '2'));
    for (int i = 0; i < 200; ++i) {
        tk::Event tick;
        tick.kind = tk::EventKind::Timer;
        tick.window = s.ui.window;
        tick.timer = kAnimationTimer;
        if (i % 50 == 0) Send(tick);
        Send(CanvasEvent(s.ui.charEditor, 15 + i, 15 + i / 2, tk::ButtonLeft));
    }
    Send(CanvasEvent(s.ui.charEditor, 230, 110, 0));
    EXPECT_EQ(s.history.UndoCount(), 1u);
    EXPECT_EQ(MenuText(kMenuUndo), "Undo Paint\tCtrl+Z");
    Send(MenuEvent(kMenuRotate));
    EXPECT_EQ(MenuText(kMenuUndo), "Undo Rotate\tCtrl+Z");
    Send(MenuEvent(kMenuUndo));
    EXPECT_EQ(MenuText(kMenuRedo), "Redo Rotate\tCtrl+Shift+Z");
    Send(MenuEvent(kMenuUndo));
    EXPECT_EQ(Fingerprint(s.doc), before);
    // A new change drops what could have been redone.
    Send(MenuEvent(kMenuInverse));
    EXPECT_EQ(MenuText(kMenuRedo), "(Redo\tCtrl+Shift+Z)");
}

TEST_F(UndoTest, UndoGoesToTheSlotTheStepChanged) {
    Send(MenuEvent(kMenuInverse));
    Send(MenuEvent(kMenuNextSlot));
    Send(MenuEvent(kMenuNextSlot));
    ASSERT_EQ(s.CurrentSlot, 3);
    Send(MenuEvent(kMenuUndo));
    EXPECT_EQ(s.CurrentSlot, 1);
    EXPECT_EQ(tk::Text(s.ui.slotLabel), "1");
    // A step of the sets alone leaves the slot where it is.
    Send(MenuEvent(kMenuNextSlot));
    Send(MenuEvent(kMenuClearSetBits));
    Send(MenuEvent(kMenuUndo));
    EXPECT_EQ(s.CurrentSlot, 2);
}

TEST_F(UndoTest, UndoOfAnOpenProjectRestoresItsPathAndNames) {
    s.doc.ProjectPath = dir.Path("first.proj");
    s.doc.Slots[2].fileName = "mine.fnt";
    StartHistory(s);
    Document other = s.doc;
    other.Slots[1].Pixel(65, 0, 0) ^= 1;
    const std::string path = dir.Path("second.proj");
    test::WriteBytes(path, WriteProject(ProjectOf(other)));
    tk::QueueFileAnswer(path);
    Send(MenuEvent(kMenuOpenProject));
    ASSERT_EQ(s.doc.ProjectPath, path);
    EXPECT_EQ(MenuText(kMenuUndo), "Undo Open Project\tCtrl+Z");
    Send(MenuEvent(kMenuUndo));
    EXPECT_EQ(s.doc.ProjectPath, dir.Path("first.proj"));
    EXPECT_EQ(s.doc.Slots[2].fileName, "mine.fnt");
    EXPECT_EQ(tk::StatusText(s.ui.window, kStatusProjectField), "Project: first.proj");
}

// An undo that gives back no character being edited shows that on the
// label, whole.
TEST_F(UndoTest, UndoBackToNoCharacterShowsItOnTheCharLabel) {
    s.CurrentChar = kEmptyCell;
    RecordStep(s, "Set Cell", [&] {
        s.doc.SetTable[1].cells[0] = 65;
        s.CurrentChar = 65;
    });
    tk::SetText(s.ui.charLabel, "Char: " + CharNumberText(65));
    Send(MenuEvent(kMenuUndo));
    EXPECT_EQ(s.CurrentChar, kEmptyCell);
    EXPECT_EQ(tk::Text(s.ui.charLabel), "Char: $FFFFFFFFFFFFFFFF (-1)");
    EXPECT_TRUE(tk::simulate::TextFits(s.ui.charLabel));
}

// Saving makes no step, and the save point follows undo and redo.
TEST_F(UndoTest, ChangedSinceSaveFollowsTheSteps) {
    EXPECT_FALSE(ChangedSinceSave(s));
    Send(MenuEvent(kMenuInverse));
    EXPECT_TRUE(ChangedSinceSave(s));
    tk::QueueFileAnswer(dir.Path("saved.proj"));
    Send(MenuEvent(kMenuSaveProjectAs));
    EXPECT_FALSE(ChangedSinceSave(s));
    EXPECT_EQ(s.history.UndoCount(), 1u);
    Send(MenuEvent(kMenuUndo));
    EXPECT_TRUE(ChangedSinceSave(s));
    Send(MenuEvent(kMenuRedo));
    EXPECT_FALSE(ChangedSinceSave(s));
    RecordStep(s, "Compact", [&] { s.doc.SetTable[3].cells[0] = 7; });
    EXPECT_EQ(MenuText(kMenuUndo), "Undo Compact\tCtrl+Z");
    EXPECT_TRUE(ChangedSinceSave(s));
}

// The colours of slot 1 and slot 2 as the user sees them after going to each
// with the slot buttons, and the PF0 swatch of each.
class SlotColorsTest : public UndoTest {
protected:
    static Rgb Palette(int value) { return PlatformPalette[value >> 4][(value & 15) / 2]; }
    // Loads a colour file whose PF0 is the palette's value.
    void LoadPf0(int value) {
        ColorRegisters file{kDefaultRegisterValue, kDefaultRegisterRgb};
        file.values[PF0] = value;
        file.rgb[PF0] = Palette(value);
        const std::string path = dir.Path("pf0-" + std::to_string(value) + ".col");
        test::WriteBytes(path, EncodeColorFile(file));
        tk::QueueFileAnswer(path);
        Send(ControlEvent(s.ui.loadColors));
    }
    void Undo() {
        tk::simulate::TriggerShortcut(s.ui.window, 'Z', tk::Ctrl);
        Pump();
    }
    // PF0 of the current slot: register, byte and swatch agree.
    void ExpectPf0(int slot, int value) {
        EXPECT_EQ(s.CurrentSlot, slot);
        EXPECT_EQ(tk::Text(s.ui.slotLabel), std::to_string(slot));
        EXPECT_EQ(s.doc.RegisterRgb[PF0], Palette(value)) << "slot " << slot;
        EXPECT_EQ(s.doc.RegisterValue[PF0], value) << "slot " << slot;
        EXPECT_EQ(tk::CanvasSurface(s.ui.swatch[PF0]).Pixel(10, 10) & 0xFFFFFFu, Palette(value)) << "slot " << slot;
    }
};

// An undo after the slot buttons gives the colours back to the slot that had
// them, never a mixture of two slots' colours.
TEST_F(SlotColorsTest, UndoOfAColourLoadGivesBackTheColoursOfItsSlot) {
    const int green = 0xC6, blue = 0x86, defaultPf0 = kDefaultRegisterValue[PF0];
    LoadPf0(green);
    Send(ControlEvent(s.ui.nextSlot));
    LoadPf0(blue);
    Send(ControlEvent(s.ui.previousSlot));
    ExpectPf0(1, green);
    Undo();
    ExpectPf0(2, defaultPf0);
    Send(ControlEvent(s.ui.previousSlot));
    ExpectPf0(1, green);
    Send(ControlEvent(s.ui.nextSlot));
    ExpectPf0(2, defaultPf0);
    // And done again, in slot 1, it is slot 2's blue once more.
    Send(ControlEvent(s.ui.previousSlot));
    Send(MenuEvent(kMenuRedo));
    ExpectPf0(2, blue);
    Send(ControlEvent(s.ui.previousSlot));
    ExpectPf0(1, green);
}

// Going to another slot by undo or redo stores and loads the colours as the
// slot buttons do, so no slot is shown in, or given, another's colours.
TEST_F(SlotColorsTest, UndoAndRedoEnterTheirSlotAsTheButtonsDo) {
    const int green = 0xC6, defaultPf0 = kDefaultRegisterValue[PF0];
    LoadPf0(green);
    Send(ControlEvent(s.ui.nextSlot));
    Send(MenuEvent(kMenuInverse));
    Send(ControlEvent(s.ui.previousSlot));
    Undo();
    ExpectPf0(2, defaultPf0);
    Send(ControlEvent(s.ui.previousSlot));
    ExpectPf0(1, green);
    Send(MenuEvent(kMenuRedo));
    ExpectPf0(2, defaultPf0);
    Send(ControlEvent(s.ui.previousSlot));
    ExpectPf0(1, green);
    Send(ControlEvent(s.ui.nextSlot));
    ExpectPf0(2, defaultPf0);
}

}  // namespace
}  // namespace qm
