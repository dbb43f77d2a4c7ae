#include "app/main_window.h"

#include "app/commands.h"
#include "app/file_opening.h"

namespace qm {

namespace {

using tk::ControlKind;

struct Builder {
    tk::WindowId window;

    tk::ControlId Make(ControlKind kind, int x, int y, int w, int h, const std::string& text = "",
                       unsigned style = 0) const {
        return tk::CreateControl(window, kind, x, y, w, h, text, style);
    }
    tk::ControlId Button(int x, int y, int w, int h, const std::string& text, unsigned style = 0) const {
        return Make(ControlKind::Button, x, y, w, h, text, style);
    }
    tk::ControlId Label(int x, int y, int w, int h, const std::string& text, unsigned style = 0) const {
        return Make(ControlKind::Label, x, y, w, h, text, style);
    }
    tk::ControlId Canvas(int x, int y, int w, int h, unsigned style = 0) const {
        return Make(ControlKind::Canvas, x, y, w, h, "", style);
    }
    tk::ControlId Frame(int x, int y, int w, int h, const std::string& caption) const {
        return Make(ControlKind::Frame, x, y, w, h, caption);
    }
};

void AddStatusBar(tk::WindowId w) {
    tk::CreateStatusBar(w);
    tk::AddStatusField(w, 130);
    tk::AddStatusField(w, 400);
    tk::SetStatusText(w, kStatusFontField, "Font: ");
    tk::AddStatusField(w, 350);
    tk::SetStatusText(w, kStatusProjectField, "Project: ");
}

void AddControls(MainWindowUi& ui) {
    using tk::Bordered, tk::CenteredText, tk::Focusable, tk::MultiLine;
    const Builder b{ui.window};
    ui.largeSetView = b.Canvas(150, 10, 404, 404, Bordered);
    ui.smallSetView = b.Canvas(20, 30, 80, 80);
    ui.fontSheet = b.Canvas(90, 450, 547, 139, Bordered | Focusable);
    ui.nextSet = b.Button(115, 30, 25, 20, ">");
    ui.previousSet = b.Button(115, 90, 25, 20, "<");
    ui.charEditor = b.Canvas(565, 10, 244, 244, Bordered);
    ui.charPreview = b.Canvas(10, 450, 68, 68, Bordered);
    ui.colorFrame = b.Frame(690, 290, 240, 150, "Color");
    ui.buttonColorFrame = b.Frame(570, 260, 100, 110, " LMB         RMB");
    ui.leftButtonBar = b.Label(580, 290, 30, 70, "", Bordered);
    tk::SetBackground(ui.leftButtonBar, tk::MakeRgb(255, 255, 255));
    ui.rightButtonBar = b.Label(630, 290, 30, 70, "", Bordered);
    tk::SetBackground(ui.rightButtonBar, tk::MakeRgb(0, 0, 0));
    ui.modeSwitch = b.Button(820, 10, 110, 30, "Change GFX");
    ui.rotate = b.Button(820, 50, 110, 20, "ROTATE");
    ui.shiftDown = b.Button(910, 130, 20, 20, "D");
    ui.hMirror = b.Button(820, 80, 50, 20, "H MIR");
    ui.vMirror = b.Button(880, 80, 50, 20, "V MIR");
    ui.shiftRight = b.Button(850, 130, 20, 20, "R");
    ui.shiftLeft = b.Button(820, 130, 20, 20, "L");
    ui.shiftUp = b.Button(880, 130, 20, 20, "U");
    ui.charCopy = b.Button(820, 200, 55, 25, "COPY");
    ui.charPaste = b.Button(880, 200, 55, 25, "PASTE");
    ui.shiftCaption = b.Label(820, 110, 50, 16, "SHIFT:");
    ui.inverse = b.Button(820, 165, 55, 25, "INVERSE");
    ui.clear = b.Button(880, 165, 55, 25, "CLEAR");
    ui.saveSet = b.Button(10, 160, 60, 20, "Save SET");
    ui.loadSet = b.Button(80, 160, 60, 20, "Load SET");
    ui.saveAllSets = b.Button(20, 190, 110, 20, "Save all SET");
    ui.loadAllSets = b.Button(20, 220, 110, 20, "Load all SET");
    ui.loadFont = b.Button(675, 450, 90, 20, "Load FNT");
    ui.saveFont = b.Button(675, 480, 90, 20, "Save FNT");
    ui.defaultFont = b.Button(675, 550, 90, 40, "Set Default ATARI FONT", MultiLine);
    ui.exportImage = b.Button(785, 450, 90, 20, "Export to image", MultiLine);
    ui.exportSource = b.Button(785, 480, 90, 20, "Export As...");
    ui.saveFontRange = b.Button(675, 510, 90, 20, "Save range FNT");
    ui.animCanvas = b.Canvas(30, 325, 80, 80);
    ui.animStartButton = b.Button(30, 300, 80, 20, "Start");
    ui.toCaption = b.Label(60, 280, 20, 15, "TO", CenteredText);
    ui.animFrame = b.Frame(2, 255, 138, 160, "Anim SET:");
    ui.largeSetGridBox = b.Make(tk::ControlKind::CheckBox, 565, 405, 100, 20, "Grid ON/OFF");
    tk::SetChecked(ui.largeSetGridBox, true);
    ui.previousSlot = b.Button(10, 570, 20, 20, "<");
    ui.nextSlot = b.Button(60, 570, 20, 20, ">");
    ui.slotLabel = b.Label(33, 570, 25, 20, "1", CenteredText | Bordered);
    tk::SetBackground(ui.slotLabel, tk::MakeRgb(128, 255, 128));
    ui.setLabel = b.Label(115, 60, 23, 20, "1", CenteredText | Bordered);
    tk::SetBackground(ui.setLabel, tk::MakeRgb(255, 255, 0));
    ui.slotsCaption = b.Label(5, 550, 80, 20, "Fonts (1-10)", CenteredText);
    ui.registerCaption[LUM] = b.Label(700, 310, 40, 20, "LUM");
    ui.registerCaption[PF0] = b.Label(700, 340, 40, 20, "PF0 - 01");
    ui.registerCaption[PF2] = b.Label(700, 370, 40, 20, "PF2 - 11");
    ui.registerCaption[BAK] = b.Label(820, 310, 40, 20, "BAK");
    ui.registerCaption[PF1] = b.Label(820, 340, 40, 20, "PF1 - 10");
    ui.registerCaption[PF3] = b.Label(820, 370, 40, 20, "PF3 - 11");

    const auto setColor = [&](int reg, int x, int y, const char* tip) {
        ui.setColorButton[reg] = b.Button(x, y, 20, 20, "<");
        tk::SetToolTip(ui.setColorButton[reg], tip);
    };
    setColor(LUM, 780, 310, "Set color - LUM");
    setColor(PF0, 780, 340, "Set color - PF0");
    setColor(PF2, 780, 370, "Set color - PF2");
    setColor(BAK, 900, 310, "Set color - BAK");
    setColor(PF1, 900, 340, "Set color - FP1");
    setColor(PF3, 900, 370, "Set color - PF3");

    const auto swatch = [&](int reg, int x, int y, const char* tip) {
        ui.swatch[reg] = b.Canvas(x, y, 30, 20, Bordered);
        tk::SetToolTip(ui.swatch[reg], tip);
    };
    swatch(LUM, 750, 310, "Get color - LUM");
    swatch(PF0, 750, 340, "Get color - PF0");
    swatch(PF2, 750, 370, "Get color - PF2");
    swatch(BAK, 870, 310, "Get color - BAK");
    swatch(PF1, 870, 340, "Get color - FP1");
    swatch(PF3, 870, 370, "Get color - PF3");

    ui.loadColors = b.Button(740, 410, 80, 20, "Load Colors");
    ui.saveColors = b.Button(840, 410, 80, 20, "Save Colors");
    ui.normalMode = b.Make(tk::ControlKind::OptionButton, 140, 420, 70, 20, "Normal", tk::FirstOfGroup);
    tk::SetChecked(ui.normalMode, true);
    ui.maskMode = b.Make(tk::ControlKind::OptionButton, 210, 420, 60, 20, "Mask");
    ui.previewCaption = b.Label(10, 520, 70, 20, "", CenteredText);
    ui.modeCaption = b.Label(90, 422, 40, 20, "Mode:");
    ui.openViewEditor = b.Button(810, 550, 120, 40, "View Editor >>>");
    ui.setCopy = b.Button(10, 120, 35, 20, "Copy");
    ui.setPaste = b.Button(52, 120, 35, 20, "Paste");
    ui.drawOnSetBox = b.Make(tk::ControlKind::CheckBox, 565, 380, 90, 20, "Draw on SET");
    tk::SetChecked(ui.drawOnSetBox, true);
    ui.animStopList = b.Make(tk::ControlKind::DropDown, 90, 275, 40, 20);
    tk::SetToolTip(ui.animStopList, "Anim stop");
    ui.animStartList = b.Make(tk::ControlKind::DropDown, 10, 275, 40, 20);
    tk::SetToolTip(ui.animStartList, "Anim start");
    ui.setFrame = b.Frame(5, 10, 140, 240, "SET (1-100):");
    // Wide enough for the longest text it shows: that of no character, -1.
    ui.charLabel = b.Label(690, 260, 160, 20, "", CenteredText | Bordered);
    ui.openSetsViewer = b.Button(100, 120, 40, 30, "Sets Viewer", MultiLine);
}

}  // namespace

void BuildMainWindow(EditorState& s, int x, int y, int width, int height) {
    s.ui.window = tk::OpenWindow("Quillmere", x, y, width, height,
                                 tk::TitleBar | tk::SystemMenu | tk::MinimizeBox | tk::Centered);
    AddCommandShortcuts(s.ui.window, CommandWindow::Main);
    AddStatusBar(s.ui.window);
    AddCommandMenus(s.ui.window, CommandWindow::Main);
    AddControls(s.ui);
    tk::AcceptFileDrops(s.ui.window, true);
    tk::SendWhenMenuOpens(s.ui.window, "Open Recent", kMenuRecentOpens);
    ShowRecentProjects(s);
}

}  // namespace qm
