// The dates of the weather services' answers and of HTTP's caching headers.
#include "weather/HttpDate.h"
#include "weather/IsoTime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

const std::int64_t kNoTime = -1;

// Faults caught: a wrong day count (leap years, centuries, before 1970), a zone
// added instead of taken away, a fraction or a leap second refused, and a date
// that is no date (month 13, 30 February, no zone, a zone of 24 hours) taken.
TEST(IsoTime, ReadsTimesWithTheirZoneAndWritesThemInUniversalTime)
{
    const struct {
        const char* text;
        std::int64_t seconds;  // kNoTime: refused
        const char* written;   // how Format writes the seconds back
    } cases[] = {
        {"1970-01-01T00:00:00Z", 0, "1970-01-01T00:00:00Z"},
        {"2026-12-09T06:00:00Z", 1796796000, "2026-12-09T06:00:00Z"},
        {"2026-12-09T06:00:00+00:00", 1796796000, "2026-12-09T06:00:00Z"},
        {"2026-12-09T07:00:00+01:00", 1796796000, "2026-12-09T06:00:00Z"},
        {"2026-12-08T20:30:00-09:30", 1796796000, "2026-12-09T06:00:00Z"},
        {"2026-12-09T06:00:00.123Z", 1796796000, "2026-12-09T06:00:00Z"},
        {"2024-02-29T12:00:00Z", 1709208000, "2024-02-29T12:00:00Z"},
        {"2000-02-29T00:00:00Z", 951782400, "2000-02-29T00:00:00Z"},
        {"1969-12-31T23:59:59Z", -1, "1969-12-31T23:59:59Z"},
        {"2016-12-31T23:59:60Z", 1483228800, "2017-01-01T00:00:00Z"},
        {"2026-13-09T06:00:00Z", kNoTime, ""},
        {"2026-00-09T06:00:00Z", kNoTime, ""},
        {"2026-02-29T06:00:00Z", kNoTime, ""},
        {"1900-02-29T06:00:00Z", kNoTime, ""},
        {"2026-04-31T06:00:00Z", kNoTime, ""},
        {"2026-12-09T24:00:00Z", kNoTime, ""},
        {"2026-12-09T06:60:00Z", kNoTime, ""},
        {"2026-12-09T06:00:00", kNoTime, ""},
        {"2026-12-09T06:00:00+24:00", kNoTime, ""},
        {"2026-12-09T06:00:00+01", kNoTime, ""},
        {"2026-12-09T06:00:00+0100", kNoTime, ""},
        {"2026-12-09T06:00:00.Z", kNoTime, ""},
        {"2026-12-09T06:00:00Zjunk", kNoTime, ""},
        {"2026-12-09 06:00:00Z", kNoTime, ""},
        {"+2026-12-09T06:00:00Z", kNoTime, ""},
        {"2026-12-9T06:00:00Z", kNoTime, ""},
        {"", kNoTime, ""},
    };
    for (const auto& c : cases) {
        std::int64_t seconds = kNoTime;
        const bool read = IsoTime::Parse(c.text, seconds);
        EXPECT_EQ(read ? seconds : kNoTime, c.seconds) << c.text;
        if (read)
            EXPECT_EQ(IsoTime::Format(seconds), c.written) << c.text;
    }
}

// Faults caught: the weekday or month written wrong, the older forms of HTTP
// dates refused, a two-digit year put in the wrong century, a date that is no
// date or not in GMT taken.
TEST(HttpDate, ReadsTheThreeFormsOfHttpAndWritesTheFirst)
{
    const struct {
        const char* text;
        std::int64_t seconds;  // kNoTime: refused
    } cases[] = {
        {"Wed, 09 Dec 2026 06:00:00 GMT", 1796796000},
        {"Thu, 01 Jan 1970 00:00:00 GMT", 0},
        {"Thu, 29 Feb 2024 12:00:00 GMT", 1709208000},
        {"Wednesday, 09-Dec-26 06:00:00 GMT", 1796796000},
        {"Thursday, 01-Jan-70 00:00:00 GMT", 0},
        {"Wed Dec  9 06:00:00 2026", 1796796000},
        {"Thu Feb 29 12:00:00 2024", 1709208000},
        {"Wed, 9 Dec 2026 06:00:00 GMT", kNoTime},
        {"Wed, 09 Dec 2026 06:00:00 UTC", kNoTime},
        {"Wed, 09 Dec 2026 06:00:00 +0000", kNoTime},
        {"Wed, 09 Dez 2026 06:00:00 GMT", kNoTime},
        {"Wed, 30 Feb 2026 06:00:00 GMT", kNoTime},
        {"Wed, 09 Dec 2026 25:00:00 GMT", kNoTime},
        {"Xyz, 09 Dec 2026 06:00:00 GMT", kNoTime},
        {"2026-12-09T06:00:00Z", kNoTime},
        {"Wed, 09 Dec 2026 06:00:00 GMT ", kNoTime},
        {"", kNoTime},
    };
    for (const auto& c : cases) {
        std::int64_t seconds = kNoTime;
        EXPECT_EQ(HttpDate::Parse(c.text, seconds) ? seconds : kNoTime, c.seconds) << c.text;
    }

    const struct {
        std::int64_t seconds;
        const char* text;
    } written[] = {
        {0, "Thu, 01 Jan 1970 00:00:00 GMT"},
        {1796796000, "Wed, 09 Dec 2026 06:00:00 GMT"},
        {1709164800 + 86399, "Thu, 29 Feb 2024 23:59:59 GMT"},
        {-86400, "Wed, 31 Dec 1969 00:00:00 GMT"},
        {951868800, "Wed, 01 Mar 2000 00:00:00 GMT"},
    };
    for (const auto& w : written) {
        EXPECT_EQ(HttpDate::Format(w.seconds), w.text) << w.seconds;
        std::int64_t back = kNoTime;
        EXPECT_TRUE(HttpDate::Parse(w.text, back) && back == w.seconds) << w.text;
    }
}

// Faults caught: a date in Retry-After refused or counted from the wrong
// moment, a date already past made a negative wait, a number too large to hold
// taken.
TEST(HttpDate, RetryAfterIsSecondsOrADate)
{
    const std::int64_t now = 1796796000;  // Wed, 09 Dec 2026 06:00:00 GMT
    const struct {
        const char* text;
        std::int64_t wait;  // kNoTime: refused
    } cases[] = {
        {"120", 120},
        {"0", 0},
        {"Wed, 09 Dec 2026 06:05:00 GMT", 300},
        {"Wed, 09 Dec 2026 05:00:00 GMT", 0},
        {"Wed Dec  9 07:00:00 2026", 3600},
        {"-5", kNoTime},
        {"1.5", kNoTime},
        {"99999999999999999999999", kNoTime},
        {"soon", kNoTime},
        {"", kNoTime},
    };
    for (const auto& c : cases) {
        std::int64_t wait = kNoTime;
        EXPECT_EQ(HttpDate::ParseRetryAfter(c.text, now, wait) ? wait : kNoTime, c.wait) << c.text;
    }
}

}  // namespace
