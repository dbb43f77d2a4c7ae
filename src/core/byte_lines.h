#pragma once

// Lines of byte values under a label, the shape every source format shares:
// each line a start, the values (each with its prefix) joined by a separator,
// and an end. The text is laid out at its exact length in one pass, so that
// a large map's megabytes of source cost little more than writing them.

#include <cstdint>
#include <span>
#include <string_view>

#include "core/byte_stream.h"

namespace qm {

enum class ValueDigits { Decimal, UpperHex, LowerHex };

// The prefix, the value and the separator together take at most 8 bytes
// (the longest form, C's, takes 6: "0xFF, ").
struct ByteLineForm {
    std::string_view start = {};       // before the first value of a line
    std::string_view prefix = {};      // before every value: "$", "0x" or nothing
    std::string_view separator = {};   // between two values of a line
    std::string_view end = {};         // after every line but the last
    std::string_view lastEnd = {};     // after the last line
    ValueDigits digits = ValueDigits::UpperHex;
    std::string_view firstStart = {};  // the first line's start where it differs
};

// Appends ceil(size / perLine) lines of perLine values (the last may hold
// fewer); nothing for no bytes. perLine 0 counts as 1.
void AppendByteLines(Bytes& out, std::span<const std::uint8_t> bytes, std::size_t perLine, const ByteLineForm& form);

void AppendText(Bytes& out, std::string_view text);

}  // namespace qm
