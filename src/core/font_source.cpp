#include "core/font_source.h"

#include <algorithm>
#include <string_view>

#include "core/export_lines.h"
#include "core/hex_digits.h"

namespace qm {

namespace {

void Append(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

// The bytes of one line, each with its prefix, joined by sep, after the line's
// start and before its end.
void AppendLine(Bytes& out, std::string_view start, std::span<const std::uint8_t> bytes, std::string_view prefix,
                std::string_view sep, std::string_view end) {
    Append(out, start);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) Append(out, sep);
        Append(out, prefix);
        out.push_back(static_cast<unsigned char>(kUpperHexDigits[bytes[i] >> 4]));
        out.push_back(static_cast<unsigned char>(kUpperHexDigits[bytes[i] & 15]));
    }
    Append(out, end);
}

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
    out.reserve(label.size() + 2 + bytes.size() * 4 + (bytes.size() / perLine + 1) * 11);
    Append(out, label + ":\n");
    for (std::size_t at = 0; at < bytes.size(); at += perLine) {
        AppendLine(out, "    .byte ", bytes.subspan(at, std::min(perLine, bytes.size() - at)), "$", ",", "\n");
    }
    return out;
}

Bytes CBytesText(std::span<const std::uint8_t> bytes, const std::string& name, std::size_t perLine) {
    Bytes out;
    out.reserve(name.size() + 40 + bytes.size() * 6 + (bytes.size() / perLine + 1) * 6);
    Append(out, "const unsigned char " + name + "[" + std::to_string(bytes.size()) + "] = {\n");
    for (std::size_t at = 0; at < bytes.size(); at += perLine) {
        const std::size_t count = std::min(perLine, bytes.size() - at);
        AppendLine(out, "    ", bytes.subspan(at, count), "0x", ", ", at + count < bytes.size() ? ",\n" : "\n");
    }
    Append(out, "};\n");
    return out;
}

Bytes BytesAsSource(std::span<const std::uint8_t> bytes, ByteSource form, const std::string& label,
                    std::size_t perLine) {
    switch (form) {
        case ByteSource::Ca65: return Ca65BytesText(bytes, label, perLine);
        case ByteSource::C: return CBytesText(bytes, label, perLine);
        case ByteSource::Asm: return TextFileBytes(AsmByteLines(bytes, label, perLine));
        case ByteSource::Raw: break;
    }
    return Bytes(bytes.begin(), bytes.end());
}

Bytes Ca65FontText(const FontBytes& font, const std::string& label) { return Ca65BytesText(font, label, 8); }

Bytes CFontText(const FontBytes& font, const std::string& name) { return CBytesText(font, name, 8); }

}  // namespace qm
