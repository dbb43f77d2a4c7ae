#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/inputs.h"
#include "core/byte_stream.h"
#include "core/file_io.h"

namespace qm::cli {

// The extension of a file name in lower case with its dot; empty for none.
std::string LowerExtension(const std::string& path);
// A file the command reads, with its kind.
using ReadFrom = std::pair<std::string, FileKind>;

// Before anything is written: refuses (UsageError) an output whose extension
// names a kind of file other than the one the command writes, and an output
// that is one of the inputs unless that input is of the kind written; throws
// InputError when the output certainly cannot be written. "-" passes.
void CheckOutput(const std::string& path, FileKind writes, const std::vector<ReadFrom>& inputs);
// Writes the bytes to the file the safe way (all or nothing, an existing file
// untouched on failure), or to standard output for "-". Throws InputError.
void WriteOutput(const std::string& path, const Bytes& bytes);
// Writes files that belong together the same way, all or none where that can
// be had (SaveFilesSafely). Throws InputError naming the file that failed.
void WriteOutputs(const std::vector<OutputFile>& files);
// Text for the terminal, e.g. of info and --help.
void WriteText(const std::string& path, const std::string& text);

}  // namespace qm::cli
