// An all-sets file of any length and content, as "Load all sets" reads it.

#include <cstddef>
#include <cstdint>

#include "invariants.h"
#include "core/no_coverage.h"
#include "core/set_format.h"

namespace {

using qm::fuzz::Require;

bool StartsWithMagic(const std::uint8_t* data, std::size_t size) {
    return size >= 4 && data[0] == 'L' && data[1] == 'M' && data[2] == 'R' && data[3] == 'S';
}

QM_NO_COVERAGE bool SameSets(const qm::SetArray& a, const qm::SetArray& b) {
    for (int n = 1; n <= qm::kSetCount; ++n) {
        if (a[n].cells != b[n].cells) return false;
    }
    return true;
}

QM_NO_COVERAGE void RequireCells(const qm::SetArray& sets) {
    for (const qm::SetRecord& set : sets) {
        for (std::int32_t cell : set.cells) qm::fuzz::RequireCell(cell);
    }
}

// Every set is read and exported by the same code, so one export an input
// checks it as well as a hundred would, at a hundredth of the cost; the
// input's length picks the set, so the fuzzer reaches each of them.
QM_NO_COVERAGE void RequireSetExports(const qm::SetArray& sets, std::size_t size) {
    const qm::SetRecord& set = sets[1 + size % qm::kSetCount];
    std::size_t characters = 0;
    for (std::int32_t cell : set.cells) characters += cell != qm::kEmptyCell;
    const std::array<std::uint8_t, qm::kFontBytes> font{};
    Require(qm::SetBitmapBytes(set, font).size() == 8 * characters, "eight bytes a character");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<qm::SetArray> sets = qm::DecodeAllSetsFile(qm::SetBytes(data, data + size));
    Require(sets.has_value() == StartsWithMagic(data, size), "sets are recognised by their magic alone");
    if (!sets) return 0;

    RequireCells(*sets);
    RequireSetExports(*sets, size);

    const std::optional<qm::SetArray> again = qm::DecodeAllSetsFile(qm::EncodeAllSetsFile(*sets));
    Require(again.has_value() && SameSets(*sets, *again), "sets read back as they were saved");
    return 0;
}
