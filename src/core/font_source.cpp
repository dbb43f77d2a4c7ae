#include "core/font_source.h"

#include <cstdio>

namespace qm {

namespace {

void Append(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

// The eight bytes of one character, each with its prefix, joined by sep.
std::string CharBytes(const FontBytes& font, int code, const char* prefix, const char* sep) {
    std::string line;
    for (int row = 0; row < 8; ++row) {
        char number[8];
        std::snprintf(number, sizeof number, "%s%02X", prefix, font[code * 8 + row]);
        if (row > 0) line += sep;
        line += number;
    }
    return line;
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

Bytes Ca65FontText(const FontBytes& font, const std::string& label) {
    Bytes out;
    Append(out, label + ":\n");
    for (int code = 0; code < kCharCount; ++code) Append(out, "    .byte " + CharBytes(font, code, "$", ",") + "\n");
    return out;
}

Bytes CFontText(const FontBytes& font, const std::string& name) {
    Bytes out;
    Append(out, "const unsigned char " + name + "[1024] = {\n");
    for (int code = 0; code < kCharCount; ++code) {
        Append(out, "    " + CharBytes(font, code, "0x", ", ") + (code < kCharCount - 1 ? ",\n" : "\n"));
    }
    Append(out, "};\n");
    return out;
}

}  // namespace qm
