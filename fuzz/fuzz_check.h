#pragma once

#include <cstdio>
#include <cstdlib>

// An oracle of a fuzz target. When it does not hold the target stops at
// once, so that libFuzzer keeps the input as a finding and a replay fails.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: oracle failed: %s\n", __FILE__, __LINE__, what);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
