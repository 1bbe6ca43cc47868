// time_scales.cpp - TDB from TT and from UT1, and tdb2tt of the NOVAS 3.1
// interface (TT from TDB).
#include "time_scales.h"

#include <cmath>

#include "constants.h"
#include "novas.h"

namespace astro {

/*
**  tdb_minus_tt: the periodic difference TDB - TT.
**
**  Given:
**     t_tt   double   Julian centuries of TT from J2000
**
**  Returned (function value):
**            double   TDB - TT, seconds
**
**  Notes:
**  1) The six largest periodic terms and the largest mixed term of the
**     Fairhead & Bretagnon series, summed in that order; accurate to about
**     10 microseconds over 1600-2200.
**  2) The series wants TDB as its argument; it is given TT, as NOVAS 3.1
**     gives it.  The difference is far below the series' own accuracy, but
**     it shows in the last bits of every later quantity.
**
**  Reference:
**     Fairhead, L. & Bretagnon, P. 1990, Astron. Astrophys. 229, 240.
*/
double tdb_minus_tt(double t_tt) {
  return 0.001657 * std::sin(628.3076 * t_tt + 6.2401) +
         0.000022 * std::sin(575.3385 * t_tt + 4.2970) +
         0.000014 * std::sin(1256.6152 * t_tt + 6.1969) +
         0.000005 * std::sin(606.9777 * t_tt + 4.0212) +
         0.000005 * std::sin(52.9691 * t_tt + 0.4444) +
         0.000002 * std::sin(21.3299 * t_tt + 5.5431) +
         0.000010 * t_tt * std::sin(628.3076 * t_tt + 4.2490);
}

/*
**  tdb_from_tt: TDB Julian date of a TT Julian date.
**
**  Given:
**     jd_tt   double   TT Julian date
**
**  Returned (function value):
**             double   TDB Julian date: jd_tt + (TDB - TT) / 86400
*/
double tdb_from_tt(double jd_tt) {
  const double t_tt = (jd_tt - kJ2000) / kJulianCentury;
  return jd_tt + tdb_minus_tt(t_tt) / kSecondsPerDay;
}

/*
**  tdb_from_ut1: TDB Julian date of a UT1 Julian date.
**
**  Given:
**     jd_ut1_high, jd_ut1_low   double   UT1 Julian date in two parts
**     delta_t                   double   TT - UT1, seconds
**
**  Returned (function value):
**                               double   TDB Julian date
**
**  Notes:
**  1) The two parts are added first: TT = (high + low) + delta_t / 86400.
*/
double tdb_from_ut1(double jd_ut1_high, double jd_ut1_low, double delta_t) {
  return tdb_from_tt((jd_ut1_high + jd_ut1_low) + delta_t / kSecondsPerDay);
}

} // namespace astro

extern "C" {

/*
**  tdb2tt: TT Julian date of a TDB Julian date, and TDB - TT.
**
**  Given:
**     tdb_jd    double   TDB Julian date
**
**  Returned:
**     tt_jd     double   TT Julian date: tdb_jd - secdiff / 86400
**     secdiff   double   TDB - TT, seconds
**
**  Notes:
**  1) The series of tdb_minus_tt, fed the Julian centuries of TDB from
**     J2000 ((tdb_jd - 2451545) / 36525), as NOVAS 3.1 feeds it.
*/
void tdb2tt(double tdb_jd, double *tt_jd, double *secdiff) {
  const double t = (tdb_jd - astro::kJ2000) / astro::kJulianCentury;
  const double d = astro::tdb_minus_tt(t);
  *secdiff = d;
  *tt_jd = tdb_jd - d / astro::kSecondsPerDay;
}

} // extern "C"
