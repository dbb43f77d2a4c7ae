#pragma once

// Marks a plain data conversion that a coverage-guided fuzzer gains nothing
// from watching: its loops compare a counter thousands of times per input,
// which would cost the fuzzer most of its speed and tell it nothing.
//
// The compiler watches code by where it ends up, not where it was written:
// small helpers taken into a marked function go unwatched with it, but a
// marked function taken into an unmarked caller would be watched there, so a
// marked function is never taken in.
#if defined(__clang__)
#define QM_NO_COVERAGE __attribute__((no_sanitize("coverage"), noinline))
#else
#define QM_NO_COVERAGE
#endif
