// A view file of any length and content, as "Load" of the view editor reads
// it, then exported. The reader ignores bytes past the screen, so those pick
// the export region, which the user types in and may be anything.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "invariants.h"
#include "core/no_coverage.h"
#include "core/view_format.h"

namespace {

using qm::fuzz::Require;

bool StartsWithMagic(const std::uint8_t* data, std::size_t size) {
    return size >= 4 && data[0] == 'V' && data[1] == 'E' && data[2] == 'D' && data[3] == 'T';
}

qm::Region RegionAfterScreen(const std::uint8_t* data, std::size_t size) {
    qm::Region region{0, 0, qm::kViewColumns - 1, qm::kViewRows - 1};
    if (size >= qm::kViewFileSize + sizeof region) std::memcpy(&region, data + qm::kViewFileSize, sizeof region);
    return region;
}

QM_NO_COVERAGE std::size_t CharactersIn(const qm::ViewCells& screen, const qm::Region& r) {
    if (!qm::IsExportable(r)) return 0;
    std::size_t count = 0;
    for (int y = r.startY; y < r.startY + r.height; ++y) {
        const std::int32_t* row = screen[y].data();
        for (int x = r.startX; x < r.startX + r.width; ++x) count += row[x] != qm::kEmptyCell;
    }
    return count;
}

QM_NO_COVERAGE void RequireCells(const qm::ViewCells& screen) {
    for (const auto& row : screen) {
        for (std::int32_t cell : row) qm::fuzz::RequireCell(cell);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<qm::ViewCells> screen = qm::DecodeViewFile(qm::ViewBytes(data, data + size));
    Require(screen.has_value() == StartsWithMagic(data, size), "a view is recognised by its magic alone");
    if (!screen) return 0;
    RequireCells(*screen);

    const qm::Region region = RegionAfterScreen(data, size);
    const std::array<std::uint8_t, qm::kFontBytes> font{};
    const std::size_t characters = CharactersIn(*screen, region);
    Require(qm::RegionBitmapBytes(*screen, region, font).size() == 8 * characters, "eight bytes a character");
    Require(qm::RegionCodeBytes(*screen, region).size() == characters, "one code a character");

    const std::optional<qm::ViewCells> again = qm::DecodeViewFile(qm::EncodeViewFile(*screen));
    Require(again.has_value() && *again == *screen, "a view reads back as it was saved");
    return 0;
}
