#pragma once

#include "base/DateTimeSpan.h"

#include <string>

// A local date and time as an OLE DATE: days since 30 December 1899, the time of
// day as the fraction. Before that day the whole part counts backwards while the
// fraction still runs forwards (-1.25 is 29 December 1899, 06:00), so arithmetic
// goes through a linear day count. Values carry whole seconds.
class DateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    DateTime() = default;
    DateTime(double value);
    DateTime(int year, int month, int day, int hour, int minute, int second);

    DateTime& operator=(double value);
    operator double() const { return m_dt; }

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // 0 on success; out-of-range parts leave the value invalid and return 1.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }

    // Parts of a valid value; -1 when the value is not valid. Day of week 1 = Sunday.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    int GetDayOfYear() const;

    // Reads a date and time by US conventions, as the system's conversion does
    // for US English: "3/14/2004 9:05:00", "03/14/04 9:05 PM", "2004-03-14",
    // "March 14, 2004", a time alone (on 30 December 1899). A date without its
    // year is refused. On failure the value is invalid and false returned.
    bool ParseDateTime(const char* text);

    // strftime-style, always with English names, independent of the C locale:
    // %a %A %b %B %c %d %H %I %j %m %M %p %S %U %w %W %x %X %y %Y %%; "%#d" drops
    // leading zeros. Invalid values give "Invalid DateTime", null values "".
    std::string Format(const char* format) const;

    DateTime operator+(const DateTimeSpan& span) const;
    DateTime operator-(const DateTimeSpan& span) const;
    DateTime& operator+=(const DateTimeSpan& span) { return *this = *this + span; }
    DateTime& operator-=(const DateTimeSpan& span) { return *this = *this - span; }
    DateTimeSpan operator-(const DateTime& other) const;

    bool operator==(const DateTime& other) const;
    bool operator!=(const DateTime& other) const { return !(*this == other); }
    bool operator<(const DateTime& other) const;
    bool operator>(const DateTime& other) const { return other < *this; }
    bool operator<=(const DateTime& other) const { return !(other < *this); }
    bool operator>=(const DateTime& other) const { return !(*this < other); }

    double m_dt = 0.0;
    DateTimeStatus m_status = valid;
};
