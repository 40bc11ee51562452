#include "platform/core/Masks.h"

#include "platform/core/Format.h"

#include <vector>

namespace platform {

namespace {

constexpr int MaxStars = 30;

// One step of a compiled mask.
struct TStep {
    enum TKind { Literal, AnyOne, AnyRun, Set } Kind = Literal;
    char32_t Char = 0;
    bool Negated = false;
    std::vector<std::pair<char32_t, char32_t>> Ranges;   // inclusive
};

char32_t Fold(char32_t C) { return C >= 'a' && C <= 'z' ? C - 'a' + 'A' : C; }

// The code points of a UTF-8 text; a byte that starts no valid sequence
// stands for itself, so any byte string can be matched.
std::u32string CodePoints(const std::string& AText)
{
    std::u32string out;
    for (size_t i = 0; i < AText.size();) {
        const auto c = static_cast<unsigned char>(AText[i]);
        const int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool valid = len > 0 && i + size_t(len) <= AText.size();
        char32_t cp = len == 1 ? c : len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
        for (int k = 1; valid && k < len; ++k) {
            const auto cc = static_cast<unsigned char>(AText[i + size_t(k)]);
            valid = (cc >> 6) == 2;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!valid) {
            out += char32_t(0xDC00 + c);   // a stray byte: a character of its own
            ++i;
            continue;
        }
        out += cp;
        i += size_t(len);
    }
    return out;
}

[[noreturn]] void Invalid(const std::string& AMask, size_t APosition)
{
    throw EMaskException(Format("'%s' is an invalid mask at (%d)", AMask, int(APosition + 1)));
}

std::vector<TStep> Compile(const std::string& AMask)
{
    const std::u32string m = CodePoints(AMask);
    std::vector<TStep> steps;
    int stars = 0;
    for (size_t i = 0; i < m.size(); ++i) {
        TStep s;
        if (m[i] == '*') {
            if (++stars > MaxStars)
                Invalid(AMask, i);
            s.Kind = TStep::AnyRun;
        } else if (m[i] == '?') {
            s.Kind = TStep::AnyOne;
        } else if (m[i] == '[') {
            s.Kind = TStep::Set;
            size_t j = i + 1;
            if (j < m.size() && m[j] == '!') {
                s.Negated = true;
                ++j;
            }
            while (j < m.size() && m[j] != ']') {
                if (m[j] == '-')
                    Invalid(AMask, j);   // a range needs a start
                char32_t lo = m[j], hi = lo;
                if (j + 2 < m.size() && m[j + 1] == '-' && m[j + 2] != ']') {
                    hi = m[j + 2];
                    j += 3;
                } else {
                    ++j;
                }
                s.Ranges.emplace_back(Fold(lo), Fold(hi));
            }
            if (j >= m.size() || s.Ranges.empty())
                Invalid(AMask, j >= m.size() ? m.size() - 1 : j);
            i = j;
        } else {
            s.Char = Fold(m[i]);
        }
        steps.push_back(std::move(s));
    }
    return steps;
}

bool InSet(const TStep& S, char32_t C)
{
    const char32_t f = Fold(C);
    bool in = false;
    for (auto [lo, hi] : S.Ranges)
        in = in || (f >= lo && f <= hi);
    return in != S.Negated;
}

// Backtracks only to the last "*", so the work is bounded by name x mask.
bool Match(const std::vector<TStep>& ASteps, const std::u32string& AName)
{
    size_t s = 0, n = 0, starStep = std::string::npos, starName = 0;
    while (n < AName.size()) {
        if (s < ASteps.size() && ASteps[s].Kind == TStep::AnyRun) {
            starStep = s++;
            starName = n;
            continue;
        }
        const bool one = s < ASteps.size() &&
                         (ASteps[s].Kind == TStep::AnyOne ||
                          (ASteps[s].Kind == TStep::Set && InSet(ASteps[s], AName[n])) ||
                          (ASteps[s].Kind == TStep::Literal && ASteps[s].Char == Fold(AName[n])));
        if (one) {
            ++s;
            ++n;
        } else if (starStep != std::string::npos) {
            s = starStep + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (s < ASteps.size() && ASteps[s].Kind == TStep::AnyRun)
        ++s;
    return s == ASteps.size();
}

} // namespace

bool MatchesMask(const std::string& AFileName, const std::string& AMask)
{
    return Match(Compile(AMask), CodePoints(AFileName));
}

} // namespace platform
