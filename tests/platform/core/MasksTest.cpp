// File-name masks: wildcards, sets, letter case, UTF-8 names and the
// masks that are refused.

#include "platform/core/Masks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::EMaskException;
using platform::MatchesMask;

struct TMatchCase {
    const char* Name;
    const char* Mask;
    bool Matches;
};

TEST(Masks, NamesMatchAsTheWildcardsSay)
{
    const TMatchCase cases[] = {
        {"song.mp3", "*.mp3", true},      {"song.MP3", "*.mp3", true},       {"song.mp3", "*.MP3", true},
        {"song.mp3x", "*.mp3", false},    {"README", "*.*", false},          {"a.b", "*.*", true},
        {"", "*", true},                  {"anything", "*", true},           {"ab", "a?", true},
        {"a", "a?", false},               {"abc", "a?", false},              {"b7.txt", "[a-c]?.txt", true},
        {"d7.txt", "[a-c]?.txt", false},  {"D7.txt", "[!a-c]?.txt", true},   {"B7.txt", "[!a-c]?.txt", false},
        {"x.tar.gz", "*.*.gz", true},     {"x.gz", "*.*.gz", false},         {"歌曲.mp3", "??.mp3", true},
        {"歌曲.mp3", "歌*", true},        {"aaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*b", true},
        {"[x]", "[[]x]", true},
    };
    for (const TMatchCase& c : cases)
        EXPECT_EQ(MatchesMask(c.Name, c.Mask), c.Matches) << c.Name << " ~ " << c.Mask;
}

TEST(Masks, BrokenMasksAreRefusedWithThePlace)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a[]", "'a[]' is an invalid mask at (3)"},
        {"a[bc", "'a[bc' is an invalid mask at (4)"},
        {"[-z].txt", "'[-z].txt' is an invalid mask at (2)"},
    };
    for (auto [mask, message] : cases) {
        try {
            MatchesMask("abc", mask);
            ADD_FAILURE() << mask;
        } catch (const EMaskException& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
    EXPECT_NO_THROW(MatchesMask("x", std::string(30, '*')));
    EXPECT_THROW(MatchesMask("x", std::string(31, '*')), EMaskException);
}

} // namespace
