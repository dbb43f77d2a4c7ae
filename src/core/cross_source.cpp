#include "core/cross_source.h"

#include <algorithm>

#include "core/hex_digits.h"

namespace qm {

namespace {

// The bytes as $xx, joined by commas.
std::string HexValues(std::span<const std::uint8_t> bytes, bool lowerCase) {
    std::string text;
    text.reserve(bytes.size() * 4 + 64);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) text += ',';
        text += '$';
        AppendHexByte(text, bytes[i], lowerCase);
    }
    return text;
}

// One line per perLine bytes, each the prefix and the values.
std::vector<std::string> ValueLines(std::span<const std::uint8_t> bytes, std::size_t perLine, bool lowerCase,
                                    const std::string& prefix) {
    std::vector<std::string> lines;
    if (perLine == 0) perLine = 1;
    for (std::size_t at = 0; at < bytes.size(); at += perLine) {
        lines.push_back(prefix + HexValues(bytes.subspan(at, std::min(perLine, bytes.size() - at)), lowerCase));
    }
    return lines;
}

}  // namespace

std::vector<std::string> MadsByteLines(std::span<const std::uint8_t> bytes, const std::string& label,
                                       std::size_t perLine, bool align) {
    std::vector<std::string> lines;
    if (align) lines.push_back("    .ALIGN $400");
    lines.push_back(label);
    for (std::string& line : ValueLines(bytes, perLine, false, "    dta ")) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> XasmByteLines(std::span<const std::uint8_t> bytes, const std::string& label,
                                       std::size_t perLine) {
    std::vector<std::string> lines = {label};
    for (std::string& line : ValueLines(bytes, perLine, true, "    dta ")) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> FastBasicByteLines(std::span<const std::uint8_t> bytes, const std::string& label,
                                            std::size_t perLine) {
    std::vector<std::string> lines = ValueLines(bytes, perLine, false, "DATA BYTE = ");
    if (lines.empty()) return {"DATA " + label + "() BYTE ="};
    lines.front().replace(0, 5, "DATA " + label + "() ");
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) lines[i] += ',';
    return lines;
}

}  // namespace qm
