#include "files/byte_stream.h"

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
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<std::uint32_t>(Next()) << shift;
    return value;
}

std::int32_t ByteReader::Int32() { return static_cast<std::int32_t>(Uint32()); }

void ByteReader::Read(std::uint8_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) out[i] = Next();
}

void ByteReader::Skip(std::size_t count) { position_ += count; }

void ByteWriter::Byte(int value) { bytes_.push_back(static_cast<unsigned char>(value & 0xFF)); }

void ByteWriter::Uint32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
}

void ByteWriter::Int32(std::int32_t value) { Uint32(static_cast<std::uint32_t>(value)); }

void ByteWriter::Write(const std::uint8_t* data, std::size_t count) { bytes_.insert(bytes_.end(), data, data + count); }

}  // namespace qm
