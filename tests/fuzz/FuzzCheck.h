#pragma once
// What a fuzz target asserts: a broken expectation prints what was expected
// and aborts, which both libFuzzer and the replay test report as a finding.

#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(Condition)                                                                  \
    do {                                                                                       \
        if (!(Condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, #Condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace fuzz {

// Two texts that must be equal: on a difference prints the first line in
// which they differ, then aborts.
inline void CheckSameText(const std::string& AActual, const std::string& AExpected, const char* AFile, int ALine)
{
    if (AActual == AExpected)
        return;
    size_t At = 0;
    while (At < AActual.size() && At < AExpected.size() && AActual[At] == AExpected[At])
        ++At;
    const size_t LineStart = AExpected.rfind('\n', At == 0 ? 0 : At - 1);
    const size_t From = LineStart == std::string::npos ? 0 : LineStart + 1;
    auto LineOf = [&](const std::string& AText) { return AText.substr(From, AText.find('\n', From) - From); };
    std::fprintf(stderr, "%s:%d: texts differ at byte %zu:\n  got:      %s\n  expected: %s\n", AFile, ALine, At,
                 LineOf(AActual).c_str(), LineOf(AExpected).c_str());
    std::abort();
}

} // namespace fuzz

#define FUZZ_CHECK_SAME_TEXT(Actual, Expected) ::fuzz::CheckSameText((Actual), (Expected), __FILE__, __LINE__)
