#pragma once

#include <string>

#include "core/font_format.h"
#include "session/editor_state.h"

namespace qm {

void LoadFontFile(EditorState& s);
// Whether a font file was loaded into its slot, and why not.
enum class FontLoad { Loaded, Unreadable, NotAFont };
struct FontLoadResult {
    FontLoad result = FontLoad::Loaded;
    std::string notFont;  // what the file is instead of a font ("3 bytes")
};
// Loads the font file into the current slot.
FontLoadResult LoadFontFrom(EditorState& s, const std::string& path);
// What the status bar adds to a font's name: how much of the font a short
// file held, or that a binary load header was stepped over.
std::string FontFileNote(const FontFile& font);
void SaveFontFile(EditorState& s);
void SaveFontRange(EditorState& s);
void LoadDefaultFont(EditorState& s);

}  // namespace qm
