#pragma once

// "Import picture..." and "Import font bytes..." of the "Font" menu: each
// asks for a file, shows in a small window what the import will do, and
// changes the current slot only when the user presses "Import".

#include <optional>
#include <string>

#include "core/byte_stream.h"
#include "session/editor_state.h"
#include "session/menu_items.h"

namespace qm {

struct PictureImportDialog {
    tk::WindowId window = 0;
    tk::ControlId scale = 0, firstChar = 0, multicolour = 0, pictureColours = 0, keepDuplicates = 0, reduce = 0;
    tk::ControlId onView = 0, intoSets = 0, summary = 0, import = 0, cancel = 0;
    Bytes file;
};

// Opens the window for the picture file's bytes and disables the main window.
PictureImportDialog OpenPictureImportDialog(EditorState& s, Bytes file);
// Waits until the window closes or the picture is imported, then closes it.
void RunPictureImportDialog(EditorState& s, PictureImportDialog& d);
// What the window shows: cells, unique characters, space, or why not.
std::string PictureImportSummary(const EditorState& s, const PictureImportDialog& d);

struct FontBytesDialog {
    tk::WindowId window = 0;
    tk::ControlId offset = 0, summary = 0, import = 0, cancel = 0;
    Bytes file;
};

FontBytesDialog OpenFontBytesDialog(EditorState& s, Bytes file);
void RunFontBytesDialog(EditorState& s, FontBytesDialog& d);

// The file the user chooses, read whole; nothing when the user cancels or
// the file cannot be read, which is said.
std::optional<Bytes> ChooseAndReadFile(const std::string& title, const std::string& filter, std::size_t limit);
// A file already chosen, read whole; nothing when it cannot be read, which is
// said.
std::optional<Bytes> ReadChosenFile(const std::string& path, std::size_t limit);

// The menu items: ask for the file, then the window.
void ImportPicture(EditorState& s);
void ImportFontBytes(EditorState& s);

}  // namespace qm
