// A Tiled map of any content, as "Import from Tiled..." and import-tmx read
// it: it is read or refused with a reason, what is read is a grid of codes,
// and that grid written out reads back as it was.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/tmx_format.h"
#include "invariants.h"

namespace {

using qm::fuzz::Require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::TmxReadResult read = qm::ReadTmx(std::span(data, size));
    if (!read.error.empty()) {
        Require(read.grid.cells.empty(), "a refused map gives no cells");
        return 0;
    }
    const qm::CodeGrid& grid = read.grid;
    Require(grid.width > 0 && grid.height > 0, "a map read has a size");
    Require(grid.cells.size() == static_cast<std::size_t>(grid.width) * grid.height, "one cell per tile",
            static_cast<long long>(grid.cells.size()));
    for (int cell : grid.cells) Require(cell == qm::kEmptyCell || (cell >= 0 && cell <= 255), "a cell is -1 or 0..255", cell);

    qm::ViewCells screen{};
    if (qm::PlaceOnScreen(grid, screen).empty()) {
        for (const auto& row : screen) {
            for (std::int32_t cell : row) qm::fuzz::RequireCell(cell);
        }
    }

    const std::string written = qm::WriteTmx(grid, "font.tsx", "Screen");
    const qm::TmxReadResult again = qm::ReadTmx(std::span(reinterpret_cast<const std::uint8_t*>(written.data()), written.size()));
    Require(again.error.empty() && again.grid.cells == grid.cells, "a map read writes out and reads back alike");
    return 0;
}
