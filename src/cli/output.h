#pragma once

#include <string>

#include "core/byte_stream.h"

namespace qm::cli {

// Writes the bytes to the file the safe way (all or nothing, an existing file
// untouched on failure), or to standard output for "-". Throws InputError.
void WriteOutput(const std::string& path, const Bytes& bytes);
// Text for the terminal, e.g. of info and --help.
void WriteText(const std::string& path, const std::string& text);

}  // namespace qm::cli
