// A font file of any length, loaded into a slot as "Load FNT" does.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "files/font_buffer.h"
#include "files/font_format.h"
#include "invariants.h"

namespace {

qm::EditorState& State() {
    static qm::EditorState state;
    return state;
}

// The slot must hold the file's first kilobyte, zeros past a short file's end.
void RequireFirstKilobyte(const qm::EditorState& s, const std::uint8_t* data, std::size_t size) {
    const std::size_t kept = std::min<std::size_t>(size, qm::kFontBytes);
    for (std::size_t i = 0; i < qm::kFontBytes; ++i) {
        const std::uint8_t expected = i < kept ? data[i] : 0;
        qm::fuzz::Require(s.FontBuffer[i] == expected, "the slot holds the file's first kilobyte",
                          static_cast<long long>(i));
    }
}

// Codes outside 0..127 are clamped, so a range is whole characters of the font.
void RequireRangeInsideFont(const qm::FontBytes& font, const std::uint8_t* data, std::size_t size) {
    if (size < 2) return;
    const int from = static_cast<std::int8_t>(data[0]);
    const int to = static_cast<std::int8_t>(data[1]);
    const qm::Bytes range = qm::WriteFontRange(font, from, to);
    qm::fuzz::Require(range.size() % 8 == 0 && range.size() <= qm::kFontBytes, "a range is whole characters",
                      static_cast<long long>(range.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qm::EditorState& s = State();
    const qm::Bytes file(data, data + size);
    const qm::FontBytes font = qm::ReadFontBytes(file);

    s.FontBuffer = font;
    qm::UnpackFont(s, 1);
    qm::fuzz::RequirePixels(s.Slots[1]);
    qm::PackFont(s, 1);
    RequireFirstKilobyte(s, data, size);
    qm::fuzz::Require(qm::WriteFontBytes(font) == qm::Bytes(s.FontBuffer.begin(), s.FontBuffer.end()),
                      "a loaded font saves back as it was read");
    RequireRangeInsideFont(font, data, size);
    return 0;
}
