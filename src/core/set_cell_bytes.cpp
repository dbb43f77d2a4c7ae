#include "core/set_cell_bytes.h"

namespace qm {

Bytes Code255BlockData(const std::vector<int>& cellNumbers) {
    Bytes data;
    data.reserve(2 * cellNumbers.size());
    for (int number : cellNumbers) {
        data.push_back(static_cast<unsigned char>(number));
        data.push_back(static_cast<unsigned char>(number >> 8));
    }
    return data;
}

std::vector<int> Code255CellNumbers(const TaggedBlocks& blocks) {
    std::vector<int> numbers;
    const TaggedBlock* block = blocks.Find(kCode255Tag);
    if (block == nullptr) return numbers;
    for (std::size_t i = 0; i + 1 < block->data.size(); i += 2) numbers.push_back(block->data[i] | (block->data[i + 1] << 8));
    return numbers;
}

}  // namespace qm
