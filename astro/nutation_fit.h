// nutation_fit.h - the nutation series and the complementary terms as
// piecewise Chebyshev polynomials over a fixed grid of TDB dates, for a
// stream of nearby dates.  Internal to the kit's own rotation of the
// extension.
#ifndef KIT_ASTRO_NUTATION_FIT_H
#define KIT_ASTRO_NUTATION_FIT_H

#include "novas_kit.h"
#include "nutation.h"

namespace astro {

// Intervals of kFitSpan days starting at J2000 + k * kFitSpan, each fitted
// at kFitNodes Chebyshev nodes.
inline constexpr double kFitSpan = 0.5;
inline constexpr int kFitNodes = TER2CEL_FIT_NODES;

// The series at days_tdb = TDB Julian date - J2000, from the fit of the
// interval holding it.  The stream keeps the coefficients of the last
// interval used and refits only when days_tdb lies in another: the value
// depends on days_tdb alone.
NutationSeries fitted_series(ter2cel_stream &stream, double days_tdb);

} // namespace astro

#endif
