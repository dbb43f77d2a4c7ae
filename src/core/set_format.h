#pragma once

// The one-set file (.set), the all-sets file (.sets) and the bitmap export of
// a set (.bin), as bytes in memory. The set files name their cells that hold
// code 255 in a block after the fixed part (core/set_cell_bytes.h).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/byte_stream.h"
#include "core/document.h"

namespace qm {

using SetBytes = std::vector<unsigned char>;
// Sets 1 to 100 as they stand in Document::SetTable; element 0 is unused.
using SetArray = std::array<SetRecord, kSetCount + 1>;

constexpr std::size_t kSetFileSize = 4 + kSetCells;                // 29
constexpr std::size_t kAllSetsFileSize = 4 + kSetCount * kSetCells;  // 2504

using SetCells = std::array<std::int32_t, kSetCells>;

// Sets' cells as the set files and the project store them, the sets back to
// back: one byte a cell, its low eight bits, so an empty cell is 255 and code
// 255 comes back empty until its block is applied (core/set_cell_bytes.h).
// Set is a SetRecord or its SetCells.
template <typename Set>
void WriteSetCells(ByteWriter& out, std::span<const Set> sets);
template <typename Set>
void ReadSetCells(ByteReader& in, std::span<Set> sets);

SetBytes EncodeSetFile(const SetRecord& set);
// Empty when the file does not start with the set magic.
std::optional<SetRecord> DecodeSetFile(const SetBytes& bytes);

SetBytes EncodeAllSetsFile(const SetArray& sets);
std::optional<SetArray> DecodeAllSetsFile(const SetBytes& bytes);

// The 8 bitmap bytes of every non-empty cell in cell order, from a packed font.
SetBytes SetBitmapBytes(const SetRecord& set, const std::array<std::uint8_t, kFontBytes>& font);

}  // namespace qm
