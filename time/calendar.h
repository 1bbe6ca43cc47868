// calendar.h - the proleptic Gregorian calendar in integers: days from
// 1970-01-01 to a date and back, leap years and month lengths (the utc_time
// library).
#ifndef KIT_TIME_CALENDAR_H
#define KIT_TIME_CALENDAR_H

#include <cstdint>

namespace utc {

// a / b rounded towards minus infinity (b > 0).
std::int64_t floor_div(std::int64_t a, std::int64_t b);

// Whether year y (astronomical numbering: 0 is 1 BC) has a 29 February.
bool leap_year(int y);

// The days of a month (1 to 12) of a year.
int days_in_month(int year, int month);

// ---------------------------------------------------------------------------
// days_from_civil, civil_from_days: a date and its count of days from
// 1970-01-01, by eras of 400 years starting on 1 March (H. Hinnant's
// algorithms).
//
// Given:     year, month (1 to 12), day (1 to the month's days)
// Returned:  the days from 1970-01-01 (negative before it)
// and the inverse, for any count whose year fits an int.
// ---------------------------------------------------------------------------
std::int64_t days_from_civil(std::int64_t year, int month, int day);
void civil_from_days(std::int64_t days, int &year, int &month, int &day);

} // namespace utc

#endif
