#include "base/DateTime.h"

#include <cmath>
#include <utility>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr long long kSecondsPerDay = 24 * 60 * 60;
// 1 January 100 and the last second of 31 December 9999, as DATE.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.0 + 86399.0 / kSecondsPerDay;
// Days from 1 January 1970 to 30 December 1899.
constexpr long long kOleEpochFromUnix = -25569;

const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

struct Parts {
    int year, month, day, hour, minute, second;
    int dayOfWeek;  // 0 = Sunday
    int dayOfYear;  // 1-based
};

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Proleptic Gregorian day numbers relative to 1970-01-01 (H. Hinnant's algorithm).
long long DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long long days, int& year, int& month, int& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

bool InRange(double date)
{
    return date >= kMinDate - 1.0 + 1.0 / kSecondsPerDay && date <= kMaxDate && !std::isnan(date);
}

// The DATE as a count of seconds on a straight line through 30 December 1899,
// rounded to the nearest second.
long long LinearSeconds(double date)
{
    const double whole = std::trunc(date);
    const double fraction = std::fabs(date - whole);
    return static_cast<long long>(whole) * kSecondsPerDay + std::llround(fraction * kSecondsPerDay);
}

double DateFromLinearSeconds(long long seconds)
{
    long long days = seconds / kSecondsPerDay;
    long long rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    const double fraction = static_cast<double>(rest) / kSecondsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

bool PartsFromDate(double date, Parts& parts)
{
    if (!InRange(date))
        return false;
    long long seconds = LinearSeconds(date);
    long long days = seconds / kSecondsPerDay;
    long long time = seconds % kSecondsPerDay;
    if (time < 0) {
        time += kSecondsPerDay;
        --days;
    }
    CivilFromDays(days + kOleEpochFromUnix, parts.year, parts.month, parts.day);
    if (parts.year < 100 || parts.year > 9999)
        return false;
    parts.hour = static_cast<int>(time / 3600);
    parts.minute = static_cast<int>(time / 60 % 60);
    parts.second = static_cast<int>(time % 60);
    parts.dayOfWeek = static_cast<int>(((days + 6) % 7 + 7) % 7);  // day 0 was a Saturday
    parts.dayOfYear =
        static_cast<int>(DaysFromCivil(parts.year, parts.month, parts.day) - DaysFromCivil(parts.year, 1, 1) + 1);
    return true;
}

bool DateFromParts(int year, int month, int day, int hour, int minute, int second, double& date)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    const long long days = DaysFromCivil(year, month, day) - kOleEpochFromUnix;
    date = DateFromLinearSeconds(days * kSecondsPerDay + hour * 3600 + minute * 60 + second);
    return true;
}

void AppendNumber(std::string& out, int value, int width, bool noLeadingZeros)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%0*d", noLeadingZeros ? 1 : width, value);
    out += text;
}

void AppendField(std::string& out, char specifier, bool alternate, const Parts& p)
{
    switch (specifier) {
    case 'a': out.append(kDayNames[p.dayOfWeek], 3); break;
    case 'A': out += kDayNames[p.dayOfWeek]; break;
    case 'b': out.append(kMonthNames[p.month - 1], 3); break;
    case 'B': out += kMonthNames[p.month - 1]; break;
    case 'c':
        AppendField(out, 'x', alternate, p);
        out += ' ';
        AppendField(out, 'X', alternate, p);
        break;
    case 'd': AppendNumber(out, p.day, 2, alternate); break;
    case 'H': AppendNumber(out, p.hour, 2, alternate); break;
    case 'I': AppendNumber(out, p.hour % 12 == 0 ? 12 : p.hour % 12, 2, alternate); break;
    case 'j': AppendNumber(out, p.dayOfYear, 3, alternate); break;
    case 'm': AppendNumber(out, p.month, 2, alternate); break;
    case 'M': AppendNumber(out, p.minute, 2, alternate); break;
    case 'p': out += p.hour < 12 ? "AM" : "PM"; break;
    case 'S': AppendNumber(out, p.second, 2, alternate); break;
    case 'U': AppendNumber(out, (p.dayOfYear - 1 + 7 - p.dayOfWeek) / 7, 2, alternate); break;
    case 'w': AppendNumber(out, p.dayOfWeek, 1, alternate); break;
    case 'W': AppendNumber(out, (p.dayOfYear - 1 + 7 - (p.dayOfWeek + 6) % 7) / 7, 2, alternate); break;
    case 'x':
        AppendField(out, 'm', alternate, p);
        out += '/';
        AppendField(out, 'd', alternate, p);
        out += '/';
        AppendField(out, 'y', alternate, p);
        break;
    case 'X':
        AppendField(out, 'H', alternate, p);
        out += ':';
        AppendField(out, 'M', alternate, p);
        out += ':';
        AppendField(out, 'S', alternate, p);
        break;
    case 'y': AppendNumber(out, p.year % 100, 2, alternate); break;
    case 'Y': AppendNumber(out, p.year, 4, alternate); break;
    case '%': out += '%'; break;
    default:
        // Unknown specifiers are kept as written rather than dropped silently.
        out += '%';
        if (alternate)
            out += '#';
        out += specifier;
        break;
    }
}

struct Token {
    enum Kind { Number, Word, Colon } kind;
    int value = 0;     // numbers
    int digits = 0;    // numbers
    std::string word;  // words, in capitals
};

bool Tokenize(const char* text, std::vector<Token>& tokens)
{
    for (const char* c = text; *c;) {
        const unsigned char ch = static_cast<unsigned char>(*c);
        if (ch >= '0' && ch <= '9') {
            Token token{Token::Number, 0, 0, {}};
            for (; *c >= '0' && *c <= '9'; ++c) {
                if (++token.digits > 4)
                    return false;
                token.value = token.value * 10 + (*c - '0');
            }
            tokens.push_back(token);
        } else if ((ch | 0x20) >= 'a' && (ch | 0x20) <= 'z') {
            Token token{Token::Word, 0, 0, {}};
            for (; ((*c | 0x20) >= 'a' && (*c | 0x20) <= 'z'); ++c)
                token.word += static_cast<char>(*c & ~0x20);
            tokens.push_back(token);
        } else if (ch == ':') {
            tokens.push_back(Token{Token::Colon, 0, 0, {}});
            ++c;
        } else if (ch == '/' || ch == '-' || ch == ',' || ch == ' ' || ch == '\t') {
            ++c;
        } else {
            return false;
        }
    }
    return true;
}

// 1-based position of the name that word spells in capitals, or the first three
// letters or more of; 0 for none.
int NameIndex(const std::string& word, const char* const* names, int count)
{
    if (word.size() < 3)
        return 0;
    for (int i = 0; i < count; ++i) {
        std::string name = names[i];
        for (char& c : name)
            c = static_cast<char>(c & ~0x20);
        if (name.compare(0, word.size(), word) == 0)
            return i + 1;
    }
    return 0;
}

int MonthOf(const std::string& word)
{
    return NameIndex(word, kMonthNames, 12);
}

bool IsDayName(const std::string& word)
{
    return NameIndex(word, kDayNames, 7) != 0;
}

// Two digits: 1930-2029, as the system reads them.
int FullYear(const Token& year)
{
    return year.digits <= 2 ? (year.value < 30 ? 2000 : 1900) + year.value : year.value;
}

// The forms a hand-edited data file may hold, read by US conventions: a date as
// month/day/year (/ or - as separators; day/month/year when the first number
// cannot be a month), year-month-day when the year comes
// first with four digits, or with the month's English name ("March 14, 2004",
// "14 Mar 2004"); a time as hours:minutes[:seconds] with an optional AM or PM.
// Either part may stand alone: a time alone is a time on 30 December 1899. A
// date without its year is refused: it would depend on the day it is read.
bool ReadUsDateTime(const char* text, double& result)
{
    std::vector<Token> tokens;
    if (!Tokenize(text, tokens) || tokens.empty())
        return false;

    int hour = 0, minute = 0, second = 0;
    bool hasTime = false;
    int meridiem = 0;  // 1 AM, 2 PM
    int month = 0;
    std::vector<Token> numbers;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (token.kind == Token::Number && i + 1 < tokens.size() && tokens[i + 1].kind == Token::Colon) {
            if (hasTime || i + 2 >= tokens.size() || tokens[i + 2].kind != Token::Number || token.digits > 2 ||
                tokens[i + 2].digits != 2)
                return false;
            hasTime = true;
            hour = token.value;
            minute = tokens[i + 2].value;
            i += 2;
            if (i + 2 < tokens.size() && tokens[i + 1].kind == Token::Colon) {
                if (tokens[i + 2].kind != Token::Number || tokens[i + 2].digits != 2)
                    return false;
                second = tokens[i + 2].value;
                i += 2;
            }
        } else if (token.kind == Token::Number) {
            numbers.push_back(token);
        } else if (token.kind == Token::Word) {
            if (token.word == "AM" || token.word == "A") {
                if (meridiem || !hasTime)
                    return false;
                meridiem = 1;
            } else if (token.word == "PM" || token.word == "P") {
                if (meridiem || !hasTime)
                    return false;
                meridiem = 2;
            } else if (const int named = MonthOf(token.word)) {
                if (month)
                    return false;
                month = named;
            } else if (!IsDayName(token.word)) {
                return false;
            }
        } else {
            return false;
        }
    }

    // "13:00 PM" is 13:00, as the system reads it.
    if (meridiem && !(meridiem == 2 && hour > 12)) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (meridiem == 2 ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    const long long timeOfDay = hour * 3600LL + minute * 60 + second;

    int year = 0, day = 0;
    if (month) {
        if (numbers.size() != 2)
            return false;
        // The day is the first number of at most two digits, the year the other.
        const bool dayFirst = numbers[0].digits <= 2 && numbers[1].digits != 0;
        const Token& dayToken = dayFirst ? numbers[0] : numbers[1];
        const Token& yearToken = dayFirst ? numbers[1] : numbers[0];
        if (dayToken.digits > 2)
            return false;
        day = dayToken.value;
        year = FullYear(yearToken);
    } else if (numbers.size() == 3) {
        if (numbers[0].digits == 4) {
            year = numbers[0].value;
            month = numbers[1].value;
            day = numbers[2].value;
        } else {
            month = numbers[0].value;
            day = numbers[1].value;
            year = FullYear(numbers[2]);
            // A first number that cannot be a month is the day, as the system reads it.
            if (month > 12 && day <= 12)
                std::swap(month, day);
        }
        if (numbers[1].digits > 2 || (numbers[0].digits == 4 ? numbers[2].digits > 2 : numbers[0].digits > 2))
            return false;
    } else if (numbers.empty() && hasTime) {
        result = DateFromLinearSeconds(timeOfDay);
        return true;
    } else {
        return false;
    }
    return DateFromParts(year, month, day, hour, minute, second, result);
}

}  // namespace

DateTime::DateTime(double value)
{
    *this = value;
}

DateTime::DateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

DateTime& DateTime::operator=(double value)
{
    m_dt = value;
    m_status = InRange(value) ? valid : invalid;
    return *this;
}

int DateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    double date = 0.0;
    if (DateFromParts(year, month, day, hour, minute, second, date)) {
        m_dt = date;
        m_status = valid;
        return 0;
    }
    m_dt = 0.0;
    m_status = invalid;
    return 1;
}

#define DATE_PART(name, field, adjust)                                                                                 \
    int DateTime::name() const                                                                                     \
    {                                                                                                                  \
        Parts p{};                                                                                                     \
        return m_status == valid && PartsFromDate(m_dt, p) ? p.field + (adjust) : -1;                                  \
    }
DATE_PART(GetYear, year, 0)
DATE_PART(GetMonth, month, 0)
DATE_PART(GetDay, day, 0)
DATE_PART(GetHour, hour, 0)
DATE_PART(GetMinute, minute, 0)
DATE_PART(GetSecond, second, 0)
DATE_PART(GetDayOfWeek, dayOfWeek, 1)
DATE_PART(GetDayOfYear, dayOfYear, 0)
#undef DATE_PART

bool DateTime::ParseDateTime(const char* text)
{
    m_dt = 0.0;
    m_status = invalid;
    double date = 0.0;
    if (!text || !ReadUsDateTime(text, date) || !InRange(date))
        return false;
    m_dt = date;
    m_status = valid;
    return true;
}

std::string DateTime::Format(const char* format) const
{
    if (m_status == null)
        return std::string();
    Parts p{};
    if (m_status != valid || !PartsFromDate(m_dt, p))
        return "Invalid DateTime";
    std::string out;
    for (const char* c = format ? format : ""; *c; ++c) {
        if (*c != '%' || c[1] == '\0') {
            out += *c;
            continue;
        }
        ++c;
        bool alternate = false;
        if (*c == '#' && c[1] != '\0') {
            alternate = true;
            ++c;
        }
        AppendField(out, *c, alternate, p);
    }
    return out;
}

DateTime DateTime::operator+(const DateTimeSpan& span) const
{
    DateTime result;
    if (m_status != valid || span.GetStatus() != DateTimeSpan::valid) {
        result.m_status = invalid;
        return result;
    }
    const long long seconds = LinearSeconds(m_dt) + std::llround(span.m_span * kSecondsPerDay);
    result = DateFromLinearSeconds(seconds);
    return result;
}

DateTime DateTime::operator-(const DateTimeSpan& span) const
{
    return *this + (-span);
}

DateTimeSpan DateTime::operator-(const DateTime& other) const
{
    DateTimeSpan result(static_cast<double>(LinearSeconds(m_dt) - LinearSeconds(other.m_dt)) / kSecondsPerDay);
    if (m_status != valid || other.m_status != valid)
        result.SetStatus(DateTimeSpan::invalid);
    return result;
}

bool DateTime::operator==(const DateTime& other) const
{
    if (m_status != valid || other.m_status != valid)
        return m_status == other.m_status && m_dt == other.m_dt;
    return LinearSeconds(m_dt) == LinearSeconds(other.m_dt);
}

bool DateTime::operator<(const DateTime& other) const
{
    return LinearSeconds(m_dt) < LinearSeconds(other.m_dt);
}
