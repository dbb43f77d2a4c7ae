#pragma once

// Set cells as the project, .set and .sets files store them: one byte each,
// the code, or 255 for an empty cell. Code 255 (the inverse of character 127)
// shares its byte with the empty cell, so the cells that hold it are named in
// a tagged block after the file's fixed part: the cells' numbers in the order
// they are stored (cell 0 of the first set stored is 0, cell 0 of the second
// is 25), each a 16-bit little-endian number, in increasing order. A file with
// no such cell carries no block.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/document.h"
#include "core/no_coverage.h"
#include "core/tagged_blocks.h"

namespace qm {

inline constexpr std::string_view kCode255Tag = "SETF";

using SetCells = std::array<std::int32_t, kSetCells>;
inline SetCells& CellsOf(SetRecord& set) { return set.cells; }
inline const SetCells& CellsOf(const SetRecord& set) { return set.cells; }
inline SetCells& CellsOf(SetCells& cells) { return cells; }
inline const SetCells& CellsOf(const SetCells& cells) { return cells; }

inline std::uint8_t CellByte(std::int32_t cell) { return static_cast<std::uint8_t>(cell); }
// What a byte holds before the block is read: 255 is an empty cell.
inline std::int32_t CellOfByte(std::uint8_t byte) { return byte == 0xFF ? kEmptyCell : byte; }

Bytes Code255BlockData(const std::vector<int>& cellNumbers);
// The numbers the file's block names; none without a block.
std::vector<int> Code255CellNumbers(const TaggedBlocks& blocks);

// After the fixed part of a file whose cells are these sets, in file order.
// It looks at every cell of up to a hundred sets, which tells a fuzzer nothing
// that Code255BlockData does not.
template <typename Set>
QM_NO_COVERAGE void AppendCode255Block(Bytes& file, std::span<const Set> sets) {
    std::vector<int> numbers;
    int number = 0;
    for (const Set& set : sets) {
        for (std::int32_t cell : CellsOf(set)) {
            if (cell == 0xFF) numbers.push_back(number);
            ++number;
        }
    }
    if (!numbers.empty()) AppendTaggedBlock(file, kCode255Tag, Code255BlockData(numbers));
}

// A named cell takes 255 only where its byte read as empty: a block that does
// not match its file changes no character that the file holds.
template <typename Set>
void ApplyCode255Block(const TaggedBlocks& blocks, std::span<Set> sets) {
    for (int number : Code255CellNumbers(blocks)) {
        const auto set = static_cast<std::size_t>(number / kSetCells);
        if (set >= sets.size()) continue;
        std::int32_t& cell = CellsOf(sets[set])[static_cast<std::size_t>(number % kSetCells)];
        if (cell == kEmptyCell) cell = 0xFF;
    }
}

}  // namespace qm
