// rotation.h - terrestrial-to-celestial rotation of fixed vectors for a long
// stream of nearby dates, the fast path of the orbit report.
#ifndef KIT_ASTRO_ROTATION_H
#define KIT_ASTRO_ROTATION_H

#include "frames.h"

namespace astro {

// The nutation series and complementary terms as piecewise Chebyshev
// polynomials over a fixed grid of TDB dates (intervals of kSpan days that
// start at J2000 + k * kSpan).  Within an interval the polynomial is fitted to
// the series at kNodes Chebyshev nodes; it stays within about 1e-11
// arcsecond of the series, which is the rounding noise of the series' own
// fundamental arguments.
//
// A value depends only on the date, never on the dates asked before: the
// object merely keeps the coefficients of the last interval used, so that a
// stream of dates inside one interval costs kNodes series evaluations in all
// instead of one each.
class NutationFit {
public:
  static constexpr double kSpan = 0.5; // days
  static constexpr int kNodes = 8;

  // The series terms at days_tdb = TDB Julian date - J2000.
  NutationTerms at(double days_tdb);

private:
  void fit(double interval);

  double interval_ = -1e300; // start index of the fitted interval
  double coef_[3][kNodes] = {};
};

// Rotates vectors given on terrestrial (ITRS) axes to GCRS axes at a UT1
// Julian date: the result of ter2cel with method 1 (equinox based), option 0
// and zero polar motion, with the series terms taken from a NutationFit.
class CelestialRotation {
public:
  // Given the UT1 Julian date, delta_t = TT - UT1 in seconds and n vectors
  // in[]; writes their rotated images to out[].
  void rotate(double jd_ut1, double delta_t, int n, const Vec3 in[], Vec3 out[]);

private:
  NutationFit fit_;
};

} // namespace astro

#endif
