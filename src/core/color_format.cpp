#include "core/color_format.h"

#include <cstdint>

namespace qm {

namespace {

constexpr unsigned char kMagic[4] = {'Q', 'M', 'R', 'C'};
constexpr std::size_t kValuesAt = 4;
constexpr std::size_t kColorsAt = 10;

unsigned ByteAt(const std::vector<unsigned char>& bytes, std::size_t at) {
    return at < bytes.size() ? bytes[at] : 0u;
}

std::uint32_t Uint32At(const std::vector<unsigned char>& bytes, std::size_t at) {
    return ByteAt(bytes, at) | (ByteAt(bytes, at + 1) << 8) | (ByteAt(bytes, at + 2) << 16) |
           (ByteAt(bytes, at + 3) << 24);
}

void PutUint32(std::vector<unsigned char>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
}

}  // namespace

std::vector<unsigned char> EncodeColorFile(const ColorRegisters& registers) {
    std::vector<unsigned char> bytes(kMagic, kMagic + 4);
    for (int reg = LUM; reg <= PF3; ++reg) bytes.push_back(static_cast<unsigned char>(registers.values[reg]));
    for (int reg = LUM; reg <= PF3; ++reg) PutUint32(bytes, registers.rgb[reg] & 0xFFFFFFu);
    return bytes;
}

bool DecodeColorFile(const std::vector<unsigned char>& bytes, ColorRegisters& registers) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (ByteAt(bytes, i) != kMagic[i]) return false;
    }
    for (int reg = LUM; reg <= PF3; ++reg) {
        registers.values[reg] = static_cast<int>(ByteAt(bytes, kValuesAt + reg - LUM));
        // The top byte of a screen colour is an opacity while drawing; a
        // register colour is always opaque.
        registers.rgb[reg] = Uint32At(bytes, kColorsAt + 4 * (reg - LUM)) & 0xFFFFFFu;
    }
    return true;
}

}  // namespace qm
