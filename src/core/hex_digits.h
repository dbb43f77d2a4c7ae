#pragma once

// A byte as two hexadecimal digits, written without the C library's
// formatting: the source exports write a large map's megabytes of them.

#include <cstdint>
#include <string>

namespace qm {

inline constexpr const char* kUpperHexDigits = "0123456789ABCDEF";

inline void AppendHexByte(std::string& out, std::uint8_t value, bool lowerCase = false) {
    const char* digits = lowerCase ? "0123456789abcdef" : kUpperHexDigits;
    out += digits[value >> 4];
    out += digits[value & 15];
}

}  // namespace qm
