// precession_nutation.h - the orientation of the Earth's equator and
// equinox at a date: obliquities, the equation of the equinoxes and the
// nutation and precession matrices, and the change of axes between the true
// equator and equinox of date and the GCRS.  Internal to the astro library.
#ifndef KIT_ASTRO_PRECESSION_NUTATION_H
#define KIT_ASTRO_PRECESSION_NUTATION_H

#include "nutation.h"
#include "vector.h"

namespace astro {

// Everything about the Earth's orientation that depends only on the TDB
// date, in the units NOVAS 3.1 carries.
struct DateModels {
  double jd_tdb;
  double t;        // Julian centuries of TDB from J2000
  double dpsi;     // nutation in longitude, arcseconds
  double deps;     // nutation in obliquity, arcseconds
  double eps_mean; // mean obliquity, degrees
  double eps_true; // true obliquity, degrees
  double ee;       // equation of the equinoxes, seconds of time
  Mat3 nutation;   // N: mean equator and equinox of date -> true
  Mat3 precession; // P: mean J2000 -> mean equator and equinox of date
};

// The models at a TDB Julian date, with the series evaluated there.
DateModels date_models(double jd_tdb);

// The same with the series values given (for the date's
// days_tdb = t * 36525, t = (jd_tdb - J2000) / 36525).
DateModels date_models(double jd_tdb, const NutationSeries &series);

// The date's days from J2000 at which the series are evaluated: the days
// recovered from the centuries, not taken from jd_tdb directly.
double series_days(double jd_tdb);

// True equator and equinox of date -> GCRS: B . P^T . N^T . v.
Vec3 gcrs_from_true(const DateModels &m, const Vec3 &v);

// GCRS -> true equator and equinox of date: N . P . B^T . v.
Vec3 true_from_gcrs(const DateModels &m, const Vec3 &v);

} // namespace astro

#endif
