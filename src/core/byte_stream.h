#pragma once

// Little-endian reading and writing of the program's binary files in memory.
// Files in the wild end early, so a read past the end yields zero instead of
// failing; the caller decides what a short file means.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qm {

using Bytes = std::vector<unsigned char>;

class ByteReader {
public:
    // The bytes must outlive the reader.
    explicit ByteReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    // One byte as -128..127, so 255 reads back as -1 (the empty-cell marker).
    int Signed8();
    // One byte as 0..255 (colour bytes).
    int Unsigned8();
    std::int32_t Int32();
    std::uint32_t Uint32();
    // count bytes into out; those past the end are zero.
    void Read(std::uint8_t* out, std::size_t count);
    void Skip(std::size_t count);

    std::size_t Position() const { return position_; }
    std::size_t Size() const { return bytes_.size(); }
    bool AtEnd() const { return position_ >= bytes_.size(); }

private:
    std::uint8_t Next();

    std::span<const unsigned char> bytes_;
    std::size_t position_ = 0;
};

class ByteWriter {
public:
    // The low eight bits of value, so -1 is written as 255.
    void Byte(int value);
    void Int32(std::int32_t value);
    void Uint32(std::uint32_t value);
    void Write(const std::uint8_t* data, std::size_t count);
    void Reserve(std::size_t count) { bytes_.reserve(count); }

    const Bytes& View() const { return bytes_; }
    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

}  // namespace qm
