#pragma once

// The colour file: "QMRC", the six register bytes, then the six screen colours
// as 32-bit little-endian numbers. 34 bytes.

#include <array>
#include <vector>

#include "core/document.h"

namespace qm {

constexpr std::size_t kColorFileSize = 34;

struct ColorRegisters {
    std::array<int, 7> values{};  // indexed by ColorIndex; element 0 unused
    RegisterColors rgb{};
};

std::vector<unsigned char> EncodeColorFile(const ColorRegisters& registers);

// False when the bytes do not start with the magic; registers is then untouched.
// Fields past the end of a short file read as 0.
bool DecodeColorFile(const std::vector<unsigned char>& bytes, ColorRegisters& registers);

}  // namespace qm
