#include "sets/view_export_window.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/source_formats.h"
#include "sets/view_editor.h"
#include "sets/view_files.h"
#include "session/modal_dialog.h"
#include "session/undo.h"

namespace qm {

namespace {

// A number field, its spin and the region value they both show.
struct RegionField {
    tk::ControlId ViewExportUi::*field;
    tk::ControlId ViewExportUi::*spin;
    int Region::*value;
    int cap;
};

constexpr RegionField kRegionFields[] = {
    {&ViewExportUi::startXField, &ViewExportUi::startXSpin, &Region::startX, kViewColumns - 1},
    {&ViewExportUi::startYField, &ViewExportUi::startYSpin, &Region::startY, kViewRows - 1},
    {&ViewExportUi::widthField, &ViewExportUi::widthSpin, &Region::width, kViewColumns - 1},
    {&ViewExportUi::heightField, &ViewExportUi::heightSpin, &Region::height, kViewRows - 1},
};

bool IsOpen(const EditorState& s) { return s.exportUi.window != 0 && tk::WindowExists(s.exportUi.window); }

// The leading digits as a number, 0 when there are none; long numbers stop
// growing well above any cap.
int ParseDecimal(const std::string& text) {
    int value = 0;
    for (char ch : text) {
        if (!std::isdigit(static_cast<unsigned char>(ch))) break;
        value = std::min(value * 10 + (ch - '0'), 1000000);
    }
    return value;
}

void BuildField(EditorState& s, const RegionField& f, int x, int y, const char* caption) {
    const tk::WindowId w = s.exportUi.window;
    const int value = s.ExportRegion.*f.value;
    tk::CreateControl(w, tk::ControlKind::Label, x, y + 2, 55, 20, caption);
    s.exportUi.*f.field = tk::CreateControl(w, tk::ControlKind::NumberField, x + 55, y, 36, 20, std::to_string(value));
    s.exportUi.*f.spin = tk::CreateControl(w, tk::ControlKind::Spin, x + 93, y, 20, 20);
    tk::SetRange(s.exportUi.*f.spin, 0, f.cap);
    tk::SetValue(s.exportUi.*f.spin, value);
}

void FieldChanged(EditorState& s, const RegionField& f) {
    const tk::ControlId field = s.exportUi.*f.field;
    const int typed = ParseDecimal(tk::Text(field));
    const int value = std::min(typed, f.cap);
    if (value != typed) tk::SetText(field, std::to_string(value));
    s.ExportRegion.*f.value = value;
    tk::SetValue(s.exportUi.*f.spin, value);
    DrawViewScreen(s, -1, -1);
}

void SpinChanged(EditorState& s, const RegionField& f) {
    const int value = std::clamp(tk::Value(s.exportUi.*f.spin), 0, f.cap);
    s.ExportRegion.*f.value = value;
    tk::SetText(s.exportUi.*f.field, std::to_string(value));
    DrawViewScreen(s, -1, -1);
}

}  // namespace

constexpr int kWindowWidth = 330;

void OpenExportDialog(EditorState& s) {
    if (IsOpen(s)) return;
    ViewExportUi& ui = s.exportUi;
    ui.window = tk::OpenWindow("Export View to bin or chars:", tk::WindowX(s.viewUi.window) + 50,
                               tk::WindowY(s.viewUi.window) + 50, kWindowWidth, 150,
                               tk::TitleBar | tk::SystemMenu | tk::OnTop);
    AddUndoShortcuts(ui.window);
    // Wide enough for the whole title and for arrows of their natural shape.
    ui.saveBin = tk::CreateControl(ui.window, tk::ControlKind::Button, 250, 90, 70, 20, "Save bin");
    ui.saveChars = tk::CreateControl(ui.window, tk::ControlKind::Button, 170, 90, 70, 20, "Save chars");
    ui.cancel = tk::CreateControl(ui.window, tk::ControlKind::Button, 10, 90, 70, 20, "Cancel");
    ui.mapFormat = tk::CreateControl(ui.window, tk::ControlKind::DropDown, 10, 120, 230, 20);
    for (const std::string& format : SourceFormatNames()) tk::AddItem(ui.mapFormat, format);
    tk::SelectItem(ui.mapFormat, 0);
    ui.saveMap = tk::CreateControl(ui.window, tk::ControlKind::Button, 250, 120, 70, 20, "Save map");
    BuildField(s, kRegionFields[0], 10, 20, "Start X:");
    BuildField(s, kRegionFields[1], 10, 50, "Start Y:");
    BuildField(s, kRegionFields[2], 170, 20, "Width:");
    BuildField(s, kRegionFields[3], 170, 50, "Height:");
}

void CloseExportDialog(EditorState& s) {
    if (IsOpen(s)) tk::CloseWindow(s.exportUi.window);
    s.exportUi = {};
}

bool ViewExportHandler(EditorState& s, const tk::Event& event) {
    if (event.kind == tk::EventKind::CloseRequest || IsEscape(event)) return false;
    if (event.kind != tk::EventKind::Control) return true;
    const ViewExportUi& ui = s.exportUi;
    if (event.control == ui.cancel) return false;
    if (event.control == ui.saveBin) {
        ExportViewBin(s);
    } else if (event.control == ui.saveChars) {
        ExportViewChars(s);
    } else if (event.control == ui.saveMap) {
        ExportViewMap(s, SourceFormatNames()[static_cast<std::size_t>(std::clamp(
                             tk::SelectedItem(ui.mapFormat), 0, static_cast<int>(SourceFormatNames().size()) - 1))]);
    }
    for (const RegionField& f : kRegionFields) {
        if (event.control == ui.*f.field) FieldChanged(s, f);
        if (event.control == ui.*f.spin) SpinChanged(s, f);
    }
    return true;
}

}  // namespace qm
