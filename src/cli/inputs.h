#pragma once

// Reading the tool's input files and telling their kinds apart.

#include <string>

#include "cli/options.h"
#include "core/byte_stream.h"
#include "core/document.h"
#include "core/font_format.h"
#include "core/project_format.h"

namespace qm::cli {

// The kinds of file the tool reads and writes; Picture and Other are only
// written (or read by import-image).
enum class FileKind { Font, Project, View, Colors, Set, AllSets, Picture, Other };

struct InputFile {
    std::string path;
    FileKind kind = FileKind::Font;
    Bytes bytes;           // the file, or as much of it as any reader looks at
    long long size = 0;    // the whole file's size
    FontFile font;         // a font file's font
};

// What the file is, by its magic; a file without one is a font as the editor
// takes it (see ReadFontFile). A name ending in .proj or .ved promises that
// kind, so a wrong magic is an error rather than a font of garbage. A file
// shorter than its kind's length has lost its end and is refused, as the
// editor refuses it. Throws InputError.
InputFile ReadInput(const std::string& path);
// The first maxBytes of a file, or an InputError naming why it cannot be read.
Bytes ReadInputBytes(const std::string& path, std::size_t maxBytes);
const char* KindName(FileKind kind);

// The document of a project file; throws InputError for another kind.
Document ProjectDocument(const InputFile& file);
// The slot of --slot (1 to 10, default 1); only a project has slots.
int SlotOption(const InputFile& file, const Options& options);
// The font of a .fnt, or of the chosen slot of a project; throws InputError for
// other kinds.
FontBytes InputFont(const InputFile& file, const Options& options);

// --region's X,Y,W,H, each part from 0 to the columns (X, W) or rows (Y, H);
// whether it lies on what it is a region of is the caller's to judge.
Region ParseRegion(const std::string& text, int columns, int rows);
// X,Y,W,H of --region: a rectangle wholly on the 60 x 40 view screen, or a
// UsageError.
Region ParseRegion(const std::string& text);

}  // namespace qm::cli
