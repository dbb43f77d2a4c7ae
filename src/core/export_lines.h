#pragma once

// The source text of a font for the platform's languages, one character per
// data line, and the text file it is saved as.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/byte_stream.h"
#include "core/font_format.h"

namespace qm {

inline constexpr int kExportFormatCount = 9;
// The formats of the cross tools, after the six of the platform's languages.
inline constexpr int kMadsFormat = 6;
inline constexpr int kXasmFormat = 7;
inline constexpr int kFastBasicFormat = 8;
// The label of the cross tools' formats.
inline constexpr const char* kCrossFormatLabel = "font";

// The names of the formats, in the order of their index.
const std::vector<std::string>& ExportFormatNames();
// Header, 128 data lines and trailer of format 0..8; nothing for another index.
// alignMads puts the MADS font on a 1 KB boundary; no other format has it.
std::vector<std::string> ExportLines(const FontBytes& font, int format, bool alignMads = false);
// Any bytes as the first format writes a font: the label, then lines of
// perLine decimal bytes, as a text file.
Bytes AsmBytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine);
// Each line followed by CR LF, the last one too; the text is kept as it is
// (UTF-8), without a byte-order mark.
Bytes TextFileBytes(const std::vector<std::string>& lines);
// The lines of such a text, without their CR LF.
std::vector<std::string> TextFileLines(const Bytes& text);

}  // namespace qm
