#include "core/byte_stream.h"

#include <algorithm>
#include <utility>

namespace qm {

std::uint8_t ByteReader::Next() {
    if (position_ >= bytes_.size()) {
        ++position_;
        return 0;
    }
    return bytes_[position_++];
}

int ByteReader::Signed8() { return static_cast<std::int8_t>(Next()); }

int ByteReader::Unsigned8() { return Next(); }

std::uint32_t ByteReader::Uint32() {
    if (position_ + 4 <= bytes_.size()) {
        const unsigned char* p = bytes_.data() + position_;
        position_ += 4;
        return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<std::uint32_t>(Next()) << shift;
    return value;
}

std::int32_t ByteReader::Int32() { return static_cast<std::int32_t>(Uint32()); }

void ByteReader::Read(std::uint8_t* out, std::size_t count) {
    const std::size_t available = position_ < bytes_.size() ? std::min(count, bytes_.size() - position_) : 0;
    std::copy_n(bytes_.data() + position_, available, out);
    std::fill(out + available, out + count, std::uint8_t{0});
    position_ += count;
}

void ByteReader::Skip(std::size_t count) { position_ += count; }

void ByteWriter::Byte(int value) { bytes_.push_back(static_cast<unsigned char>(value & 0xFF)); }

void ByteWriter::Uint32(std::uint32_t value) {
    const unsigned char le[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                 static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    bytes_.insert(bytes_.end(), le, le + 4);
}

void ByteWriter::Int32(std::int32_t value) { Uint32(static_cast<std::uint32_t>(value)); }

void ByteWriter::Write(const std::uint8_t* data, std::size_t count) { bytes_.insert(bytes_.end(), data, data + count); }

}  // namespace qm
