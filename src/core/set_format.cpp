#include "core/set_format.h"

#include <algorithm>
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

// The sets go through the stream as one block rather than a value at a time:
// the all-sets file and the project hold a hundred of them.
template <typename Set>
QM_NO_COVERAGE void WriteSetCells(ByteWriter& out, std::span<const Set> sets) {
    std::array<std::uint8_t, kSetCount * kSetCells> bytes;
    for (std::size_t first = 0; first < sets.size(); first += kSetCount) {
        const std::size_t count = std::min<std::size_t>(kSetCount, sets.size() - first);
        std::uint8_t* byte = bytes.data();
        for (std::size_t set = first; set < first + count; ++set) {
            const std::int32_t* cell = CellsOf(sets[set]).data();
            for (int i = 0; i < kSetCells; ++i) *byte++ = CellByte(cell[i]);
        }
        out.Write(bytes.data(), count * kSetCells);
    }
}

template <typename Set>
QM_NO_COVERAGE void ReadSetCells(ByteReader& in, std::span<Set> sets) {
    std::array<std::uint8_t, kSetCount * kSetCells> bytes;
    for (std::size_t first = 0; first < sets.size(); first += kSetCount) {
        const std::size_t count = std::min<std::size_t>(kSetCount, sets.size() - first);
        in.Read(bytes.data(), count * kSetCells);
        const std::uint8_t* byte = bytes.data();
        for (std::size_t set = first; set < first + count; ++set) {
            std::int32_t* cell = CellsOf(sets[set]).data();
            for (int i = 0; i < kSetCells; ++i) cell[i] = CellOfByte(*byte++);
        }
    }
}

template void WriteSetCells(ByteWriter&, std::span<const SetRecord>);
template void WriteSetCells(ByteWriter&, std::span<const SetCells>);
template void ReadSetCells(ByteReader&, std::span<SetRecord>);
template void ReadSetCells(ByteReader&, std::span<SetCells>);

SetBytes EncodeSetFile(const SetRecord& set) {
    ByteWriter out;
    out.Uint32(kSetMagic);
    WriteSetCells(out, std::span<const SetRecord>(&set, 1));
    SetBytes file = out.Take();
    AppendCode255Block(file, std::span<const SetRecord>(&set, 1));
    return file;
}

std::optional<SetRecord> DecodeSetFile(const SetBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kSetMagic) return std::nullopt;
    SetRecord set;
    ReadSetCells(in, std::span<SetRecord>(&set, 1));
    ApplyCode255Block(ReadTaggedBlocks(bytes, kSetFileSize), std::span<SetRecord>(&set, 1));
    return set;
}

SetBytes EncodeAllSetsFile(const SetArray& sets) {
    ByteWriter out;
    out.Reserve(kAllSetsFileSize);
    out.Uint32(kAllSetsMagic);
    WriteSetCells(out, std::span<const SetRecord>(sets).subspan(1));
    SetBytes file = out.Take();
    AppendCode255Block(file, std::span<const SetRecord>(sets).subspan(1));
    return file;
}

std::optional<SetArray> DecodeAllSetsFile(const SetBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kAllSetsMagic) return std::nullopt;
    SetArray sets{};
    sets[0].cells.fill(kEmptyCell);
    ReadSetCells(in, std::span<SetRecord>(sets).subspan(1));
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
