#include "base/DateTimeSpan.h"

#include <cmath>

namespace {

constexpr double kSecondsPerDay = 24.0 * 60.0 * 60.0;

}  // namespace

DateTimeSpan::DateTimeSpan(long days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void DateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    m_span = days + (hours * 3600.0 + minutes * 60.0 + seconds) / kSecondsPerDay;
    m_status = valid;
}

long long DateTimeSpan::WholeSeconds() const
{
    return std::llround(m_span * kSecondsPerDay);
}

double DateTimeSpan::GetTotalDays() const
{
    return WholeSeconds() / kSecondsPerDay;
}

double DateTimeSpan::GetTotalHours() const
{
    return WholeSeconds() / 3600.0;
}

double DateTimeSpan::GetTotalMinutes() const
{
    return WholeSeconds() / 60.0;
}

double DateTimeSpan::GetTotalSeconds() const
{
    return static_cast<double>(WholeSeconds());
}

long DateTimeSpan::GetDays() const
{
    return static_cast<long>(WholeSeconds() / 86400);
}

int DateTimeSpan::GetHours() const
{
    return static_cast<int>(WholeSeconds() / 3600 % 24);
}

int DateTimeSpan::GetMinutes() const
{
    return static_cast<int>(WholeSeconds() / 60 % 60);
}

int DateTimeSpan::GetSeconds() const
{
    return static_cast<int>(WholeSeconds() % 60);
}

DateTimeSpan DateTimeSpan::operator+(const DateTimeSpan& other) const
{
    DateTimeSpan result(m_span + other.m_span);
    if (m_status != valid || other.m_status != valid)
        result.m_status = invalid;
    return result;
}

DateTimeSpan DateTimeSpan::operator-(const DateTimeSpan& other) const
{
    DateTimeSpan result(m_span - other.m_span);
    if (m_status != valid || other.m_status != valid)
        result.m_status = invalid;
    return result;
}

DateTimeSpan DateTimeSpan::operator-() const
{
    DateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

bool DateTimeSpan::operator==(const DateTimeSpan& other) const
{
    return m_status == other.m_status && WholeSeconds() == other.WholeSeconds();
}

bool DateTimeSpan::operator<(const DateTimeSpan& other) const
{
    return WholeSeconds() < other.WholeSeconds();
}
