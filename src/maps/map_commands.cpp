#include "maps/map_commands.h"

#include <array>

#include "core/map_export.h"
#include "core/paths.h"
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

void ExportMapDialog(EditorState& s) {
    constexpr const char* kFilters =
        "Map tiles (*.bin)|*.bin|Map characters (*.bin)|*.bin|Tile set (*.bin)|*.bin|All files (*.*)|*.*";
    const tk::FileAnswer answer = tk::SaveFileDialog("Export map (.bin)", "", kFilters, 0);
    if (answer.path.empty()) return;
    const std::string path = answer.filterIndex < 3 ? WithDefaultExtension(answer.path, ".bin", false, 0) : answer.path;
    if (path != answer.path && !MayWriteOver("Export map (.bin)", path)) return;
    const TileMap& map = s.doc.Map;
    Bytes bytes;
    switch (answer.filterIndex) {
        case 1: bytes = MapCharBytes(map, MapTarget(s), s.doc.SetTable, 0); break;
        case 2: bytes = TileSetBytes(map, s.doc.SetTable, 0); break;
        default: bytes = MapTileBytes(map, MapTarget(s), kNoTile); break;
    }
    SaveAndTell(s, path, bytes);
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
