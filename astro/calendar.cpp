// calendar.cpp - julian_date of the NOVAS 3.1 interface.
#include "novas.h"

extern "C" {

/*
**  julian_date: Julian date of a Gregorian calendar date and hour.
**
**  Given:
**     year    short   calendar year
**     month   short   month, 1-12 (other values run on, see Note 1)
**     day     short   day of the month (other values run on)
**     hour    double  hour of the day, on any time scale
**
**  Returned (function value):
**             double  Julian date on the time scale of the hour
**
**  Notes:
**  1) Nothing is validated and there is no failure result.  The day enters
**     linearly, so days past a month's end run on into the next month
**     (31 February 2018 is 3 March 2018); month 13 is January of the next
**     year and month 0 December of the year before.
**  2) The calendar is Gregorian for all dates.  The day number is formed in
**     long integers with every division truncating towards zero, then
**     JD = (day number - 0.5) + hour / 24.
**
**  Reference:
**     Fliegel, H. & Van Flandern, T. 1968, Communications of the ACM 11,
**     657.
*/
double julian_date(short int year, short int month, short int day, double hour) {
  const long y = year, mo = month, d = day;
  const long a = (mo - 14) / 12;
  const long jdn = d - 32075 + (1461 * (y + 4800 + a)) / 4 +
                   (367 * (mo - 2 - 12 * a)) / 12 -
                   (3 * ((y + 4900 + a) / 100)) / 4;
  return (static_cast<double>(jdn) - 0.5) + hour / 24.0;
}

} // extern "C"
