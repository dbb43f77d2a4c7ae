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
