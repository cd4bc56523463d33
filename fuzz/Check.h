#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of a parser; a broken one stops the run like a crash, so the fuzzer keeps the input.
inline void check(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}
