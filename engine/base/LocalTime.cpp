#include "engine/base/LocalTime.h"

#include "platform/core/Format.h"

#include <cmath>
#include <ctime>

namespace engine {
namespace {

constexpr double UnixEpochDays = 25569.0; // 1970-01-01 in days since 1899-12-30
constexpr double SecondsPerDay = 86400.0;

} // namespace

double TimeZoneBiasDays(int64_t ASeconds)
{
    const time_t t = time_t(ASeconds);
    struct tm local {};
    localtime_r(&t, &local);
    return double(local.tm_gmtoff) / SecondsPerDay;
}

TDateTime UnixTimeToLocalDateTime(int64_t ASeconds)
{
    return double(ASeconds) / SecondsPerDay + UnixEpochDays + TimeZoneBiasDays(ASeconds);
}

int64_t LocalDateTimeToUnixTime(TDateTime AValue)
{
    // The offset belongs to the instant, which is unknown until the offset
    // is known: start from the offset at the local reading taken as
    // universal, then correct once with the offset at the estimate.
    const double localSeconds = (AValue - UnixEpochDays) * SecondsPerDay;
    const int64_t guess = int64_t(std::llround(localSeconds));
    int64_t utc = guess - int64_t(std::llround(TimeZoneBiasDays(guess) * SecondsPerDay));
    utc = guess - int64_t(std::llround(TimeZoneBiasDays(utc) * SecondsPerDay));
    return utc;
}

TDateTime NowDateTime()
{
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return UnixTimeToLocalDateTime(int64_t(now.tv_sec)) + double(now.tv_nsec) / 1e9 / SecondsPerDay;
}

std::string DateTimeText(const std::string& APattern, TDateTime AValue)
{
    // The date-time value counts local days; read it back as a calendar
    // through the universal-time calendar, which has no offsets.
    const double seconds = (AValue - UnixEpochDays) * SecondsPerDay;
    const int64_t millis = int64_t(std::llround(seconds * 1000.0));
    const time_t whole = time_t(millis >= 0 ? millis / 1000 : (millis - 999) / 1000);
    const int ms = int(millis - int64_t(whole) * 1000);
    struct tm c {};
    gmtime_r(&whole, &c);
    struct TToken {
        const char* Text;
        int Value;
        int Digits;
    };
    const TToken tokens[] = {
        {"yyyy", c.tm_year + 1900, 4}, {"yy", (c.tm_year + 1900) % 100, 2}, {"mm", c.tm_mon + 1, 2},
        {"m", c.tm_mon + 1, 1},        {"dd", c.tm_mday, 2},                {"d", c.tm_mday, 1},
        {"hh", c.tm_hour, 2},          {"h", c.tm_hour, 1},                 {"nn", c.tm_min, 2},
        {"n", c.tm_min, 1},            {"ss", c.tm_sec, 2},                 {"s", c.tm_sec, 1},
        {"zzz", ms, 3},
    };
    std::string out;
    for (size_t i = 0; i < APattern.size();) {
        const TToken* hit = nullptr;
        for (const TToken& t : tokens)
            if (APattern.compare(i, std::char_traits<char>::length(t.Text), t.Text) == 0) {
                hit = &t;
                break;
            }
        if (!hit) {
            out += APattern[i++];
            continue;
        }
        out += platform::FormatC("%0*d", hit->Digits, hit->Value);
        i += std::char_traits<char>::length(hit->Text);
    }
    return out;
}

} // namespace engine
