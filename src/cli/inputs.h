#pragma once

// Reading the tool's input files and telling their kinds apart.

#include <string>

#include "cli/options.h"
#include "core/byte_stream.h"
#include "core/document.h"
#include "core/project_format.h"

namespace qm::cli {

enum class FileKind { Font, Project, View, Colors, Set, AllSets };

struct InputFile {
    std::string path;
    FileKind kind = FileKind::Font;
    Bytes bytes;           // the file, or as much of it as any reader looks at
    long long size = 0;    // the whole file's size
};

// What the file is, by its magic; a file without one is a raw font. A name
// ending in .proj or .ved promises that kind, so a wrong magic is an error
// rather than a font of garbage. Throws InputError.
InputFile ReadInput(const std::string& path);
const char* KindName(FileKind kind);

// The document of a project file; throws InputError for another kind.
Document ProjectDocument(const InputFile& file);
// The slot of --slot (1 to 10, default 1); only a project has slots.
int SlotOption(const InputFile& file, const Options& options);
// The font of a .fnt, or of the chosen slot of a project; throws InputError for
// other kinds.
FontBytes InputFont(const InputFile& file, const Options& options);

}  // namespace qm::cli
