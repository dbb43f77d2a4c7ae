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

// Every cell a character or empty, and every set exports.
QM_NO_COVERAGE void RequireCellsExport(const qm::SetArray& sets) {
    const std::array<std::uint8_t, qm::kFontBytes> font{};
    for (const qm::SetRecord& set : sets) {
        for (std::int32_t cell : set.cells) qm::fuzz::RequireCell(cell);
        qm::SetBitmapBytes(set, font);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<qm::SetArray> sets = qm::DecodeAllSetsFile(qm::SetBytes(data, data + size));
    Require(sets.has_value() == StartsWithMagic(data, size), "sets are recognised by their magic alone");
    if (!sets) return 0;

    RequireCellsExport(*sets);

    const std::optional<qm::SetArray> again = qm::DecodeAllSetsFile(qm::EncodeAllSetsFile(*sets));
    Require(again.has_value() && SameSets(*sets, *again), "sets read back as they were saved");
    return 0;
}
