#pragma once

// Optional blocks after the fixed part of one of the program's files: a
// four-letter tag, the length of what follows as a 32-bit little-endian
// number, then that many bytes. A reader of the fixed part alone stops before
// them, so a file that carries none is byte for byte the older form, and one
// that carries some still opens in older readers, which ignore them.

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "core/byte_stream.h"

namespace qm {

// How much a reader takes in after a file's fixed part: blocks are small, and
// a huge file chosen by mistake costs no more than this.
inline constexpr std::size_t kMostTaggedBytes = std::size_t{16} << 20;

struct TaggedBlock {
    std::array<char, 4> tag{};
    Bytes data;
};

struct TaggedBlocks {
    std::vector<TaggedBlock> blocks;
    // A block whose length runs past the end of the file: the blocks before
    // it are kept, nothing after it is read.
    bool damaged = false;
    // The tag of the block cut short, when its header was whole.
    std::array<char, 4> damagedTag{};

    // The first block of the tag, or nothing.
    const TaggedBlock* Find(std::string_view tag) const;
};

// tag must be four characters.
void AppendTaggedBlock(Bytes& file, std::string_view tag, std::span<const unsigned char> data);
// The blocks from offset to the end of the file; none when the file ends
// at or before offset.
TaggedBlocks ReadTaggedBlocks(std::span<const unsigned char> file, std::size_t offset);

}  // namespace qm
