// rotation.cpp - the Earth rotation of the orbit report, with the nutation
// series replaced by its Chebyshev fit.
#include "rotation.h"

#include <cmath>

namespace astro {

namespace {
constexpr double kPi = 3.141592653589793238462643;
}

void NutationFit::fit(double interval) {
  interval_ = interval;
  double values[3][kNodes];
  for (int j = 0; j < kNodes; ++j) {
    const double x = std::cos(kPi * (j + 0.5) / kNodes);
    const NutationTerms n = nutation_terms((interval + 0.5 * (x + 1.0)) * kSpan);
    values[0][j] = n.dpsi;
    values[1][j] = n.deps;
    values[2][j] = n.c_terms;
  }
  for (int q = 0; q < 3; ++q) {
    for (int i = 0; i < kNodes; ++i) {
      double sum = 0.0;
      for (int j = 0; j < kNodes; ++j)
        sum += values[q][j] * std::cos(kPi * i * (j + 0.5) / kNodes);
      coef_[q][i] = sum * 2.0 / kNodes;
    }
  }
}

NutationTerms NutationFit::at(double days_tdb) {
  const double interval = std::floor(days_tdb / kSpan);
  if (interval != interval_)
    fit(interval);
  // Clenshaw's recurrence at x in [-1, 1] across the interval.
  const double x = 2.0 * (days_tdb / kSpan - interval) - 1.0;
  double out[3];
  for (int q = 0; q < 3; ++q) {
    double b0 = 0.0, b1 = 0.0, b2 = 0.0;
    for (int i = kNodes - 1; i >= 1; --i) {
      b2 = b1;
      b1 = b0;
      b0 = 2.0 * x * b1 - b2 + coef_[q][i];
    }
    out[q] = x * b0 - b1 + 0.5 * coef_[q][0];
  }
  return {out[0], out[1], out[2]};
}

void CelestialRotation::rotate(double jd_ut1, double delta_t, int n,
                               const Vec3 in[], Vec3 out[]) {
  // The same steps as ter2cel, once for all the vectors of the date.
  const double jd_tdb = tdb_from_ut1(jd_ut1, 0.0, delta_t);
  const double t = (jd_tdb - kJ2000) / 36525.0;
  const DateModels m = date_models(jd_tdb, fit_.at(t * 36525.0));
  const double gast = sidereal_time(jd_ut1, 0.0, m);
  for (int i = 0; i < n; ++i)
    out[i] = gcrs_from_true(m, spin(gast, in[i]));
}

} // namespace astro
