#pragma once

// What must hold in the document after any file has been read, whatever its
// bytes. A broken invariant stops the fuzzer like a crash does, so that the
// input is kept and the fault cannot pass as a quiet success.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/document.h"
#include "core/no_coverage.h"

namespace qm::fuzz {

// The single checks are left unmarked and small, so that a marked loop
// takes them in and they go unwatched with it.
[[noreturn]] inline void Broken(const char* what, long long value) {
    std::fprintf(stderr, "broken invariant: %s (value %lld)\n", what, value);
    std::abort();
}

inline void Require(bool holds, const char* what, long long value = 0) {
    if (!holds) Broken(what, value);
}

// Thousands of pixels an input, so eight at a time: a pixel above 1 sets a
// bit other than the lowest of its byte. The pixel is looked for only to
// report it.
QM_NO_COVERAGE inline void RequirePixels(const FontSlot& slot) {
    const std::uint8_t* pixel = slot.pixels.data();
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < slot.pixels.size(); i += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, pixel + i, 8);
        bits |= eight;
    }
    if ((bits & 0xFEFEFEFEFEFEFEFEu) == 0) return;
    const std::uint8_t* wrong = pixel;
    while (*wrong <= 1) ++wrong;
    Broken("a pixel is 0 or 1", *wrong);
}

inline void RequireCell(std::int32_t cell) {
    Require(cell == kEmptyCell || (cell >= 0 && cell < kCodeCount), "a cell is -1 or 0..255", cell);
}

inline void RequireRegisterValue(int value) { Require(value >= 0 && value <= 255, "a register is 0..255", value); }

inline void RequireColor(Rgb color) { Require(color <= 0xFFFFFFu, "a colour has 24 bits", color); }

}  // namespace qm::fuzz
