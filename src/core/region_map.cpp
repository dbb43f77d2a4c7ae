#include "core/region_map.h"

namespace qm {

namespace {

template <typename Visit>
void ForEachCell(const ViewCells& screen, const Region& region, Visit visit) {
    if (!InsideScreen(region)) return;
    for (int y = region.startY; y < region.startY + region.height; ++y) {
        for (int x = region.startX; x < region.startX + region.width; ++x) visit(screen[y][x]);
    }
}

}  // namespace

bool InsideScreen(const Region& r) {
    return r.startX >= 0 && r.startY >= 0 && r.width >= 0 && r.height >= 0 &&
           static_cast<long long>(r.startX) + r.width <= kViewColumns &&
           static_cast<long long>(r.startY) + r.height <= kViewRows;
}

Bytes ScreenRegionBitmaps(const ViewCells& screen, const Region& region, const FontBytes& font) {
    Bytes out;
    ForEachCell(screen, region, [&](int cell) {
        if (!IsCellCode(cell)) return;
        const auto bitmap = font.begin() + CharOfCode(cell) * 8;
        out.insert(out.end(), bitmap, bitmap + 8);
    });
    return out;
}

Bytes ScreenRegionCodes(const ViewCells& screen, const Region& region) {
    Bytes out;
    ForEachCell(screen, region, [&](int cell) {
        if (IsCellCode(cell)) out.push_back(static_cast<unsigned char>(cell));
    });
    return out;
}

Bytes RegionMapBytes(const ViewCells& screen, const Region& region, int fill, bool header) {
    Bytes out;
    if (!InsideScreen(region)) return out;
    if (header) {
        out.push_back(static_cast<unsigned char>(region.width));
        out.push_back(static_cast<unsigned char>(region.height));
    }
    ForEachCell(screen, region, [&](int cell) {
        out.push_back(static_cast<unsigned char>(IsCellCode(cell) ? cell : fill));
    });
    return out;
}

}  // namespace qm
