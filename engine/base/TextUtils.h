#pragma once
// Small text helpers of the engine's reports and option texts.

#include <cstdint>
#include <string>

namespace engine {

// Head := the text before the first ADelim in S (all of S when there is
// none); with ARemove, S keeps only the text after the delimiter (empty when
// there was none).
void SplitAtDelimiter(std::string& S, const std::string& ADelim, bool ARemove, std::string& AHead);

// "%.2f GB", "%.2f MB", "%.2f KB" above each power of 1024, else "%d Byte".
std::string FormatByteSize(int64_t ASize);

} // namespace engine
