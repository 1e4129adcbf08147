#include "weather/HttpDate.h"

#include "weather/IsoTime.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
const char* const kLongDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A cursor over the header's text; each Take moves past what it read, or fails.
struct Reader {
    const std::string& text;
    std::size_t at = 0;

    bool Literal(const char* word)
    {
        const std::size_t length = std::strlen(word);
        if (text.compare(at, length, word) != 0)
            return false;
        at += length;
        return true;
    }
    bool Number(int count, int& value)
    {
        if (at + count > text.size())
            return false;
        value = 0;
        for (int i = 0; i < count; ++i) {
            const char c = text[at + i];
            if (c < '0' || c > '9')
                return false;
            value = value * 10 + (c - '0');
        }
        at += count;
        return true;
    }
    bool OneOf(const char* const* words, int count)
    {
        for (int i = 0; i < count; ++i)
            if (Literal(words[i]))
                return true;
        return false;
    }
    bool Month(int& month)
    {
        for (int i = 0; i < 12; ++i) {
            if (Literal(kMonths[i])) {
                month = i + 1;
                return true;
            }
        }
        return false;
    }
    bool Clock(int& hour, int& minute, int& second)
    {
        return Number(2, hour) && Literal(":") && Number(2, minute) && Literal(":") && Number(2, second);
    }
    bool AtEnd() const { return at == text.size(); }
};

bool Make(int year, int month, int day, int hour, int minute, int second, std::int64_t& seconds)
{
    if (day < 1 || day > IsoTime::DaysInMonth(year, month) || hour > 23 || minute > 59 || second > 60)
        return false;
    seconds = IsoTime::DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return true;
}

}  // namespace

bool HttpDate::Parse(const std::string& text, std::int64_t& seconds)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    {
        // Wed, 09 Dec 2026 06:00:00 GMT
        Reader r{text};
        if (r.OneOf(kDays, 7) && r.Literal(", ") && r.Number(2, day) && r.Literal(" ") && r.Month(month) &&
            r.Literal(" ") && r.Number(4, year) && r.Literal(" ") && r.Clock(hour, minute, second) &&
            r.Literal(" GMT") && r.AtEnd())
            return Make(year, month, day, hour, minute, second, seconds);
    }
    {
        // Wednesday, 09-Dec-26 06:00:00 GMT; a two-digit year before 70 is of this century.
        Reader r{text};
        if (r.OneOf(kLongDays, 7) && r.Literal(", ") && r.Number(2, day) && r.Literal("-") && r.Month(month) &&
            r.Literal("-") && r.Number(2, year) && r.Literal(" ") && r.Clock(hour, minute, second) &&
            r.Literal(" GMT") && r.AtEnd())
            return Make(year + (year < 70 ? 2000 : 1900), month, day, hour, minute, second, seconds);
    }
    {
        // Wed Dec  9 06:00:00 2026 (C's asctime)
        Reader r{text};
        if (r.OneOf(kDays, 7) && r.Literal(" ") && r.Month(month) && r.Literal(" ") &&
            (r.Literal(" ") ? r.Number(1, day) : r.Number(2, day)) && r.Literal(" ") && r.Clock(hour, minute, second) &&
            r.Literal(" ") && r.Number(4, year) && r.AtEnd())
            return Make(year, month, day, hour, minute, second, seconds);
    }
    return false;
}

std::string HttpDate::Format(std::int64_t seconds)
{
    const IsoTime::Civil c = IsoTime::Split(seconds);
    // 1 January 1970 was a Thursday.
    const int weekday = static_cast<int>(((c.days % 7) + 7 + 3) % 7);
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[weekday], c.day, kMonths[c.month - 1],
                  c.year, c.hour, c.minute, c.second);
    return text;
}

bool HttpDate::ParseRetryAfter(const std::string& text, std::int64_t now, std::int64_t& waitSeconds)
{
    if (!text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == std::string::npos) {
        waitSeconds = std::stoll(text);
        return true;
    }
    std::int64_t at;
    if (!Parse(text, at))
        return false;
    waitSeconds = at > now ? at - now : 0;
    return true;
}
