#include "core/view_format.h"

#include <cstring>

#include "core/byte_stream.h"
#include "core/document.h"
#include "core/no_coverage.h"

namespace qm {

namespace {

constexpr std::uint32_t kViewMagic = 0x54444556;  // "VEDT"
constexpr std::size_t kCellBytes = 4 * kViewColumns * kViewRows;

}  // namespace

// The screen is almost all of a view file and of a project, so its cells go
// through the stream as one block rather than a value at a time.
QM_NO_COVERAGE void WriteViewCells(ByteWriter& out, const ViewCells& screen) {
    std::array<std::uint8_t, kCellBytes> bytes;
    std::uint8_t* p = bytes.data();
    for (int y = 0; y < kViewRows; ++y) {
        const std::int32_t* row = screen[y].data();
        for (int x = 0; x < kViewColumns; ++x, p += 4) {
            const auto cell = static_cast<std::uint32_t>(row[x]);
            p[0] = static_cast<std::uint8_t>(cell);
            p[1] = static_cast<std::uint8_t>(cell >> 8);
            p[2] = static_cast<std::uint8_t>(cell >> 16);
            p[3] = static_cast<std::uint8_t>(cell >> 24);
        }
    }
    out.Write(bytes.data(), bytes.size());
}

QM_NO_COVERAGE void ReadViewCells(ByteReader& in, ViewCells& screen) {
    std::array<std::uint8_t, kCellBytes> bytes;
    in.Read(bytes.data(), bytes.size());
    const std::uint8_t* p = bytes.data();
    for (int y = 0; y < kViewRows; ++y) {
        std::int32_t* row = screen[y].data();
        for (int x = 0; x < kViewColumns; ++x, p += 4) {
            const auto cell = static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) |
                                                        (static_cast<std::uint32_t>(p[3]) << 24));
            row[x] = cell >= 0 && cell < kCodeCount ? cell : kEmptyCell;  // CellOrEmpty
        }
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

namespace {

// The codes of the region's cells row by row (bit 7 kept), empty cells left out;
// none when the region cannot be exported.
QM_NO_COVERAGE ViewBytes RegionCodes(const ViewCells& screen, const Region& region) {
    if (!IsExportable(region)) return {};
    std::array<std::uint8_t, kViewColumns * kViewRows> codes;
    std::uint8_t* const first = codes.data();
    std::uint8_t* next = first;
    for (int y = region.startY; y < region.startY + region.height; ++y) {
        const std::int32_t* row = screen[y].data();
        for (int x = region.startX; x < region.startX + region.width; ++x) {
            if (row[x] >= 0 && row[x] < kCodeCount) *next++ = static_cast<std::uint8_t>(row[x]);
        }
    }
    return ViewBytes(first, next);
}

}  // namespace

QM_NO_COVERAGE ViewBytes RegionBitmapBytes(const ViewCells& screen, const Region& region,
                                           const std::array<std::uint8_t, kFontBytes>& font) {
    const ViewBytes codes = RegionCodes(screen, region);
    const std::size_t count = codes.size();
    ViewBytes bitmaps(8 * count);
    const std::uint8_t* code = codes.data();
    const std::uint8_t* rows = font.data();
    std::uint8_t* out = bitmaps.data();
    // The machine inverts while it displays: the font holds the character as it is.
    for (std::size_t i = 0; i < count; ++i) std::memcpy(out + 8 * i, rows + 8 * (code[i] & 0x7F), 8);
    return bitmaps;
}

ViewBytes RegionCodeBytes(const ViewCells& screen, const Region& region) { return RegionCodes(screen, region); }

}  // namespace qm
