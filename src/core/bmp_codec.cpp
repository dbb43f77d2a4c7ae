// Uncompressed 24-bit bitmap files from pictures.

#include <cstdint>
#include <vector>

#include "core/image.h"

namespace qm {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void Put16(std::vector<unsigned char>& out, std::uint32_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::vector<unsigned char> EncodeBmp(const Image& image) {
    if (image.width <= 0 || image.height <= 0) return {};
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    const std::uint32_t rowSize = (width * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowSize * height;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<unsigned char> out;
    out.reserve(offset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + pixelBytes);
    Put32(out, 0);  // reserved
    Put32(out, offset);

    Put32(out, kInfoHeaderSize);
    Put32(out, width);
    Put32(out, height);  // positive: rows run bottom-up
    Put16(out, 1);       // planes
    Put16(out, 24);      // bits per pixel
    Put32(out, 0);       // BI_RGB, no compression
    Put32(out, pixelBytes);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0);  // colours used
    Put32(out, 0);  // important colours

    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.At(x, y);
            out.push_back(static_cast<unsigned char>(BlueOf(c)));
            out.push_back(static_cast<unsigned char>(GreenOf(c)));
            out.push_back(static_cast<unsigned char>(RedOf(c)));
        }
        for (std::uint32_t pad = width * 3; pad < rowSize; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace qm

namespace qm {
namespace {

constexpr std::int64_t kMaxBmpSide = 16384;

std::uint32_t Get16(const std::vector<unsigned char>& in, std::size_t at) {
    return static_cast<std::uint32_t>(in[at]) | (static_cast<std::uint32_t>(in[at + 1]) << 8);
}

std::uint32_t Get32(const std::vector<unsigned char>& in, std::size_t at) {
    return Get16(in, at) | (Get16(in, at + 2) << 16);
}

constexpr std::uint32_t kBitFields = 3;       // masks name each colour's bits
constexpr std::uint32_t kAlphaBitFields = 6;  // the same, with an alpha mask

// One colour of a pixel given by a mask of its bits, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t top = 0;  // the largest value under the mask

    explicit Channel(std::uint32_t bits) : mask(bits) {
        if (!mask) return;
        while (!((mask >> shift) & 1)) ++shift;
        top = mask >> shift;
    }
    unsigned Of(std::uint32_t pixel) const {
        return top ? static_cast<unsigned>(((pixel & mask) >> shift) * 255 / top) : 0;
    }
};

}  // namespace

std::string UnsupportedBmpKind(const std::vector<unsigned char>& data) {
    if (data.size() < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') return {};
    switch (Get32(data, 30)) {
        case 1:
        case 2: return "Compressed (RLE) BMP pictures are not read; save the picture uncompressed.";
        case 4:
        case 5: return "A BMP holding a JPEG or PNG picture is not read; save it as PNG or as a plain BMP.";
        default: return {};
    }
}

Image DecodeBmp(const std::vector<unsigned char>& data) {
    if (data.size() < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') return {};
    const std::uint32_t offset = Get32(data, 10);
    const std::uint32_t headerSize = Get32(data, 14);
    if (headerSize < kInfoHeaderSize || kFileHeaderSize + std::uint64_t{headerSize} > data.size()) return {};
    const std::int64_t width = static_cast<std::int32_t>(Get32(data, 18));
    const std::int64_t signedHeight = static_cast<std::int32_t>(Get32(data, 22));
    const std::uint32_t depth = Get16(data, 28);
    const std::uint32_t compression = Get32(data, 30);
    const bool topDown = signedHeight < 0;
    const std::int64_t height = topDown ? -signedHeight : signedHeight;
    if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide) return {};
    const bool masked = compression == kBitFields || compression == kAlphaBitFields;
    if (Get16(data, 26) != 1 || (compression != 0 && !masked)) return {};
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) return {};
    if (masked && depth != 16 && depth != 32) return {};
    // 16 and 32 bits a pixel name their colours by masks, which follow the
    // basic header (or are part of a longer one); without them 16 bits are
    // 5 each and 32 bits are blue, green, red and a spare byte.
    std::uint32_t masks[3] = {depth == 16 ? 0x7C00u : 0xFF0000u, depth == 16 ? 0x03E0u : 0xFF00u,
                              depth == 16 ? 0x001Fu : 0xFFu};
    if (masked) {
        if (kFileHeaderSize + kInfoHeaderSize + 12 > data.size()) return {};
        for (int i = 0; i < 3; ++i) masks[i] = Get32(data, kFileHeaderSize + kInfoHeaderSize + 4 * i);
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

    // Paletted pictures: the colour table follows the header, four bytes an entry.
    std::vector<Rgb> table;
    if (depth <= 8) {
        std::uint32_t entries = Get32(data, 46);
        if (entries == 0 || entries > (1u << depth)) entries = 1u << depth;
        const std::uint64_t tableAt = kFileHeaderSize + std::uint64_t{headerSize};
        if (tableAt + std::uint64_t{entries} * 4 > data.size()) return {};
        for (std::uint32_t i = 0; i < entries; ++i) {
            const std::size_t at = static_cast<std::size_t>(tableAt + i * 4);
            table.push_back(MakeRgb(data[at + 2], data[at + 1], data[at]));
        }
    }
    const std::uint64_t rowSize = ((static_cast<std::uint64_t>(width) * depth + 31) / 32) * 4;
    if (offset > data.size() || rowSize * static_cast<std::uint64_t>(height) > data.size() - offset) return {};

    Image image(static_cast<int>(width), static_cast<int>(height));
    for (int y = 0; y < image.height; ++y) {
        const std::size_t row = offset + static_cast<std::size_t>(rowSize) * static_cast<std::size_t>(y);
        const int target = topDown ? y : image.height - 1 - y;
        for (int x = 0; x < image.width; ++x) {
            Rgb colour = 0;
            if (depth == 24) {
                const std::size_t at = row + static_cast<std::size_t>(x) * 3;
                colour = MakeRgb(data[at + 2], data[at + 1], data[at]);
            } else if (depth >= 16) {
                const std::size_t at = row + static_cast<std::size_t>(x) * (depth / 8);
                const std::uint32_t pixel = depth == 16 ? Get16(data, at) : Get32(data, at);
                colour = MakeRgb(red.Of(pixel), green.Of(pixel), blue.Of(pixel));
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * depth;
                const unsigned byte = data[row + bit / 8];
                const unsigned shift = 8 - depth - static_cast<unsigned>(bit % 8);
                const unsigned index = (byte >> shift) & ((1u << depth) - 1);
                if (index >= table.size()) return {};
                colour = table[index];
            }
            image.At(x, target) = colour;
        }
    }
    return image;
}

}  // namespace qm
