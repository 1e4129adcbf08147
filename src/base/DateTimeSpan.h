#pragma once

// A length of time in days (fraction = time of day), as the difference of two
// DateTime values or something to add to one.
class DateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    DateTimeSpan() = default;
    DateTimeSpan(double days)
        : m_span(days)
    {}
    DateTimeSpan(long days, int hours, int minutes, int seconds);

    void SetDateTimeSpan(long days, int hours, int minutes, int seconds);
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }

    // Totals are rounded to whole seconds first: dates carry no finer time, and
    // a difference of two doubles is otherwise a hair short (59.999... minutes).
    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;

    // The parts of the span: whole days, then hours 0..23, minutes and seconds
    // 0..59, all carrying the sign of the span.
    long GetDays() const;
    int GetHours() const;
    int GetMinutes() const;
    int GetSeconds() const;

    DateTimeSpan operator+(const DateTimeSpan& other) const;
    DateTimeSpan operator-(const DateTimeSpan& other) const;
    DateTimeSpan operator-() const;
    DateTimeSpan& operator+=(const DateTimeSpan& other) { return *this = *this + other; }
    DateTimeSpan& operator-=(const DateTimeSpan& other) { return *this = *this - other; }

    bool operator==(const DateTimeSpan& other) const;
    bool operator!=(const DateTimeSpan& other) const { return !(*this == other); }
    bool operator<(const DateTimeSpan& other) const;
    bool operator>(const DateTimeSpan& other) const { return other < *this; }
    bool operator<=(const DateTimeSpan& other) const { return !(other < *this); }
    bool operator>=(const DateTimeSpan& other) const { return !(*this < other); }

    double m_span = 0.0;
    DateTimeSpanStatus m_status = valid;

private:
    long long WholeSeconds() const;
};
