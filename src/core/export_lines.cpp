#include "core/export_lines.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/byte_lines.h"
#include "core/cross_source.h"
#include "core/hex_digits.h"

namespace qm {

namespace {

struct ExportFormat {
    std::string name;
    std::vector<std::string> header;
    std::string lineStart;
    std::string separator;
    bool hexadecimal;
    std::vector<std::string> trailer;
};

const std::vector<ExportFormat>& Formats() {
    static const std::vector<ExportFormat> formats = {
        {"Assembler: Byte in decimal", {"FONT"}, "    .BYTE ", ",", false, {}},
        {"Assembler: Byte in hexadecimal", {"FONT"}, "    .BYTE ", ",", true, {}},
        {"Action!: Byte in decimal", {"PROC font()=["}, "", " ", false, {"]", "MODULE"}},
        {"Action!: Byte in hexadecimal", {"PROC font()=["}, "", " ", true, {"]", "MODULE"}},
        {"Atari Basic", {"10000 REM .oO DATA FONT Oo."}, "", ",", false, {}},
        {"MadPascal: Array byte in hexadecimal", {"qmr_font: array [0..1023] of byte = ("}, "\t", ", ", true, {");"}},
    };
    return formats;
}

constexpr int kBasicFormat = 4;
constexpr int kPascalFormat = 5;

// A byte's value: decimal, or $ and hexadecimal digits without a leading zero.
std::string Number(int value, bool hexadecimal) {
    if (!hexadecimal) return std::to_string(value);
    std::string text = "$";
    AppendHexByte(text, static_cast<std::uint8_t>(value));
    if (value < 16) text.erase(1, 1);
    return text;
}

// The bytes after the start of a data line of the format, as it separates them.
std::string JoinNumbers(std::span<const std::uint8_t> bytes, const ExportFormat& f) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) text += f.separator;
        text += Number(bytes[i], f.hexadecimal);
    }
    return text;
}

std::string DataLine(const FontBytes& font, int code, int format) {
    const ExportFormat& f = Formats()[format];
    std::string line = f.lineStart;
    if (format == kBasicFormat) line += std::to_string(10010 + 10 * code) + " DATA ";
    line += JoinNumbers(std::span(font).subspan(static_cast<std::size_t>(code) * 8, 8), f);
    if (format == kPascalFormat && code < kCharCount - 1) line += ",";
    return line;
}

}  // namespace

const std::vector<std::string>& ExportFormatNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const ExportFormat& f : Formats()) list.push_back(f.name);
        list.push_back("MADS: dta bytes in hexadecimal");
        list.push_back("xasm: dta bytes in hexadecimal");
        list.push_back("FastBasic: DATA bytes in hexadecimal");
        return list;
    }();
    return names;
}

std::vector<std::string> ExportLines(const FontBytes& font, int format, bool alignMads) {
    if (format == kMadsFormat) return TextFileLines(MadsBytesText(font, kCrossFormatLabel, 8, alignMads));
    if (format == kXasmFormat) return TextFileLines(XasmBytesText(font, kCrossFormatLabel, 8));
    if (format == kFastBasicFormat) return TextFileLines(FastBasicBytesText(font, kCrossFormatLabel, 8));
    if (format < 0 || format >= kExportFormatCount) return {};
    const ExportFormat& f = Formats()[format];
    std::vector<std::string> lines = f.header;
    for (int code = 0; code < kCharCount; ++code) lines.push_back(DataLine(font, code, format));
    lines.insert(lines.end(), f.trailer.begin(), f.trailer.end());
    return lines;
}

Bytes AsmBytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine) {
    const ExportFormat& f = Formats()[0];
    Bytes out;
    AppendText(out, label + "\r\n");
    AppendByteLines(out, bytes, perLine, {.start = f.lineStart, .separator = f.separator, .end = "\r\n",
                                          .lastEnd = "\r\n", .digits = ValueDigits::Decimal});
    return out;
}

std::vector<std::string> TextFileLines(const Bytes& text) {
    std::vector<std::string> lines;
    const auto* begin = reinterpret_cast<const char*>(text.data());
    const std::string_view all(begin, text.size());
    for (std::size_t at = 0; at < all.size();) {
        const std::size_t end = all.find("\r\n", at);
        if (end == std::string_view::npos) {
            lines.emplace_back(all.substr(at));
            break;
        }
        lines.emplace_back(all.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

Bytes TextFileBytes(const std::vector<std::string>& lines) {
    Bytes bytes;
    for (const std::string& line : lines) {
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.push_back('\r');
        bytes.push_back('\n');
    }
    return bytes;
}

}  // namespace qm
