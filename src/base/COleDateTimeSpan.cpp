#include "base/COleDateTimeSpan.h"

#include <cmath>

namespace {

constexpr double kSecondsPerDay = 24.0 * 60.0 * 60.0;

}  // namespace

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    m_span = days + (hours * 3600.0 + minutes * 60.0 + seconds) / kSecondsPerDay;
    m_status = valid;
}

long long COleDateTimeSpan::WholeSeconds() const
{
    return std::llround(m_span * kSecondsPerDay);
}

double COleDateTimeSpan::GetTotalDays() const
{
    return WholeSeconds() / kSecondsPerDay;
}

double COleDateTimeSpan::GetTotalHours() const
{
    return WholeSeconds() / 3600.0;
}

double COleDateTimeSpan::GetTotalMinutes() const
{
    return WholeSeconds() / 60.0;
}

double COleDateTimeSpan::GetTotalSeconds() const
{
    return static_cast<double>(WholeSeconds());
}

long COleDateTimeSpan::GetDays() const
{
    return static_cast<long>(WholeSeconds() / 86400);
}

int COleDateTimeSpan::GetHours() const
{
    return static_cast<int>(WholeSeconds() / 3600 % 24);
}

int COleDateTimeSpan::GetMinutes() const
{
    return static_cast<int>(WholeSeconds() / 60 % 60);
}

int COleDateTimeSpan::GetSeconds() const
{
    return static_cast<int>(WholeSeconds() % 60);
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan result(m_span + other.m_span);
    if (m_status != valid || other.m_status != valid)
        result.m_status = invalid;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan result(m_span - other.m_span);
    if (m_status != valid || other.m_status != valid)
        result.m_status = invalid;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const
{
    return m_status == other.m_status && WholeSeconds() == other.WholeSeconds();
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& other) const
{
    return WholeSeconds() < other.WholeSeconds();
}
