#pragma once

// The view screen file (.ved) and the two exports of a region of the screen
// (.bin bitmaps, .char codes), as bytes in memory.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/byte_stream.h"
#include "core/document.h"

namespace qm {

using ViewBytes = std::vector<unsigned char>;

constexpr std::size_t kViewFileSize = 4 + 4 * kViewColumns * kViewRows;  // 9604

// The screen's cells as the view file and the project store them: signed
// 32-bit values row by row. A cell that is no character reads as empty.
void WriteViewCells(ByteWriter& out, const ViewCells& screen);
void ReadViewCells(ByteReader& in, ViewCells& screen);

ViewBytes EncodeViewFile(const ViewCells& screen);
// Empty when the file does not start with the view magic.
std::optional<ViewCells> DecodeViewFile(const ViewBytes& bytes);

// A region lies inside the screen with one column and one row to spare.
bool IsExportable(const Region& region);
// Both walk the region row by row, left to right, skipping empty cells; an
// unexportable region gives nothing. The codes keep bit 7; the bitmaps are
// those of the character a code shows, as the font holds it (the machine
// inverts while it displays).
ViewBytes RegionBitmapBytes(const ViewCells& screen, const Region& region,
                            const std::array<std::uint8_t, kFontBytes>& font);
ViewBytes RegionCodeBytes(const ViewCells& screen, const Region& region);

}  // namespace qm
