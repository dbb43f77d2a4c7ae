#include "core/view_format.h"

#include "core/byte_stream.h"
#include "core/document.h"
#include "core/no_coverage.h"

namespace qm {

namespace {

constexpr std::uint32_t kViewMagic = 0x54444556;  // "VEDT"
constexpr std::size_t kCellBytes = 4 * kViewColumns * kViewRows;

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

// The screen is almost all of a view file and of a project, so its cells go
// through the stream as one block rather than a value at a time.
QM_NO_COVERAGE void WriteViewCells(ByteWriter& out, const ViewCells& screen) {
    std::array<std::uint8_t, kCellBytes> bytes{};
    for (std::size_t i = 0; i < kCellBytes / 4; ++i) {
        const auto cell = static_cast<std::uint32_t>(screen[i / kViewColumns][i % kViewColumns]);
        for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<std::uint8_t>(cell >> 8 * b);
    }
    out.Write(bytes.data(), bytes.size());
}

QM_NO_COVERAGE void ReadViewCells(ByteReader& in, ViewCells& screen) {
    std::array<std::uint8_t, kCellBytes> bytes;
    in.Read(bytes.data(), bytes.size());
    for (std::size_t i = 0; i < kCellBytes / 4; ++i) {
        const std::uint8_t* p = bytes.data() + 4 * i;
        const std::uint32_t cell = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
        screen[i / kViewColumns][i % kViewColumns] = CellOrEmpty(static_cast<std::int32_t>(cell));
    }
}

ViewBytes EncodeViewFile(const ViewCells& screen) {
    ByteWriter out;
    out.Reserve(kViewFileSize);
    out.Uint32(kViewMagic);
    WriteViewCells(out, screen);
    return out.Take();
}

std::optional<ViewCells> DecodeViewFile(const ViewBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kViewMagic) return std::nullopt;
    ViewCells screen;
    ReadViewCells(in, screen);
    return screen;
}

bool IsExportable(const Region& r) {
    // Wide arithmetic, so no stored value can overflow its way into range.
    return r.startX >= 0 && r.startY >= 0 && r.width >= 0 && r.height >= 0 &&
           static_cast<long long>(r.startX) + r.width < kViewColumns &&
           static_cast<long long>(r.startY) + r.height < kViewRows;
}

// Plain loops over as much as the whole screen, as the cells' are.
QM_NO_COVERAGE ViewBytes RegionBitmapBytes(const ViewCells& screen, const Region& region,
                            const std::array<std::uint8_t, kFontBytes>& font) {
    ByteWriter out;
    ForEachRegionChar(screen, region, [&](int code) { out.Write(font.data() + CharOfCode(code) * 8, 8); });
    return out.Take();
}

QM_NO_COVERAGE ViewBytes RegionCodeBytes(const ViewCells& screen, const Region& region) {
    ByteWriter out;
    ForEachRegionChar(screen, region, [&](int code) { out.Byte(code); });
    return out.Take();
}

}  // namespace qm
