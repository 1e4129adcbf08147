#include "base/DateTime.h"
#include "framework/SystemClock.h"

#include "support/ScopedTestClock.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <cstring>
#include <string>

namespace {

const char* const kStoredFormat = "%m/%d/%Y %H:%M:%S";

TEST(DateTime, ParsesAndFormatsTheStoredFormRoundTrip)
{
    DateTime date;
    ASSERT_TRUE(date.ParseDateTime("03/14/2004 09:05:00"));
    EXPECT_EQ(date.GetStatus(), DateTime::valid);
    EXPECT_NEAR(date.m_dt, 38060.0 + (9 * 3600 + 5 * 60) / 86400.0, 1e-9);
    EXPECT_EQ(date.GetYear(), 2004);
    EXPECT_EQ(date.GetMonth(), 3);
    EXPECT_EQ(date.GetDay(), 14);
    EXPECT_EQ(date.GetHour(), 9);
    EXPECT_EQ(date.GetMinute(), 5);
    EXPECT_EQ(date.GetSecond(), 0);
    EXPECT_EQ(date.GetDayOfWeek(), 1);  // Sunday
    EXPECT_EQ(date.Format(kStoredFormat), "03/14/2004 09:05:00");

    // The default of the last weather update, without leading zeros.
    ASSERT_TRUE(date.ParseDateTime("1/25/1996 8:30:00"));
    EXPECT_EQ(date.Format(kStoredFormat), "01/25/1996 08:30:00");
}

TEST(DateTime, UnparsableTextIsInvalid)
{
    DateTime date(2004, 3, 14, 9, 5, 0);
    EXPECT_FALSE(date.ParseDateTime("not a date at all"));
    EXPECT_EQ(date.GetStatus(), DateTime::invalid);
    EXPECT_EQ(date.Format(kStoredFormat), "Invalid DateTime");
    EXPECT_EQ(date.GetYear(), -1);
    EXPECT_FALSE(date.ParseDateTime(nullptr));

    DateTime nothing;
    nothing.SetStatus(DateTime::null);
    EXPECT_EQ(nothing.Format(kStoredFormat), "");
}

TEST(DateTime, PartsOutOfRangeMakeAnInvalidDate)
{
    EXPECT_EQ(DateTime(2003, 2, 29, 0, 0, 0).GetStatus(), DateTime::invalid);
    EXPECT_EQ(DateTime(2004, 2, 29, 0, 0, 0).GetStatus(), DateTime::valid);
    EXPECT_EQ(DateTime(1900, 2, 29, 0, 0, 0).GetStatus(), DateTime::invalid);
    EXPECT_EQ(DateTime(2004, 13, 1, 0, 0, 0).GetStatus(), DateTime::invalid);
    EXPECT_EQ(DateTime(2004, 1, 1, 24, 0, 0).GetStatus(), DateTime::invalid);
    EXPECT_EQ(DateTime(2004, 1, 1, 0, 60, 0).GetStatus(), DateTime::invalid);
    EXPECT_EQ(DateTime(99, 12, 31, 0, 0, 0).GetStatus(), DateTime::invalid);

    DateTime date;
    EXPECT_EQ(date.SetDateTime(2004, 4, 31, 0, 0, 0), 1);
    EXPECT_EQ(date.GetStatus(), DateTime::invalid);
    EXPECT_EQ(date.SetDateTime(2004, 4, 30, 23, 59, 59), 0);
    EXPECT_EQ(date.Format(kStoredFormat), "04/30/2004 23:59:59");
}

TEST(DateTime, DatesBeforeTheEpochCountBackwardsWithForwardTime)
{
    const DateTime morning(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(morning.m_dt, -1.25);
    const DateTime fromValue(-1.25);
    EXPECT_EQ(fromValue.Format(kStoredFormat), "12/29/1899 06:00:00");

    // One day later is 30 December 06:00, which is +0.25, not -0.25.
    const DateTime next = morning + DateTimeSpan(1, 0, 0, 0);
    EXPECT_DOUBLE_EQ(next.m_dt, 0.25);
    EXPECT_DOUBLE_EQ((next - morning).GetTotalDays(), 1.0);
    EXPECT_TRUE(morning < next);

    const DateTime evening(-1.75);  // 29 December 18:00
    EXPECT_TRUE(morning < evening);
    EXPECT_DOUBLE_EQ((evening - morning).GetTotalHours(), 12.0);
}

TEST(DateTime, RoundsToTheNearestSecond)
{
    const double base = DateTime(2004, 3, 14, 9, 5, 0).m_dt;
    EXPECT_EQ(DateTime(base + 0.6 / 86400).GetSecond(), 1);
    EXPECT_EQ(DateTime(base + 0.4 / 86400).GetSecond(), 0);

    // Rounding up the last second of a day carries into the next day.
    const DateTime lateNight(DateTime(2004, 12, 31, 23, 59, 59).m_dt + 0.7 / 86400);
    EXPECT_EQ(lateNight.Format(kStoredFormat), "01/01/2005 00:00:00");
}

TEST(DateTime, ClockSeamSetsTheCurrentTime)
{
    {
        ScopedTestClock clock(1901, 7, 4, 12, 34, 56);
        EXPECT_EQ(SystemClock().Now().Format(kStoredFormat), "07/04/1901 12:34:56");
        clock.Set(1902, 1, 2, 3, 4, 5);
        EXPECT_EQ(SystemClock().Now().Format(kStoredFormat), "01/02/1902 03:04:05");
    }
    EXPECT_GT(SystemClock().Now().GetYear(), 2000);
}

TEST(DateTime, NextFullHourCrossesMidnightAndTheYear)
{
    ScopedTestClock clock(2004, 12, 31, 23, 30, 15);
    const DateTime now = SystemClock().Now();
    DateTime next = now + DateTimeSpan(0, 1, 0, 0);
    next.SetDateTime(next.GetYear(), next.GetMonth(), next.GetDay(), next.GetHour(), 0, 0);
    EXPECT_EQ(next.Format(kStoredFormat), "01/01/2005 00:00:00");

    const DateTimeSpan wait = next - now;
    EXPECT_DOUBLE_EQ(wait.GetTotalSeconds(), 29 * 60 + 45);
    EXPECT_DOUBLE_EQ(wait.GetTotalMinutes(), 29.75);
    EXPECT_EQ((now - next).GetTotalSeconds(), -(29 * 60 + 45));
}

TEST(DateTime, DifferencesAreWholeUnitsDespiteFloatingPoint)
{
    // 10:00 - 09:00 as doubles is a hair under an hour; truncating callers
    // must still see 60 minutes.
    const DateTime nine(2004, 3, 14, 9, 0, 0);
    const DateTime ten(2004, 3, 14, 10, 0, 0);
    EXPECT_EQ(static_cast<long>((ten - nine).GetTotalMinutes()), 60);
    const DateTime later = nine + DateTimeSpan(0, 0, 7, 0);
    EXPECT_EQ(later.GetMinute(), 7);
    EXPECT_EQ(later - DateTimeSpan(0, 0, 7, 0), nine);

    const DateTimeSpan span(1, 2, 3, 4);
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.GetMinutes(), 3);
    EXPECT_EQ(span.GetSeconds(), 4);
}

TEST(DateTime, FormatsNamesAndNumbersInEnglish)
{
    const DateTime date(2004, 3, 5, 14, 7, 9);
    EXPECT_EQ(date.Format("%a %A %b %B %p %I %j %y %#d %w %%"), "Fri Friday Mar March PM 02 065 04 5 5 %");
    EXPECT_EQ(date.Format("%H:%M"), "14:07");
    EXPECT_EQ(date.Format("%c"), "03/05/04 14:07:09");
    EXPECT_EQ(DateTime(2004, 3, 5, 0, 30, 0).Format("%I %p"), "12 AM");
    EXPECT_EQ(date.Format("100%"), "100%");
}

TEST(DateTime, ConvertsToAndFromSystemTime)
{
    SYSTEMTIME in{};
    in.wYear = 2026;
    in.wMonth = 12;
    in.wDay = 7;
    in.wHour = 8;
    in.wMinute = 2;
    in.wSecond = 21;
    in.wMilliseconds = 900;  // not carried
    const DateTime date = FromSystemTime(in);
    SYSTEMTIME out{};
    ASSERT_TRUE(ToSystemTime(date, out));
    EXPECT_EQ(out.wYear, 2026);
    EXPECT_EQ(out.wMonth, 12);
    EXPECT_EQ(out.wDay, 7);
    EXPECT_EQ(out.wDayOfWeek, 1);  // Monday
    EXPECT_EQ(out.wHour, 8);
    EXPECT_EQ(out.wMinute, 2);
    EXPECT_EQ(out.wSecond, 21);
    EXPECT_EQ(out.wMilliseconds, 0);

    DateTime invalid;
    invalid.SetStatus(DateTime::invalid);
    EXPECT_FALSE(ToSystemTime(invalid, out));
}

TEST(DateTime, ArithmeticWithAnInvalidOperandIsInvalid)
{
    DateTime invalid(2004, 2, 30, 0, 0, 0);
    EXPECT_EQ((invalid + DateTimeSpan(1.0)).GetStatus(), DateTime::invalid);
    DateTimeSpan badSpan(1.0);
    badSpan.SetStatus(DateTimeSpan::invalid);
    EXPECT_EQ((DateTime(2004, 2, 1, 0, 0, 0) + badSpan).GetStatus(), DateTime::invalid);
    // Beyond the last representable day.
    EXPECT_EQ((DateTime(9999, 12, 31, 0, 0, 0) + DateTimeSpan(1.0)).GetStatus(), DateTime::invalid);
}

}  // namespace

// Hand-edited data files and old settings hold dates in forms the program never
// wrote; they were read by the system's conversion with US conventions and are
// now read by the program's own reader, which must agree with it.
TEST(DateTime, HandEditedDatesReadAsTheSystemReadsThem)
{
    const char* const forms[] = {
        "3/14/2004",           "03/14/04 9:05 PM",    "2004-03-14 09:05:00", "March 14, 2004",
        "14 Mar 2004 9:05",    "Sunday, March 14, 2004 9:05:07", "9:05:30", "12:00 AM",
        "12:30 pm",            "12/31/1999 23:59:59", "1/1/99",              "1/1/29",
        "3.14.2004",           "3-14-2004 7:00",      "1/25/1996 8:30:00",   "2/29/2024",
        "13/14/2004",          "2/30/2004",           "not a date",          "3/14/2004 25:00",
        "3/14/2004 9:60",      "13:00 PM",            "",                    "14/3/2004",
    };
    for (const char* form : forms) {
        DATE system = 0;
        std::wstring wide(form, form + std::strlen(form));
        const bool systemRead = SUCCEEDED(::VarDateFromStr(wide.data(), 1033, 0, &system));
        DateTime ours;
        const bool read = ours.ParseDateTime(form);
        EXPECT_EQ(read, systemRead) << form;
        if (read && systemRead) {
            EXPECT_EQ(ours.Format("%Y-%m-%d %H:%M:%S"), DateTime(system).Format("%Y-%m-%d %H:%M:%S")) << form;
        }
    }
}
