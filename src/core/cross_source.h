#pragma once

// Source text of any bytes for the cross tools most programs for the machine
// are built with today: the MADS and xasm assemblers (bytes with dta) and the
// FastBasic compiler (DATA arrays). A label names the data; the values are
// two-digit hexadecimal, perLine of them a line, and every line ends in CR LF
// as the export dialog saves its text.

#include <cstdint>
#include <span>
#include <string>

#include "core/byte_stream.h"

namespace qm {

// The label alone on the first line, then "    dta $00,$18,..."; with align,
// "    .ALIGN $400" comes first so the data starts on a 1 KB boundary, as the
// display needs of a font.
Bytes MadsBytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine, bool align);
// The label alone in column 1, then "    dta $00,$18,$3c,..." (xasm writes
// its hexadecimal in lower case).
Bytes XasmBytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine);
// "DATA label() BYTE = $00,...," continued by "DATA BYTE = ...," lines; only
// the last line ends without a comma.
Bytes FastBasicBytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine);

}  // namespace qm
