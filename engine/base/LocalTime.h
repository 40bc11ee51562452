#pragma once
// Local date and time as the engine's records carry them: days since
// 1899-12-30, the time of day as the fraction. Every conversion takes the
// offset from universal time that held at that instant, daylight saving
// included.

#include <cstdint>
#include <string>

namespace engine {

using TDateTime = double;

// Seconds since 1970 (universal) to local date-time and back.
TDateTime UnixTimeToLocalDateTime(int64_t ASeconds);
int64_t LocalDateTimeToUnixTime(TDateTime AValue);
// The offset of local time from universal time at that instant, in days.
double TimeZoneBiasDays(int64_t ASeconds);
// The current local time, to the microsecond.
TDateTime NowDateTime();
// Formats with the patterns yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s and
// zzz; any other character stands for itself.
std::string DateTimeText(const std::string& APattern, TDateTime AValue);

} // namespace engine
