#include <algorithm>

#include "core/file_io.h"
#include "session/save_dialog.h"
#include "files/font_files.h"

#include "charedit/font_sheet.h"
#include "session/font_buffer.h"
#include "files/font_filters.h"
#include "core/font_format.h"
#include "core/paths.h"

namespace qm {

void LoadFontFile(EditorState& s) {
    const tk::FileAnswer answer = tk::OpenFileDialog("Load font (.fnt)", s.Slot().filePath, kFontFilter, 0);
    if (answer.path.empty()) return;
    // A file that cannot be opened is passed over, as the dialog has just shown it.
    if (const FontLoadResult loaded = LoadFontFrom(s, answer.path); loaded.result == FontLoad::NotAFont) {
        tk::MessageBox("Error!", FileNameOf(answer.path) + " is not a font: " + loaded.notFont + ".");
    }
}

FontLoadResult LoadFontFrom(EditorState& s, const std::string& path) {
    Bytes file;
    if (!ReadWholeFile(path, file, static_cast<std::size_t>(kLargestFontFile) + 1)) return {FontLoad::Unreadable, {}};
    const FontFile font = ReadFontFile(file, std::max(FileSize(path), static_cast<long long>(file.size())));
    if (!font.notFont.empty()) return {FontLoad::NotAFont, font.notFont};

    s.FontBuffer = font.font;
    s.Slot().fileName = FileNameOf(path);
    s.Slot().filePath = path;
    UnpackFont(s, -1);
    s.fontNotes[s.CurrentSlot] = {s.Slot().fileName, FontFileNote(font)};
    tk::SetStatusText(s.ui.window, kStatusFontField, FontFieldText(s));
    return {};
}

std::string FontFileNote(const FontFile& font) {
    if (font.heldBytes < kFontBytes) return " (" + HeldCharsText(font.heldBytes) + ")";
    return font.loadHeader ? " (binary load file)" : "";
}

void SaveFontFile(EditorState& s) {
    const std::string path = AskSavePath(kSaveFontTitle, s.Slot().filePath, kFontFilter, ".fnt", true);
    if (path.empty()) return;
    SaveAndTell(s, path, WriteFontBytes(s.FontBuffer));
}

void LoadDefaultFont(EditorState& s) {
    if (tk::AskYesNo("Default font...", "Load Atari Default Font ?") != tk::Answer::Yes) return;
    s.FontBuffer = DefaultFontData;
    UnpackFont(s, -1);
    RedrawAll(s);
}

}  // namespace qm
