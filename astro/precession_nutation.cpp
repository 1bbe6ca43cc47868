// precession_nutation.cpp - the Earth's orientation at a date and the
// change of axes between the true equator and equinox of date and the GCRS.
#include "precession_nutation.h"

#include <cmath>

#include "constants.h"
#include "frame_bias.h"
#include "precession.h"

namespace astro {

/*
**  series_days: the date at which the nutation series are evaluated.
**
**  Given:
**     jd_tdb   double   TDB Julian date
**
**  Returned (function value):
**              double   days from J2000: (jd_tdb - J2000) / 36525 * 36525,
**                       the days recovered from the centuries as NOVAS 3.1
**                       passes them (equal to jd_tdb - J2000 up to rounding)
*/
double series_days(double jd_tdb) {
  return ((jd_tdb - kJ2000) / kJulianCentury) * kJulianCentury;
}

/*
**  date_models: the models at a date, the series evaluated there.
**
**  Given:
**     jd_tdb   double   TDB Julian date
**
**  Returned (function value):
**              DateModels   as date_models(jd_tdb, series) with the series
**                           of nutation_series(series_days(jd_tdb))
*/
DateModels date_models(double jd_tdb) {
  return date_models(jd_tdb, nutation_series(series_days(jd_tdb)));
}

/*
**  date_models: nutation, obliquities, equation of the equinoxes and the
**  nutation and precession matrices at a date.
**
**  Given:
**     jd_tdb   double           TDB Julian date
**     series   NutationSeries   the nutation and the complementary terms
**                               at that date, radians
**
**  Returned (function value):
**              DateModels       see precession_nutation.h
**
**  Notes:
**  1) The angles travel in NOVAS 3.1's units, and the conversions are
**     made in its order: nutation in arcseconds; obliquities in arcseconds,
**     then degrees; the equation of the equinoxes
**     ee = (dpsi cos(eps_mean) + complementary terms) / 15 in seconds of
**     time.  The order of the conversions shows at the 1e-16 level.
**  2) N = R1(-eps_true) . R3(-dpsi) . R1(eps_mean).  No celestial-pole
**     offsets are applied.
**
**  Reference:
**     Kaplan, G. 2005, USNO Circular 179, sections 5.4 and 5.6.
*/
DateModels date_models(double jd_tdb, const NutationSeries &series) {
  DateModels m;
  m.jd_tdb = jd_tdb;
  m.t = (jd_tdb - kJ2000) / kJulianCentury;
  m.dpsi = series.dpsi / kArcsecToRad;
  m.deps = series.deps / kArcsecToRad;
  const double c_terms = series.c_terms / kArcsecToRad;

  const double eps_a = mean_obliquity(m.t);
  m.eps_mean = eps_a / 3600.0;
  m.eps_true = (eps_a + m.deps) / 3600.0;
  m.ee = (m.dpsi * std::cos(m.eps_mean * kDegToRad) + c_terms) / 15.0;

  m.nutation = identity();
  rotate_x(m.eps_mean * kDegToRad, m.nutation);
  rotate_z(-m.dpsi * kArcsecToRad, m.nutation);
  rotate_x(-m.eps_true * kDegToRad, m.nutation);

  m.precession = precession_matrix(m.t);
  return m;
}

/*
**  gcrs_from_true, true_from_gcrs: between the true equator and equinox of
**  date and the GCRS.
**
**  Given:
**     m   DateModels   the models of the date
**     v   Vec3         a vector on the axes to change from
**
**  Returned (function value):
**         Vec3         gcrs_from_true: B . P^T . N^T . v (inverse nutation,
**                      inverse precession, inverse frame bias, applied one
**                      after another); true_from_gcrs: N . P . B^T . v
*/
Vec3 gcrs_from_true(const DateModels &m, const Vec3 &v) {
  const Vec3 mean_of_date = apply_transposed(m.nutation, v);
  const Vec3 mean_j2000 = apply_transposed(m.precession, mean_of_date);
  return apply(kFrameBias, mean_j2000);
}

Vec3 true_from_gcrs(const DateModels &m, const Vec3 &v) {
  const Vec3 dynamical = apply_transposed(kFrameBias, v);
  const Vec3 mean_of_date = apply(m.precession, dynamical);
  return apply(m.nutation, mean_of_date);
}

} // namespace astro
