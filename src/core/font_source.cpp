#include "core/font_source.h"

#include "core/byte_lines.h"

namespace qm {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

}  // namespace

bool IsSourceLabel(const std::string& name) {
    if (name.empty() || name.size() > 64 || !IsLetter(name[0])) return false;
    for (char c : name) {
        if (!IsLetter(c) && !(c >= '0' && c <= '9')) return false;
    }
    return true;
}

Bytes Ca65BytesText(std::span<const std::uint8_t> bytes, const std::string& label, std::size_t perLine) {
    Bytes out;
    AppendText(out, label + ":\n");
    AppendByteLines(out, bytes, perLine, {.start = "    .byte ", .prefix = "$", .separator = ",", .end = "\n",
                                          .lastEnd = "\n"});
    return out;
}

Bytes CBytesText(std::span<const std::uint8_t> bytes, const std::string& name, std::size_t perLine) {
    Bytes out;
    AppendText(out, "const unsigned char " + name + "[" + std::to_string(bytes.size()) + "] = {\n");
    AppendByteLines(out, bytes, perLine, {.start = "    ", .prefix = "0x", .separator = ", ", .end = ",\n",
                                          .lastEnd = "\n"});
    AppendText(out, "};\n");
    return out;
}

Bytes Ca65FontText(const FontBytes& font, const std::string& label) { return Ca65BytesText(font, label, 8); }

Bytes CFontText(const FontBytes& font, const std::string& name) { return CBytesText(font, name, 8); }

}  // namespace qm
