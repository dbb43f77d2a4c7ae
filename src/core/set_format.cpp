#include "core/set_format.h"

#include "core/byte_stream.h"
#include "core/document.h"
#include "core/set_cell_bytes.h"

namespace qm {

namespace {

constexpr std::uint32_t kSetMagic = 0x53524D51;      // "QMRS"
constexpr std::uint32_t kAllSetsMagic = 0x53524D4C;  // "LMRS"

void WriteCells(ByteWriter& out, const SetRecord& set) {
    for (std::int32_t cell : set.cells) out.Byte(CellByte(cell));
}

SetRecord ReadCells(ByteReader& in) {
    SetRecord set;
    for (std::int32_t& cell : set.cells) cell = CellOfByte(static_cast<std::uint8_t>(in.Unsigned8()));
    return set;
}

}  // namespace

SetBytes EncodeSetFile(const SetRecord& set) {
    ByteWriter out;
    out.Uint32(kSetMagic);
    WriteCells(out, set);
    SetBytes file = out.Take();
    AppendCode255Block(file, std::span<const SetRecord>(&set, 1));
    return file;
}

std::optional<SetRecord> DecodeSetFile(const SetBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kSetMagic) return std::nullopt;
    SetRecord set = ReadCells(in);
    ApplyCode255Block(ReadTaggedBlocks(bytes, kSetFileSize), std::span<SetRecord>(&set, 1));
    return set;
}

SetBytes EncodeAllSetsFile(const SetArray& sets) {
    ByteWriter out;
    out.Uint32(kAllSetsMagic);
    for (int n = 1; n <= kSetCount; ++n) WriteCells(out, sets[n]);
    SetBytes file = out.Take();
    AppendCode255Block(file, std::span<const SetRecord>(sets).subspan(1));
    return file;
}

std::optional<SetArray> DecodeAllSetsFile(const SetBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kAllSetsMagic) return std::nullopt;
    SetArray sets{};
    sets[0].cells.fill(kEmptyCell);
    for (int n = 1; n <= kSetCount; ++n) sets[n] = ReadCells(in);
    ApplyCode255Block(ReadTaggedBlocks(bytes, kAllSetsFileSize), std::span<SetRecord>(sets).subspan(1));
    return sets;
}

SetBytes SetBitmapBytes(const SetRecord& set, const std::array<std::uint8_t, kFontBytes>& font) {
    ByteWriter out;
    for (std::int32_t cell : set.cells) {
        // The machine inverts while it displays: the font holds the character as it is.
        if (IsCellCode(cell)) out.Write(font.data() + CharOfCode(cell) * 8, 8);
    }
    return out.Take();
}

}  // namespace qm
