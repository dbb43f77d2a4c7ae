#include "files/tiled_files.h"

#include "core/tiled_export.h"
#include "core/tmx_format.h"
#include "files/import_dialogs.h"
#include "session/save_dialog.h"

namespace qm {

namespace {

constexpr const char* kTiledFilter = "Tiled map (*.tmx)|*.tmx|All files (*.*)|*.*";
constexpr std::size_t kTmxReadLimit = 64u << 20;

}  // namespace

void ExportToTiled(EditorState& s) {
    const std::string path = AskSavePath("Export to Tiled (.tmx)", "", kTiledFilter, ".tmx", false);
    if (path.empty()) return;
    const auto files = TiledExportFiles(ScreenGrid(s.doc.ViewScreen), s.Slot(), s.doc.RegisterRgb,
                                        s.MulticolorMode == DisplayMode::Multicolor, path, "Screen");
    if (files.empty()) {
        tk::MessageBox("Error!", "The picture of the tile set could not be made.");
        return;
    }
    // The map is written last, so a failure never leaves one naming a missing file.
    for (const OutputFile& file : files) {
        if (!SaveAndTell(s, file.path, file.bytes)) return;
    }
}

void ImportFromTiled(EditorState& s) {
    const std::optional<Bytes> file = ChooseAndReadFile("Import from Tiled", kTiledFilter, kTmxReadLimit);
    if (!file) return;
    const TmxReadResult map = ReadTmx(*file);
    std::string refusal = map.error;
    if (refusal.empty()) refusal = PlaceOnScreen(map.grid, s.doc.ViewScreen);
    if (!refusal.empty()) {
        tk::MessageBox("Error...", "The map cannot be imported: " + refusal + ".");
        return;
    }
    RedrawAll(s);
}

}  // namespace qm
