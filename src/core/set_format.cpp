#include "core/set_format.h"

#include "core/byte_stream.h"
#include "core/document.h"

namespace qm {

namespace {

constexpr std::uint32_t kSetMagic = 0x53524D51;      // "QMRS"
constexpr std::uint32_t kAllSetsMagic = 0x53524D4C;  // "LMRS"

// A cell is stored in its low byte, so an empty cell becomes 0xFF.
void WriteCells(ByteWriter& out, const SetRecord& set) {
    for (std::int32_t cell : set.cells) out.Byte(cell);
}

// Bytes are read signed; only 0 to 127 name a character.
SetRecord ReadCells(ByteReader& in) {
    SetRecord set;
    for (std::int32_t& cell : set.cells) cell = CellOrEmpty(in.Signed8());
    return set;
}

}  // namespace

SetBytes EncodeSetFile(const SetRecord& set) {
    ByteWriter out;
    out.Uint32(kSetMagic);
    WriteCells(out, set);
    return out.Take();
}

std::optional<SetRecord> DecodeSetFile(const SetBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kSetMagic) return std::nullopt;
    return ReadCells(in);
}

SetBytes EncodeAllSetsFile(const SetArray& sets) {
    ByteWriter out;
    out.Uint32(kAllSetsMagic);
    for (int n = 1; n <= kSetCount; ++n) WriteCells(out, sets[n]);
    return out.Take();
}

std::optional<SetArray> DecodeAllSetsFile(const SetBytes& bytes) {
    ByteReader in(bytes);
    if (in.Uint32() != kAllSetsMagic) return std::nullopt;
    SetArray sets{};
    sets[0].cells.fill(kEmptyCell);
    for (int n = 1; n <= kSetCount; ++n) sets[n] = ReadCells(in);
    return sets;
}

SetBytes SetBitmapBytes(const SetRecord& set, const std::array<std::uint8_t, kFontBytes>& font) {
    ByteWriter out;
    for (std::int32_t cell : set.cells) {
        if (IsCharCode(cell)) out.Write(font.data() + cell * 8, 8);
    }
    return out.Take();
}

}  // namespace qm
