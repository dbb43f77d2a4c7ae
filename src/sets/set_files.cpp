#include "core/file_io.h"
#include "session/save_dialog.h"
#include "sets/set_files.h"

#include "charedit/font_sheet.h"
#include "session/font_buffer.h"
#include "core/paths.h"
#include "core/set_format.h"
#include "core/tagged_blocks.h"

namespace qm {

namespace {

constexpr const char* kSetFilters = "Set (*.set)|*.set|All files (*.*)|*.*";
constexpr const char* kAllSetsFilters = "Sets (*.sets)|*.sets|All files (*.*)|*.*";
constexpr const char* kSetBinFilters = "Set bin (*.bin)|*.bin|All files (*.*)|*.*";

// The file's bytes, with the blocks after its fixed part, or nothing when the
// dialog was cancelled or the file cannot be read; both end the load silently.
std::optional<SetBytes> AskAndRead(const std::string& title, const std::string& filters, std::size_t fileSize) {
    const tk::FileAnswer answer = tk::OpenFileDialog(title, "", filters, 0);
    if (answer.path.empty()) return std::nullopt;
    SetBytes bytes;
    if (!ReadWholeFile(answer.path, bytes, fileSize)) return std::nullopt;
    return bytes;
}

bool LoadSetBytes(EditorState& s, const SetBytes& bytes) {
    const auto set = DecodeSetFile(bytes);
    if (!set) {
        tk::MessageBox("Error!", "This file is not QMR set data!");
        return false;
    }
    s.Set() = *set;
    RedrawAll(s);
    return true;
}

bool LoadAllSetsBytes(EditorState& s, const SetBytes& bytes) {
    const auto sets = DecodeAllSetsFile(bytes);
    if (!sets) {
        tk::MessageBox("Error!", "This file is not QMR sets data!");
        return false;
    }
    for (int n = 1; n <= kSetCount; ++n) s.doc.SetTable[n] = (*sets)[n];
    RedrawAll(s);
    return true;
}

}  // namespace

void LoadSetFile(EditorState& s) {
    const auto bytes = AskAndRead("Load set (.set)", kSetFilters, kSetFileSize + kMostTaggedBytes);
    if (!bytes) return;
    LoadSetBytes(s, *bytes);
}

void LoadAllSetsFile(EditorState& s) {
    const auto bytes = AskAndRead("Load sets (.sets)", kAllSetsFilters, kAllSetsFileSize + kMostTaggedBytes);
    if (!bytes) return;
    LoadAllSetsBytes(s, *bytes);
}

bool LoadSetFrom(EditorState& s, const std::string& path) {
    SetBytes bytes;
    return ReadWholeFile(path, bytes, kSetFileSize + kMostTaggedBytes) && LoadSetBytes(s, bytes);
}

bool LoadAllSetsFrom(EditorState& s, const std::string& path) {
    SetBytes bytes;
    return ReadWholeFile(path, bytes, kAllSetsFileSize + kMostTaggedBytes) && LoadAllSetsBytes(s, bytes);
}

void SaveSetFile(EditorState& s) {
    AskAndSave(s, "Save set (.set)", kSetFilters, ".set", EncodeSetFile(s.Set()));
}

void SaveAllSetsFile(EditorState& s) {
    AskAndSave(s, "Save all sets (.sets)", kAllSetsFilters, ".sets", EncodeAllSetsFile(s.doc.SetTable));
}

void ExportSetBin(EditorState& s) {
    const std::string path = AskSavePath("Save set to bin (.bin)", "", kSetBinFilters, ".bin", true);
    if (path.empty()) return;
    PackFont(s, -1);
    SaveAndTell(s, path, SetBitmapBytes(s.Set(), s.FontBuffer));
}

}  // namespace qm
