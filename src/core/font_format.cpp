#include "core/font_format.h"

#include <algorithm>
#include <cstring>

#include "core/no_coverage.h"

namespace qm {

FontBytes ReadFontBytes(const Bytes& file) {
    FontBytes font{};
    ByteReader(file).Read(font.data(), font.size());
    return font;
}

namespace {

bool StartsWith(const Bytes& file, const char* magic, std::size_t length) {
    return file.size() >= length && std::equal(magic, magic + length, file.begin(),
                                                [](char m, unsigned char b) { return static_cast<unsigned char>(m) == b; });
}

// The kind of file the bytes recognisably are, when not a font.
std::string OtherKind(const Bytes& file, long long size) {
    static const struct {
        const char* magic;
        std::size_t length;
        const char* kind;
    } kKinds[] = {{"FPRJ", 4, "a project file"},    {"VEDT", 4, "a view file"},
                  {"QMRC", 4, "a colours file"},     {"QMRS", 4, "a set file"},
                  {"LMRS", 4, "a sets file"},        {"\x89PNG\r\n\x1a\n", 8, "a PNG picture"}};
    for (const auto& k : kKinds) {
        if (StartsWith(file, k.magic, k.length)) return k.kind;
    }
    // "BM" alone could begin a font; with the file's own size after it, it is a bitmap.
    if (StartsWith(file, "BM", 2) && file.size() >= 6 &&
        (file[2] | file[3] << 8 | file[4] << 16 | static_cast<long long>(file[5]) << 24) == size) {
        return "a BMP picture";
    }
    return {};
}

// A binary load file's header whose range is exactly the rest of the file.
bool HasLoadHeader(const Bytes& file, long long size) {
    if (file.size() < 6 || file[0] != 0xFF || file[1] != 0xFF) return false;
    const long long first = file[2] | file[3] << 8, last = file[4] | file[5] << 8;
    const long long length = last - first + 1;
    return length >= 8 && length <= kFontBytes && size == 6 + length;
}

}  // namespace

FontFile ReadFontFile(const Bytes& file, long long size) {
    FontFile result;
    if (size < 8) {
        result.notFont = std::to_string(size) + (size == 1 ? " byte" : " bytes");
        return result;
    }
    if (size > kLargestFontFile) {
        result.notFont = std::to_string(size) + " bytes, more than any font file (" +
                         std::to_string(kLargestFontFile) + ")";
        return result;
    }
    if (std::string kind = OtherKind(file, size); !kind.empty()) {
        result.notFont = kind;
        return result;
    }
    std::size_t at = 0;
    if (HasLoadHeader(file, size)) {
        result.loadHeader = true;
        at = 6;
    }
    const std::size_t held = std::min<std::size_t>(kFontBytes, file.size() - at);
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(at), held, result.font.begin());
    result.heldBytes = static_cast<int>(held);
    return result;
}

std::string HeldCharsText(int heldBytes) {
    if (heldBytes >= kFontBytes) return {};
    std::string text = std::to_string(heldBytes / 8) + " of " + std::to_string(kCharCount) + " characters";
    if (heldBytes % 8) text += " and " + std::to_string(heldBytes % 8) + " rows";
    return text;
}

Bytes WriteFontBytes(const FontBytes& font) { return Bytes(font.begin(), font.end()); }

Bytes WriteFontRange(const FontBytes& font, int from, int to) {
    from = std::clamp(from, 0, kCharCount - 1);
    to = std::clamp(to, 0, kCharCount - 1);
    if (from > to) return {};
    return Bytes(font.begin() + from * 8, font.begin() + (to + 1) * 8);
}

namespace {

// Each byte's eight pixels as they lie in a slot, leftmost first.
constexpr auto kRowPixels = [] {
    std::array<std::array<std::uint8_t, 8>, 256> rows{};
    for (int byte = 0; byte < 256; ++byte) {
        for (int x = 0; x < 8; ++x) rows[byte][x] = static_cast<std::uint8_t>((byte >> (7 - x)) & 1);
    }
    return rows;
}();

}  // namespace

// Every load and save of every slot passes through these two loops. Pixel
// (c, x, r) is pixels[8 (8c + r) + x]: font byte i has its pixels at 8i. Each
// moves a row's eight pixels in one copy, a single 8-byte access where a
// pixel at a time made eight (each of them checked, in a sanitizer build).
QM_NO_COVERAGE FontBytes PackFont(const FontSlot& font) {
    FontBytes bytes{};
    std::uint8_t* byte = bytes.data();
    const std::uint8_t* pixel = font.pixels.data();
    for (int i = 0; i < kFontBytes; ++i, pixel += 8) {
        std::uint8_t row[8];
        std::memcpy(row, pixel, 8);
        unsigned bits = 0;
        for (int x = 0; x < 8; ++x) bits |= static_cast<unsigned>(row[x] == 1) << (7 - x);
        byte[i] = static_cast<std::uint8_t>(bits);
    }
    return bytes;
}

QM_NO_COVERAGE void UnpackFont(const FontBytes& bytes, FontSlot& font) {
    const std::uint8_t* byte = bytes.data();
    std::uint8_t* pixel = font.pixels.data();
    for (int i = 0; i < kFontBytes; ++i, pixel += 8) std::memcpy(pixel, kRowPixels[byte[i]].data(), 8);
}

}  // namespace qm
