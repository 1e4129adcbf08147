#pragma once

#include "base/DateTime.h"

#include <string>

// How a reminder repeats. A reminder keeps its wall-clock time in every
// occurrence, whatever the daylight-saving time: dates are local.
enum class Repeat { Once, Day, Weekday, Week, Month, Year };

// The stored name ("day", "weekday", "week", "month", "year"); empty for Once,
// which is stored as no name at all.
const char* RepeatName(Repeat repeat);
// Once for an empty name and for a name this version does not know (one of a
// later version): such a reminder comes once here, and keeps its name.
Repeat RepeatFromName(const std::string& name);

// The first occurrence strictly after `after` of the series that starts at
// anchor, at anchor's time of day; invalid when there is none (Once, once
// passed). Monthly and yearly ones fall on the series' day of the month (0:
// anchor's day), or on the month's last day when it is shorter, so a series
// of the 31st comes on 30 April and on 31 May, one of 29 February on 28
// February in common years. A series on weekdays comes Monday to Friday, from
// anchor's day on.
DateTime NextOccurrence(const DateTime& anchor, Repeat repeat, const DateTime& after, int seriesDay = 0);
