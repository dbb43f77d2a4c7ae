#include "maps/map_commands.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "core/map_export.h"
#include "core/source_formats.h"
#include "maps/map_canvas.h"
#include "session/modal_dialog.h"
#include "session/save_dialog.h"

namespace qm {

Region MapTarget(const EditorState& s) {
    return s.map.selection.width != 0 ? s.map.selection : WholeMap(s.doc.Map);
}

void FillMap(EditorState& s) {
    const Region r = MapTarget(s);
    for (int y = r.startY; y < r.startY + r.height; ++y) {
        for (int x = r.startX; x < r.startX + r.width; ++x) s.doc.Map.Place(x, y, s.CurrentSet);
    }
    DrawMapCanvas(s);
}

void CopyMapCells(EditorState& s) {
    const Region r = MapTarget(s);
    s.map.clipWidth = r.width;
    s.map.clipHeight = r.height;
    s.map.clip = MapTileBytes(s.doc.Map, r, kNoTile);
}

void PasteMapCells(EditorState& s) {
    if (s.map.clip.empty()) return;
    int left = s.map.pointerX, top = s.map.pointerY;
    if (left < 0) {
        left = s.map.selection.startX;
        top = s.map.selection.startY;
    }
    TileMap& map = s.doc.Map;
    for (int r = 0; r < s.map.clipHeight && top + r < map.height; ++r) {
        for (int c = 0; c < s.map.clipWidth && left + c < map.width; ++c) {
            const std::uint8_t cell = s.map.clip[static_cast<std::size_t>(r) * s.map.clipWidth + c];
            map.Place(left + c, top + r, cell == kNoTile ? 0 : cell + 1);
        }
    }
    DrawMapCanvas(s);
}

namespace {

struct SizeField {
    const char* caption;
    int TileMap::*value;
    int most;
};

constexpr SizeField kSizeFields[] = {
    {"Width:", &TileMap::width, kMapMaxSide},
    {"Height:", &TileMap::height, kMapMaxSide},
    {"Tile width:", &TileMap::tileWidth, kTileMaxSide},
    {"Tile height:", &TileMap::tileHeight, kTileMaxSide},
};

void ApplySize(EditorState& s, const std::array<int, 4>& values) {
    TileMap& map = s.doc.Map;
    ResizeMap(map, values[0], values[1]);
    map.tileWidth = values[2];
    map.tileHeight = values[3];
    s.map.selection = {0, 0, 0, 0};
    FitMapScrollBars(s);
    DrawMapCanvas(s);
}

}  // namespace

void MapSizeDialog(EditorState& s) {
    const tk::WindowId w = OpenModalDialog(s, "Map size", 150, 150, 250, 170);
    std::array<tk::ControlId, 4> spins{};
    for (std::size_t i = 0; i < spins.size(); ++i) {
        const int y = 10 + 30 * static_cast<int>(i);
        tk::CreateControl(w, tk::ControlKind::Label, 10, y + 2, 90, 20, kSizeFields[i].caption);
        spins[i] = tk::CreateControl(w, tk::ControlKind::Spin, 110, y, 80, 20);
        tk::SetRange(spins[i], 1, kSizeFields[i].most);
        tk::SetValue(spins[i], s.doc.Map.*kSizeFields[i].value);
    }
    const tk::ControlId ok = tk::CreateControl(w, tk::ControlKind::Button, 80, 135, 75, 25, "OK");
    const tk::ControlId cancel = tk::CreateControl(w, tk::ControlKind::Button, 165, 135, 75, 25, "Cancel");
    for (;;) {
        const tk::Event event = tk::WaitEventFor(w);
        if (EndsDialog(event) || IsControlEvent(event, cancel)) break;
        if (!IsControlEvent(event, ok)) continue;
        std::array<int, 4> values{};
        for (std::size_t i = 0; i < spins.size(); ++i) values[i] = tk::Value(spins[i]);
        if (ResizeLosesTiles(s.doc.Map, values[0], values[1]) &&
            tk::AskYesNo("Map size", "Tiles placed beyond the new size will be removed. Continue?") != tk::Answer::Yes) {
            continue;
        }
        ApplySize(s, values);
        break;
    }
    CloseModalDialog(s, w);
}

namespace {

struct ExportForm {
    const char* name;
    const char* format;  // as SourceText names it
    const char* extension;
    const char* filters;
};

constexpr ExportForm kExportForms[] = {
    {"Binary", "raw", ".bin", "Binary (*.bin)|*.bin|All files (*.*)|*.*"},
    {"ca65 source", "ca65", ".s", "ca65 source (*.s)|*.s|All files (*.*)|*.*"},
    {"C source", "c", ".c", "C source (*.c)|*.c|All files (*.*)|*.*"},
    {"Assembler source", "asm", ".asm", "Assembler source (*.asm)|*.asm|All files (*.*)|*.*"},
    {"MADS source", "mads", ".asm", "MADS source (*.asm)|*.asm|All files (*.*)|*.*"},
    {"xasm source", "xasm", ".asm", "xasm source (*.asm)|*.asm|All files (*.*)|*.*"},
    {"FastBasic source", "fastbasic", ".bas", "FastBasic source (*.bas)|*.bas|All files (*.*)|*.*"},
};
constexpr int kExportFormCount = static_cast<int>(std::size(kExportForms));

struct ExportDialog {
    tk::WindowId window = 0;
    tk::ControlId what = 0, form = 0, header = 0, save = 0, cancel = 0;
};

ExportDialog OpenExportDialog(EditorState& s) {
    ExportDialog d;
    d.window = OpenModalDialog(s, "Export map", 150, 150, 300, 170);
    using tk::ControlKind;
    tk::CreateControl(d.window, ControlKind::Label, 10, 12, 70, 20, "Export:");
    d.what = tk::CreateControl(d.window, ControlKind::DropDown, 80, 10, 210, 22);
    for (const char* item : {"Map tiles", "Map characters", "Tile set"}) tk::AddItem(d.what, item);
    tk::CreateControl(d.window, ControlKind::Label, 10, 42, 70, 20, "Format:");
    d.form = tk::CreateControl(d.window, ControlKind::DropDown, 80, 40, 210, 22);
    for (const ExportForm& f : kExportForms) tk::AddItem(d.form, f.name);
    tk::SelectItem(d.what, 0);
    tk::SelectItem(d.form, 0);
    d.header = tk::CreateControl(d.window, ControlKind::CheckBox, 10, 70, 280, 20, "Width and height first");
    tk::CreateControl(d.window, ControlKind::Label, 10, 95, 280, 20,
                      s.map.selection.width != 0 ? "From the chosen rectangle" : "The whole map");
    d.save = tk::CreateControl(d.window, ControlKind::Button, 120, 135, 80, 25, "Save...");
    d.cancel = tk::CreateControl(d.window, ControlKind::Button, 210, 135, 80, 25, "Cancel");
    return d;
}

// Writes what the dialog chose; false when the user cancelled the file
// dialog, so the export dialog stays.
bool SaveExport(EditorState& s, const ExportDialog& d) {
    const auto what = static_cast<MapBytes>(std::clamp(tk::SelectedItem(d.what), 0, 2));
    const ExportForm& form = kExportForms[std::clamp(tk::SelectedItem(d.form), 0, kExportFormCount - 1)];
    const std::string path = AskSavePath("Export map", "", form.filters, form.extension, true);
    if (path.empty()) return false;
    const int fill = what == MapBytes::Tiles ? kNoTile : 0;
    const MapExport out = ExportMap(s.doc.Map, s.doc.SetTable, what, MapTarget(s), fill, tk::IsChecked(d.header));
    const SourceChoice choice = {form.format, what == MapBytes::TileSet ? "tiles" : "map", out.rowLength, false};
    SaveAndTell(s, path, *SourceText(out.bytes, choice));
    return true;
}

}  // namespace

void ExportMapDialog(EditorState& s) {
    const ExportDialog d = OpenExportDialog(s);
    for (;;) {
        const tk::Event event = tk::WaitEventFor(d.window);
        if (EndsDialog(event) || IsControlEvent(event, d.cancel)) break;
        if (IsControlEvent(event, d.save) && SaveExport(s, d)) break;
    }
    CloseModalDialog(s, d.window);
}

void MapToViewScreen(EditorState& s) {
    const Region r = MapTarget(s);
    const int left = r.startX * s.doc.Map.tileWidth, top = r.startY * s.doc.Map.tileHeight;
    for (int y = 0; y < kViewRows; ++y) {
        for (int x = 0; x < kViewColumns; ++x) {
            s.doc.ViewScreen[y][x] = MapCharAt(s.doc.Map, s.doc.SetTable, left + x, top + y);
        }
    }
    RedrawAll(s);
}

}  // namespace qm
