#pragma once

// What must hold in the document after any file has been read, whatever its
// bytes. A broken invariant stops the fuzzer like a crash does, so that the
// input is kept and the fault cannot pass as a quiet success.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/document.h"
#include "core/no_coverage.h"

namespace qm::fuzz {

// The checks are marked like the loops that call them, so that those can
// take them in; their branches tell the fuzzer nothing either.
[[noreturn]] inline void Broken(const char* what, long long value) {
    std::fprintf(stderr, "broken invariant: %s (value %lld)\n", what, value);
    std::abort();
}

QM_NO_COVERAGE inline void Require(bool holds, const char* what, long long value = 0) {
    if (!holds) Broken(what, value);
}

// Thousands of pixels an input.
QM_NO_COVERAGE inline void RequirePixels(const FontSlot& slot) {
    const std::uint8_t* pixel = slot.pixels.data();
    for (int i = 0; i < kCharCount * 64; ++i) Require(pixel[i] <= 1, "a pixel is 0 or 1", pixel[i]);
}

QM_NO_COVERAGE inline void RequireCell(std::int32_t cell) {
    Require(cell == kEmptyCell || (cell >= 0 && cell < kCodeCount), "a cell is -1 or 0..255", cell);
}

inline void RequireRegisterValue(int value) { Require(value >= 0 && value <= 255, "a register is 0..255", value); }

inline void RequireColor(Rgb color) { Require(color <= 0xFFFFFFu, "a colour has 24 bits", color); }

}  // namespace qm::fuzz
