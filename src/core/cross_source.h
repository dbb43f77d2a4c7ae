#pragma once

// Source text of any bytes for the cross tools most programs for the machine
// are built with today: the MADS and xasm assemblers (bytes with dta) and the
// FastBasic compiler (DATA arrays). A label names the data; the values are
// two-digit hexadecimal, perLine of them a line.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qm {

// The label alone on the first line, then "    dta $00,$18,..."; with align,
// "    .ALIGN $400" comes first so the data starts on a 1 KB boundary, as the
// display needs of a font.
std::vector<std::string> MadsByteLines(std::span<const std::uint8_t> bytes, const std::string& label,
                                       std::size_t perLine, bool align);
// The label alone in column 1, then "    dta $00,$18,$3c,..." (xasm writes
// its hexadecimal in lower case).
std::vector<std::string> XasmByteLines(std::span<const std::uint8_t> bytes, const std::string& label,
                                       std::size_t perLine);
// "DATA label() BYTE = $00,...," continued by "DATA BYTE = ...," lines; only
// the last line ends without a comma.
std::vector<std::string> FastBasicByteLines(std::span<const std::uint8_t> bytes, const std::string& label,
                                            std::size_t perLine);

}  // namespace qm
