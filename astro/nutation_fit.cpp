// nutation_fit.cpp - the Chebyshev fit of the nutation series over a
// stream of dates.
#include "nutation_fit.h"

#include <cmath>

#include "constants.h"

namespace astro {

namespace {

/*
**  fit: the Chebyshev coefficients of one interval.
**
**  Given:
**     k   double   the interval's index: it spans TDB days k * span
**                  to (k + 1) * span from J2000, span the stream's
**
**  Returned:
**     s   ter2cel_stream&   the coefficients of the degree-7 polynomials
**                           interpolating dpsi, deps and the complementary
**                           terms at the 8 zeros of T_8 on the interval,
**                           and the interval's index
*/
void fit(ter2cel_stream &s, double k) {
  double values[3][kFitNodes];
  for (int j = 0; j < kFitNodes; ++j) {
    const double x = std::cos(kPi * (j + 0.5) / kFitNodes);
    const NutationSeries n = nutation_series((k + 0.5 * (x + 1.0)) * s.span);
    values[0][j] = n.dpsi;
    values[1][j] = n.deps;
    values[2][j] = n.c_terms;
  }
  for (int q = 0; q < 3; ++q) {
    for (int i = 0; i < kFitNodes; ++i) {
      double sum = 0.0;
      for (int j = 0; j < kFitNodes; ++j)
        sum += values[q][j] * std::cos(kPi * i * (j + 0.5) / kFitNodes);
      s.coef[q][i] = sum * 2.0 / kFitNodes;
    }
  }
  s.interval = k;
}

} // namespace

/*
**  chebyshev_series: the nutation series from its piecewise Chebyshev fit.
**
**  Given:
**     stream     ter2cel_stream&  the coefficients of the last interval
**                                 used (refitted when needed)
**     days_tdb   double           TDB Julian date - J2000
**
**  Returned (function value):
**                NutationSeries   nutation in longitude and obliquity and
**                                 the complementary terms, radians
**
**  Notes:
**  1) An interval of the stream's span (half a day for ter2cel_batch)
**     holds days_tdb / span rounded down; within
**     it the polynomial of degree 7 interpolating the series at the 8
**     Chebyshev nodes is evaluated by Clenshaw's recurrence.  It follows
**     the series within about 1e-11 arcsecond, which is the rounding noise
**     of the series' own fundamental arguments.
**  2) The value depends on days_tdb alone: the coefficients only save the
**     work of refitting an interval already fitted.
*/
NutationSeries chebyshev_series(ter2cel_stream &stream, double days_tdb) {
  const double k = std::floor(days_tdb / stream.span);
  if (k != stream.interval)
    fit(stream, k);
  const double x = 2.0 * (days_tdb / stream.span - k) - 1.0;
  double out[3];
  for (int q = 0; q < 3; ++q) {
    double b0 = 0.0, b1 = 0.0, b2 = 0.0;
    for (int i = kFitNodes - 1; i >= 1; --i) {
      b2 = b1;
      b1 = b0;
      b0 = 2.0 * x * b1 - b2 + stream.coef[q][i];
    }
    out[q] = x * b0 - b1 + 0.5 * stream.coef[q][0];
  }
  return {out[0], out[1], out[2]};
}

/*
**  fitted_series: the nutation series of a stream's date.
**
**  Given:
**     stream     ter2cel_stream&  as for chebyshev_series
**     days_tdb   double           TDB Julian date - J2000
**
**  Returned (function value):
**                NutationSeries   chebyshev_series within the fitted span
**                                 (kFitFirst to kFitLast, both included);
**                                 the series itself outside it, the stream
**                                 left as it was
*/
NutationSeries fitted_series(ter2cel_stream &stream, double days_tdb) {
  if (!(days_tdb >= kFitFirst - kJ2000 && days_tdb <= kFitLast - kJ2000))
    return nutation_series(days_tdb);
  return chebyshev_series(stream, days_tdb);
}

} // namespace astro
