#pragma once

// Marks a plain data conversion that a coverage-guided fuzzer gains nothing
// from watching: its loops compare a counter thousands of times per input,
// which would cost the fuzzer most of its speed and tell it nothing. Such a
// function cannot take in the code of a function without the mark, so its
// loops use raw pointers and plain comparisons rather than small helpers.
#if defined(__clang__)
#define QM_NO_COVERAGE __attribute__((no_sanitize("coverage")))
#else
#define QM_NO_COVERAGE
#endif
