#pragma once

// The source text of a font for the platform's languages, one character per
// data line, and the text file it is saved as.

#include <string>
#include <vector>

#include "core/byte_stream.h"
#include "core/font_format.h"

namespace qm {

inline constexpr int kExportFormatCount = 6;

// The names of the formats, in the order of their index.
const std::vector<std::string>& ExportFormatNames();
// Header, 128 data lines and trailer of format 0..5; nothing for another index.
std::vector<std::string> ExportLines(const FontBytes& font, int format);
// Each line followed by CR LF, the last one too; the text is kept as it is
// (UTF-8), without a byte-order mark.
Bytes TextFileBytes(const std::vector<std::string>& lines);

}  // namespace qm
