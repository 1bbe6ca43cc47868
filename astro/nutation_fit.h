// nutation_fit.h - the nutation series and the complementary terms as
// piecewise Chebyshev polynomials over a fixed grid of TDB dates, for a
// stream of nearby dates.  Internal to the kit's own rotation of the
// extension.
#ifndef KIT_ASTRO_NUTATION_FIT_H
#define KIT_ASTRO_NUTATION_FIT_H

#include "novas_kit.h"
#include "nutation.h"

namespace astro {

// Intervals of a stream's span (kFitSpan days for the Earth's rotation)
// starting at J2000 + k * span, each fitted at kFitNodes Chebyshev nodes.
inline constexpr double kFitSpan = 0.5;
inline constexpr int kFitNodes = TER2CEL_FIT_NODES;

// The TDB Julian dates the fit serves: 1000-01-01 to 3000-01-01 (Gregorian
// calendar).  Over this span the fit moves a station position by at most
// 9.9e-12 km and a unit vector by 1.6e-15 (400,000 dates, bench/fitreach),
// a tenth of the margins of the orbit report's guard; farther from J2000
// its effect grows (6.0e-11 km at the year -32768) and the series is
// evaluated itself.
inline constexpr double kFitFirst = 2086302.5;
inline constexpr double kFitLast = 2816787.5;

// The series at days_tdb = TDB Julian date - J2000: from the fit of the
// interval holding it within the span above, the series itself outside
// it.  The stream keeps the coefficients of the last interval used and
// refits only when days_tdb lies in another: the value depends on
// days_tdb alone.
NutationSeries fitted_series(ter2cel_stream &stream, double days_tdb);

// The fit of the interval holding days_tdb, at any date (the span above
// was chosen by measuring it: bench/fitreach).
NutationSeries chebyshev_series(ter2cel_stream &stream, double days_tdb);

} // namespace astro

#endif
