#include "core/view_format.h"

#include "core/byte_stream.h"
#include "core/document.h"

namespace qm {

namespace {

constexpr std::uint32_t kViewMagic = 0x54444556;  // "VEDT"

template <typename Visit>
void ForEachRegionChar(const ViewCells& screen, const Region& region, Visit visit) {
    if (!IsExportable(region)) return;
    for (int y = region.startY; y < region.startY + region.height; ++y) {
        for (int x = region.startX; x < region.startX + region.width; ++x) {
            if (IsCellCode(screen[y][x])) visit(screen[y][x]);
        }
    }
}

}  // namespace

ViewBytes EncodeViewFile(const ViewCells& screen) {
    ByteWriter out;
    out.Uint32(kViewMagic);
    for (const auto& row : screen) {
        for (std::int32_t cell : row) out.Int32(cell);
    }
    return out.Take();
}

std::optional<ViewCells> DecodeViewFile(const ViewBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kViewMagic) return std::nullopt;
    ViewCells screen{};
    for (auto& row : screen) {
        for (std::int32_t& cell : row) cell = CellOrEmpty(in.Int32());
    }
    return screen;
}

bool IsExportable(const Region& r) {
    // Wide arithmetic, so no stored value can overflow its way into range.
    return r.startX >= 0 && r.startY >= 0 && r.width >= 0 && r.height >= 0 &&
           static_cast<long long>(r.startX) + r.width < kViewColumns &&
           static_cast<long long>(r.startY) + r.height < kViewRows;
}

ViewBytes RegionBitmapBytes(const ViewCells& screen, const Region& region,
                            const std::array<std::uint8_t, kFontBytes>& font) {
    ByteWriter out;
    ForEachRegionChar(screen, region, [&](int code) { out.Write(font.data() + CharOfCode(code) * 8, 8); });
    return out.Take();
}

ViewBytes RegionCodeBytes(const ViewCells& screen, const Region& region) {
    ByteWriter out;
    ForEachRegionChar(screen, region, [&](int code) { out.Byte(code); });
    return out.Take();
}

}  // namespace qm
