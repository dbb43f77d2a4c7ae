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
    if (!answer.path.empty()) LoadFontFrom(s, answer.path);
}

bool LoadFontFrom(EditorState& s, const std::string& path) {
    Bytes file;
    if (!ReadWholeFile(path, file, kFontBytes)) return false;

    s.FontBuffer = ReadFontBytes(file);
    s.Slot().fileName = FileNameOf(path);
    s.Slot().filePath = path;
    UnpackFont(s, -1);
    tk::SetStatusText(s.ui.window, 1, "Font: " + s.Slot().fileName);
    return true;
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
