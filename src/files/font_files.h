#pragma once

#include <string>

#include "core/font_format.h"
#include "session/editor_state.h"

namespace qm {

void LoadFontFile(EditorState& s);
// Loads the font file into the current slot. Empty when it was loaded, else
// why not: "cannot be read", or "not a font: " and what it is.
std::string LoadFontFrom(EditorState& s, const std::string& path);
// What the status bar adds to a font's name: how much of the font a short
// file held, or that a binary load header was stepped over.
std::string FontFileNote(const FontFile& font);
void SaveFontFile(EditorState& s);
void SaveFontRange(EditorState& s);
void LoadDefaultFont(EditorState& s);

}  // namespace qm
