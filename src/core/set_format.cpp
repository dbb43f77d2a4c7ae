#include "core/set_format.h"

#include <cstring>

#include "core/byte_stream.h"
#include "core/document.h"
#include "core/no_coverage.h"
#include "core/set_cell_bytes.h"

namespace qm {

namespace {

constexpr std::uint32_t kSetMagic = 0x53524D51;      // "QMRS"
constexpr std::uint32_t kAllSetsMagic = 0x53524D4C;  // "LMRS"

}  // namespace

// A block of bytes rather than a value at a time: the all-sets file is a
// hundred sets.
QM_NO_COVERAGE void WriteSetCells(ByteWriter& out, const SetCells& cells) {
    std::array<std::uint8_t, kSetCells> bytes;
    std::uint8_t* byte = bytes.data();
    const std::int32_t* cell = cells.data();
    for (int i = 0; i < kSetCells; ++i) byte[i] = static_cast<std::uint8_t>(cell[i]);
    out.Write(byte, kSetCells);
}

QM_NO_COVERAGE void ReadSetCells(ByteReader& in, SetCells& cells) {
    std::array<std::uint8_t, kSetCells> bytes;
    std::uint8_t* byte = bytes.data();
    in.Read(byte, kSetCells);
    std::int32_t* cell = cells.data();
    for (int i = 0; i < kSetCells; ++i) {
        cell[i] = byte[i] == 0xFF ? kEmptyCell : byte[i];  // CellOfByte: the block names code 255
    }
}

SetBytes EncodeSetFile(const SetRecord& set) {
    ByteWriter out;
    out.Uint32(kSetMagic);
    WriteSetCells(out, set.cells);
    SetBytes file = out.Take();
    AppendCode255Block(file, std::span<const SetRecord>(&set, 1));
    return file;
}

std::optional<SetRecord> DecodeSetFile(const SetBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kSetMagic) return std::nullopt;
    SetRecord set;
    ReadSetCells(in, set.cells);
    ApplyCode255Block(ReadTaggedBlocks(bytes, kSetFileSize), std::span<SetRecord>(&set, 1));
    return set;
}

SetBytes EncodeAllSetsFile(const SetArray& sets) {
    ByteWriter out;
    out.Reserve(kAllSetsFileSize);
    out.Uint32(kAllSetsMagic);
    for (int n = 1; n <= kSetCount; ++n) WriteSetCells(out, sets[n].cells);
    SetBytes file = out.Take();
    AppendCode255Block(file, std::span<const SetRecord>(sets).subspan(1));
    return file;
}

std::optional<SetArray> DecodeAllSetsFile(const SetBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kAllSetsMagic) return std::nullopt;
    SetArray sets{};
    sets[0].cells.fill(kEmptyCell);
    for (int n = 1; n <= kSetCount; ++n) ReadSetCells(in, sets[n].cells);
    ApplyCode255Block(ReadTaggedBlocks(bytes, kAllSetsFileSize), std::span<SetRecord>(sets).subspan(1));
    return sets;
}

QM_NO_COVERAGE SetBytes SetBitmapBytes(const SetRecord& set, const std::array<std::uint8_t, kFontBytes>& font) {
    const std::int32_t* cell = set.cells.data();
    int count = 0;
    for (int i = 0; i < kSetCells; ++i) count += cell[i] >= 0 && cell[i] < kCodeCount;
    SetBytes bitmaps(8 * static_cast<std::size_t>(count));
    std::uint8_t* out = bitmaps.data();
    const std::uint8_t* rows = font.data();
    for (int i = 0; i < kSetCells; ++i) {
        if (cell[i] < 0 || cell[i] >= kCodeCount) continue;
        // The machine inverts while it displays: the font holds the character as it is.
        std::memcpy(out, rows + 8 * (cell[i] & 0x7F), 8);
        out += 8;
    }
    return bitmaps;
}

}  // namespace qm
