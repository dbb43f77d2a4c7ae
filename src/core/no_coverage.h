#pragma once

// Marks a plain data conversion that a coverage-guided fuzzer gains nothing
// from watching: its loops compare a counter thousands of times per input,
// which would cost the fuzzer most of its speed and tell it nothing.
#if defined(__clang__)
#define QM_NO_COVERAGE __attribute__((no_sanitize("coverage")))
#else
#define QM_NO_COVERAGE
#endif
