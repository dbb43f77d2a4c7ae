#include "core/file_io.h"
#include "session/save_dialog.h"
#include "sets/view_files.h"

#include "session/font_buffer.h"
#include "core/paths.h"
#include "sets/view_editor.h"
#include "core/region_map.h"
#include "core/source_formats.h"
#include "core/view_format.h"

namespace qm {

namespace {

constexpr const char* kViewFilters = "View Editor data (*.ved)|*.ved|All files (*.*)|*.*";

}  // namespace

void LoadViewFile(EditorState& s) {
    const tk::FileAnswer answer = tk::OpenFileDialog("Load View Editor data (.ved)", "", kViewFilters, 0);
    if (answer.path.empty()) return;
    // A file that is not read leaves the screen as it is drawn, set preview
    // and all.
    if (LoadViewFrom(s, answer.path)) DrawViewScreen(s, -1, -1);
}

bool LoadViewFrom(EditorState& s, const std::string& path) {
    ViewBytes bytes;
    if (!ReadWholeFile(path, bytes, kViewFileSize)) return false;
    const auto screen = DecodeViewFile(bytes);
    if (!screen) {
        tk::MessageBox("Error...", "This file not View Editor data!");
        return false;
    }
    s.doc.ViewScreen = *screen;
    return true;
}

void SaveViewFile(EditorState& s) {
    AskAndSave(s, "Save View Editor data (.ved)", kViewFilters, ".ved", EncodeViewFile(s.doc.ViewScreen));
}

void ExportViewBin(EditorState& s) {
    if (!IsExportable(s.ExportRegion)) return;
    const std::string path =
        AskSavePath("Save to bin (.bin)", "", "Set bin (*.bin)|*.bin|All files (*.*)|*.*", ".bin", true);
    if (path.empty()) return;
    PackFont(s, -1);
    SaveAndTell(s, path, RegionBitmapBytes(s.doc.ViewScreen, s.ExportRegion, s.FontBuffer));
}

void ExportViewMap(EditorState& s, const std::string& format) {
    if (!IsExportable(s.ExportRegion)) return;
    const std::string ext = SourceExtension(format);
    const std::string path = AskSavePath("Save map (" + ext + ")", "", "Map (*" + ext + ")|*" + ext + "|All files (*.*)|*.*",
                                         ext, true);
    if (path.empty()) return;
    const Bytes map = RegionMapBytes(s.doc.ViewScreen, s.ExportRegion, 0, false);
    const SourceChoice choice{format, "map", static_cast<std::size_t>(s.ExportRegion.width), false};
    if (const std::optional<Bytes> text = SourceText(map, choice)) SaveAndTell(s, path, *text);
}

void ExportViewChars(EditorState& s) {
    if (!IsExportable(s.ExportRegion)) return;
    AskAndSave(s, "Save to char (.char)", "Set char (*.char)|*.char|All files (*.*)|*.*", ".char",
               RegionCodeBytes(s.doc.ViewScreen, s.ExportRegion));
}

}  // namespace qm
