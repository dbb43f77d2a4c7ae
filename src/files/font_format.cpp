#include "files/font_format.h"

#include <algorithm>

namespace qm {

FontBytes ReadFontBytes(const Bytes& file) {
    FontBytes font{};
    ByteReader(file).Read(font.data(), font.size());
    return font;
}

Bytes WriteFontBytes(const FontBytes& font) { return Bytes(font.begin(), font.end()); }

Bytes WriteFontRange(const FontBytes& font, int from, int to) {
    from = std::clamp(from, 0, kCharCount - 1);
    to = std::clamp(to, 0, kCharCount - 1);
    if (from > to) return {};
    return Bytes(font.begin() + from * 8, font.begin() + (to + 1) * 8);
}

}  // namespace qm
