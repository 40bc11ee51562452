#pragma once
// The legacy settings dialog's older copy of the catalogue's profile list:
// twelve categories whose positions are the category numbers 0 to 11
// themselves, and per category its profiles, each with its name as the
// item's title, a one-line description as its caption and a fixed image
// index. The names are the catalogue's but for three (a trailing blank on
// the WAV profile, an ALAC profile in place of the MP4 audio profile, a
// doubled ")" on the first 3G2 profile).

#include <optional>
#include <span>

namespace profiles {

struct TLegacyCategory {
    const char* Caption;
    int ImageIndex; // the category icon, equal to the position
};

struct TLegacyProfile {
    const char* Title;   // the profile name
    const char* Caption; // the description line
    int ImageIndex;      // fixed per profile; the list shows no pictures
};

constexpr int LegacyCategoryCount = 12;

// The category list, position 0 first.
std::span<const TLegacyCategory> LegacyCategories();

// The profiles of a category position in list order; empty outside 0..11.
// Equal titles stand for separate profiles.
std::span<const TLegacyProfile> LegacyProfiles(int ACategoryIndex);

// Catalogue key (category index + 1) * 100 + profile index of a profile the
// list holds; none for any other pair, so that no key of another category
// is reached through a profile index past the list's end.
std::optional<int> LegacyCatalogueKey(int ACategoryIndex, int AProfileIndex);

// The profile with a catalogue key, or nullptr when the list has none.
const TLegacyProfile* FindLegacyProfile(int AKey);

} // namespace profiles
