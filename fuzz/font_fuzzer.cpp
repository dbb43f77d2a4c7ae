// A font file of any length, loaded into a slot as "Load FNT" does.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/font_format.h"
#include "core/no_coverage.h"
#include "invariants.h"

namespace {

// The slot must hold the file's first kilobyte, zeros past a short file's end.
// Compared whole; the first difference is looked for only to report it.
QM_NO_COVERAGE void RequireFirstKilobyte(const qm::FontBytes& packed, const std::uint8_t* data, std::size_t size) {
    qm::FontBytes expected{};
    std::copy_n(data, size < expected.size() ? size : expected.size(), expected.data());
    if (std::memcmp(packed.data(), expected.data(), expected.size()) == 0) return;
    std::size_t i = 0;
    while (packed[i] == expected[i]) ++i;
    qm::fuzz::Broken("the slot holds the file's first kilobyte", static_cast<long long>(i));
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

// One comparison of the kilobyte rather than a watched one per byte.
QM_NO_COVERAGE bool SameBytes(const qm::Bytes& file, const qm::FontBytes& font) {
    return file.size() == font.size() && std::memcmp(file.data(), font.data(), font.size()) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qm::FontSlot slot;
    const qm::Bytes file(data, data + size);
    const qm::FontBytes font = qm::ReadFontBytes(file);

    qm::UnpackFont(font, slot);
    qm::fuzz::RequirePixels(slot);
    const qm::FontBytes packed = qm::PackFont(slot);
    RequireFirstKilobyte(packed, data, size);
    qm::fuzz::Require(SameBytes(qm::WriteFontBytes(font), packed), "a loaded font saves back as it was read");
    RequireRangeInsideFont(font, data, size);
    return 0;
}
