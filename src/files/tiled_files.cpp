#include "files/tiled_files.h"

#include "core/tiled_export.h"
#include "core/tiled_import.h"
#include "core/tmx_format.h"
#include "files/import_dialogs.h"
#include "session/save_dialog.h"

namespace qm {

namespace {

// What the map shows, or where it goes, is the filter left chosen, as the
// tool's --source and --to say it; any other filter keeps to the screen.
constexpr const char* kTiledExportFilter =
    "Tiled map of the view screen (*.tmx)|*.tmx|Tiled map of the tile map (*.tmx)|*.tmx|All files (*.*)|*.*";
constexpr const char* kTiledImportFilter =
    "Tiled map onto the view screen (*.tmx)|*.tmx|Tiled map onto the tile map (*.tmx)|*.tmx|All files (*.*)|*.*";
constexpr int kTileMapFilter = 1;
constexpr std::size_t kTmxReadLimit = 64u << 20;

}  // namespace

void ExportToTiled(EditorState& s) {
    int filter = 0;
    const std::string path = AskSavePath("Export to Tiled (.tmx)", "", kTiledExportFilter, ".tmx", false, &filter);
    if (path.empty()) return;
    const bool fromMap = filter == kTileMapFilter;
    const bool multicolor = s.MulticolorMode == DisplayMode::Multicolor;
    const auto files =
        fromMap ? TiledMapExportFiles(s.doc.Map, s.doc.SetTable, s.Slot(), s.doc.RegisterRgb, multicolor, path)
                : TiledExportFiles(ScreenGrid(s.doc.ViewScreen), s.Slot(), s.doc.RegisterRgb, multicolor, path, "Screen");
    if (files.empty()) {
        tk::MessageBox("Error!", "The picture of the tile set could not be made.");
        return;
    }
    SaveAllAndTell(s, files);
}

void ImportFromTiled(EditorState& s) {
    const tk::FileAnswer answer = tk::OpenFileDialog("Import from Tiled", "", kTiledImportFilter, 0);
    if (answer.path.empty()) return;
    const std::optional<Bytes> file = ReadChosenFile(answer.path, kTmxReadLimit);
    if (!file) return;
    const TiledTarget target = answer.filterIndex == kTileMapFilter ? TiledTarget::Map : TiledTarget::Screen;
    const std::string refusal = ImportTiledMap(*file, target, s.doc);
    if (!refusal.empty()) {
        tk::MessageBox("Error...", "The map cannot be imported: " + refusal + ".");
        return;
    }
    RedrawAll(s);
}

}  // namespace qm
