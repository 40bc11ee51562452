#pragma once
// What a fuzz target asserts: a broken expectation prints what was expected
// and aborts, which both libFuzzer and the replay test report as a finding.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(Condition)                                                                  \
    do {                                                                                       \
        if (!(Condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, #Condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)
