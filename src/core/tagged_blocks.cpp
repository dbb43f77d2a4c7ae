#include "core/tagged_blocks.h"

#include <algorithm>
#include <stdexcept>

namespace qm {

namespace {

constexpr std::size_t kBlockHeader = 8;

bool TagIs(const TaggedBlock& block, std::string_view tag) {
    return tag.size() == block.tag.size() && std::equal(tag.begin(), tag.end(), block.tag.begin());
}

}  // namespace

const TaggedBlock* TaggedBlocks::Find(std::string_view tag) const {
    for (const TaggedBlock& block : blocks) {
        if (TagIs(block, tag)) return &block;
    }
    return nullptr;
}

void AppendTaggedBlock(Bytes& file, std::string_view tag, std::span<const unsigned char> data) {
    if (tag.size() != 4) throw std::invalid_argument("a block's tag has four characters");
    file.insert(file.end(), tag.begin(), tag.end());
    const auto length = static_cast<std::uint32_t>(data.size());
    for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<unsigned char>(length >> shift));
    file.insert(file.end(), data.begin(), data.end());
}

TaggedBlocks ReadTaggedBlocks(std::span<const unsigned char> file, std::size_t offset) {
    TaggedBlocks result;
    while (offset < file.size()) {
        if (file.size() - offset < kBlockHeader) {
            result.damaged = true;
            break;
        }
        TaggedBlock block;
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(offset), 4, block.tag.begin());
        ByteReader lengthReader(file.subspan(offset + 4, 4));
        const std::size_t length = lengthReader.Uint32();
        offset += kBlockHeader;
        if (length > file.size() - offset) {
            result.damaged = true;
            result.damagedTag = block.tag;
            break;
        }
        const auto begin = file.begin() + static_cast<std::ptrdiff_t>(offset);
        block.data.assign(begin, begin + static_cast<std::ptrdiff_t>(length));
        result.blocks.push_back(std::move(block));
        offset += length;
    }
    return result;
}

}  // namespace qm
