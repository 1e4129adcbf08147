#include "entries/Repeat.h"

#include <algorithm>

namespace {

struct Name {
    Repeat repeat;
    const char* text;
};
const Name kNames[] = {{Repeat::Day, "day"},
                       {Repeat::Weekday, "weekday"},
                       {Repeat::Week, "week"},
                       {Repeat::Month, "month"},
                       {Repeat::Year, "year"}};

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Whole days and the time of day are kept apart: adding days to a local time
// must never move its hour.
DateTime DayOf(const DateTime& time)
{
    return DateTime(time.GetYear(), time.GetMonth(), time.GetDay(), 0, 0, 0);
}

DateTime At(const DateTime& day, const DateTime& timeOfDay)
{
    return DateTime(day.GetYear(), day.GetMonth(), day.GetDay(), timeOfDay.GetHour(), timeOfDay.GetMinute(),
                        timeOfDay.GetSecond());
}

DateTime AddDays(const DateTime& day, long days)
{
    return DayOf(day + DateTimeSpan(days, 0, 0, 0));
}

long DaysBetween(const DateTime& from, const DateTime& to)
{
    const double days = (DayOf(to) - DayOf(from)).GetTotalDays();
    return static_cast<long>(days + (days < 0 ? -0.5 : 0.5));
}

bool IsWeekend(const DateTime& day)
{
    const int weekday = day.GetDayOfWeek();  // 1 = Sunday
    return weekday == 1 || weekday == 7;
}

// The occurrence in the month numbered year * 12 + month - 1.
DateTime InMonth(long monthIndex, int day, const DateTime& timeOfDay)
{
    const int year = static_cast<int>(monthIndex / 12);
    const int month = static_cast<int>(monthIndex % 12) + 1;
    return DateTime(year, month, std::min(day, DaysInMonth(year, month)), timeOfDay.GetHour(),
                        timeOfDay.GetMinute(), timeOfDay.GetSecond());
}

DateTime Invalid()
{
    DateTime none;
    none.SetStatus(DateTime::invalid);
    return none;
}

}  // namespace

const char* RepeatName(Repeat repeat)
{
    for (const Name& name : kNames) {
        if (name.repeat == repeat)
            return name.text;
    }
    return "";
}

Repeat RepeatFromName(const std::string& text)
{
    for (const Name& name : kNames) {
        if (text == name.text)
            return name.repeat;
    }
    return Repeat::Once;
}

DateTime NextOccurrence(const DateTime& anchor, Repeat repeat, const DateTime& after, int seriesDay)
{
    if (anchor.GetStatus() != DateTime::valid || after.GetStatus() != DateTime::valid)
        return Invalid();
    // Days before the anchor's are no part of the series.
    const DateTime from = after < anchor ? DayOf(anchor) : DayOf(after);
    switch (repeat) {
    case Repeat::Once: return anchor > after ? anchor : Invalid();
    case Repeat::Day:
    case Repeat::Weekday: {
        DateTime day = from;
        while (At(day, anchor) <= after || (repeat == Repeat::Weekday && IsWeekend(day)))
            day = AddDays(day, 1);
        return At(day, anchor);
    }
    case Repeat::Week: {
        long weeks = DaysBetween(anchor, from) / 7;
        while (At(AddDays(DayOf(anchor), weeks * 7), anchor) <= after)
            ++weeks;
        return At(AddDays(DayOf(anchor), weeks * 7), anchor);
    }
    case Repeat::Month:
    case Repeat::Year: {
        const int day = seriesDay > 0 ? std::min(seriesDay, 31) : anchor.GetDay();
        const long step = repeat == Repeat::Month ? 1 : 12;
        const long first = anchor.GetYear() * 12L + anchor.GetMonth() - 1;
        const long fromMonth = from.GetYear() * 12L + from.GetMonth() - 1;
        // The first month of the series at or before from's; then on by steps.
        long month = first + std::max(0L, (fromMonth - first) / step) * step;
        while (InMonth(month, day, anchor) <= after || InMonth(month, day, anchor) < anchor)
            month += step;
        return InMonth(month, day, anchor);
    }
    }
    return Invalid();
}
