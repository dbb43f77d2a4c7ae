// A one-set file of any length and content, as "Load set" reads it, then
// exported as bitmaps, which indexes the font by every cell.

#include <cstddef>
#include <cstdint>

#include "invariants.h"
#include "core/set_format.h"

namespace {

using qm::fuzz::Require;

bool StartsWithMagic(const std::uint8_t* data, std::size_t size) {
    return size >= 4 && data[0] == 'Q' && data[1] == 'M' && data[2] == 'R' && data[3] == 'S';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<qm::SetRecord> set = qm::DecodeSetFile(qm::SetBytes(data, data + size));
    Require(set.has_value() == StartsWithMagic(data, size), "a set is recognised by its magic alone");
    if (!set) return 0;

    std::size_t characters = 0;
    for (std::int32_t cell : set->cells) {
        qm::fuzz::RequireCell(cell);
        if (cell != qm::kEmptyCell) ++characters;
    }
    const std::array<std::uint8_t, qm::kFontBytes> font{};
    Require(qm::SetBitmapBytes(*set, font).size() == 8 * characters, "a set exports eight bytes a character");

    const std::optional<qm::SetRecord> again = qm::DecodeSetFile(qm::EncodeSetFile(*set));
    Require(again.has_value() && again->cells == set->cells, "a set reads back as it was saved");
    return 0;
}
