#pragma once

// Regions of the view screen for build tools: any rectangle on the screen,
// up to the whole 60 x 40, and the map form that keeps every cell's place.

#include "core/byte_stream.h"
#include "core/document.h"

namespace qm {

// The region lies wholly on the screen (the whole screen included).
bool InsideScreen(const Region& region);

// The character bitmaps (8 bytes each) and the codes (1 byte each) of the
// region's non-empty cells, row by row, left to right: the bytes of the view
// export for every region it allows, and the same walk for the last column and
// row. Nothing for a region off the screen. Codes keep bit 7; a bitmap is the
// character's own, as in the view export.
Bytes ScreenRegionBitmaps(const ViewCells& screen, const Region& region, const FontBytes& font);
Bytes ScreenRegionCodes(const ViewCells& screen, const Region& region);

// One byte per cell, row by row: the character code, or fill for an empty
// cell; with header, first the width and height as one byte each.
Bytes RegionMapBytes(const ViewCells& screen, const Region& region, int fill, bool header);

}  // namespace qm
