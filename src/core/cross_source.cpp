#include "core/cross_source.h"

#include <algorithm>
#include <cstdio>

namespace qm {

namespace {

std::string HexValues(std::span<const std::uint8_t> bytes, const char* form) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char number[8];
        std::snprintf(number, sizeof number, form, bytes[i]);
        if (i > 0) text += ',';
        text += number;
    }
    return text;
}

// One line per perLine bytes, each the prefix and the values in the form.
std::vector<std::string> ValueLines(std::span<const std::uint8_t> bytes, std::size_t perLine, const char* form,
                                    const std::string& prefix) {
    std::vector<std::string> lines;
    if (perLine == 0) perLine = 1;
    for (std::size_t at = 0; at < bytes.size(); at += perLine) {
        lines.push_back(prefix + HexValues(bytes.subspan(at, std::min(perLine, bytes.size() - at)), form));
    }
    return lines;
}

}  // namespace

std::vector<std::string> MadsByteLines(std::span<const std::uint8_t> bytes, const std::string& label,
                                       std::size_t perLine, bool align) {
    std::vector<std::string> lines;
    if (align) lines.push_back("    .ALIGN $400");
    lines.push_back(label);
    for (std::string& line : ValueLines(bytes, perLine, "$%02X", "    dta ")) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> XasmByteLines(std::span<const std::uint8_t> bytes, const std::string& label,
                                       std::size_t perLine) {
    std::vector<std::string> lines = {label};
    for (std::string& line : ValueLines(bytes, perLine, "$%02x", "    dta ")) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> FastBasicByteLines(std::span<const std::uint8_t> bytes, const std::string& label,
                                            std::size_t perLine) {
    std::vector<std::string> lines = ValueLines(bytes, perLine, "$%02X", "DATA BYTE = ");
    if (lines.empty()) return {"DATA " + label + "() BYTE ="};
    lines.front().replace(0, 5, "DATA " + label + "() ");
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) lines[i] += ',';
    return lines;
}

}  // namespace qm
