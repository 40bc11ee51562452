#pragma once
// The output categories and their profiles: what the user chooses from in
// the category and profile lists, and the numbers every catalogue table is
// looked up by.
//
// A category has a position in the category list and a category number (the
// image index of its item). The catalogue key of a choice is
// (category number + 1) * 100 + profile position; a file-list row keeps the
// row profile code (category position + 1) * 100 + profile position instead.

#include <optional>
#include <span>
#include <string>

namespace profiles {

struct TCategory {
    const char* Caption;
    int Number; // category number, also the item's image index
};

constexpr int CategoryCount = 15;      // items of the category list
constexpr int CategoryNumberCount = 24; // category numbers 0 to 23

// The category list, position 0 first.
std::span<const TCategory> Categories();

// Category number of a category-list position; none outside 0..14.
std::optional<int> CategoryNumber(int ACategoryPosition);

// Catalogue key of a category position and profile position; none when the
// category position maps to no number or the profile position is outside
// 0..99. The key need not exist in the tables: look it up before use.
std::optional<int> CatalogueKey(int ACategoryPosition, int AProfilePosition);

// Row profile code of a choice, as kept in a file-list row.
int RowProfileCode(int ACategoryPosition, int AProfilePosition);
std::string RowProfileCodeText(int ACategoryPosition, int AProfilePosition);

// The profile names of a category number, in list order (empty for a number
// that has no names). Names are not unique: equal names stand for separate
// profiles. Every name ends in "(*." + extension + ")".
std::span<const char* const> ProfileNames(int ACategoryNumber);

// The profile names the profile list shows for a category position (empty
// outside 0..14).
std::span<const char* const> ProfileNamesAt(int ACategoryPosition);

// Name of the profile with a catalogue key, or nullptr.
const char* ProfileName(int AKey);

// Image index of a profile-list item: the two images alternate down the list.
inline int ProfileImageIndex(int AProfilePosition) { return AProfilePosition % 2; }

} // namespace profiles
