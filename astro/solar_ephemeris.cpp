// solar_ephemeris.cpp - the Sun's geocentric series and the Earth's
// heliocentric state derived from it.
#include "solar_ephemeris.h"

#include <cmath>

#include "constants.h"
#include "precession.h"

namespace astro {

namespace {

// Half-width of the central difference for the Earth's velocity, days.
constexpr double kVelocityStep = 0.1;

// One term of the solar series: longitude amplitude (1e-7 rad), distance
// amplitude (1e-7 AU), phase (rad), frequency (rad per 10,000 Julian years).
struct SolarTerm {
  double l, r, alpha, nu;
};

constexpr SolarTerm kSolarTerms[50] = {
    {403406.0, 0.0, 4.721964, 1.621043},
    {195207.0, -97597.0, 5.937458, 62830.348067},
    {119433.0, -59715.0, 1.115589, 62830.821524},
    {112392.0, -56188.0, 5.781616, 62829.634302},
    {3891.0, -1556.0, 5.5474, 125660.5691},
    {2819.0, -1126.0, 1.5120, 125660.9845},
    {1721.0, -861.0, 4.1897, 62832.4766},
    {0.0, 941.0, 1.163, 0.813},
    {660.0, -264.0, 5.415, 125659.310},
    {350.0, -163.0, 4.315, 57533.850},
    {334.0, 0.0, 4.553, -33.931},
    {314.0, 309.0, 5.198, 777137.715},
    {268.0, -158.0, 5.989, 78604.191},
    {242.0, 0.0, 2.911, 5.412},
    {234.0, -54.0, 1.423, 39302.098},
    {158.0, 0.0, 0.061, -34.861},
    {132.0, -93.0, 2.317, 115067.698},
    {129.0, -20.0, 3.193, 15774.337},
    {114.0, 0.0, 2.828, 5296.670},
    {99.0, -47.0, 0.52, 58849.27},
    {93.0, 0.0, 4.65, 5296.11},
    {86.0, 0.0, 4.35, -3980.70},
    {78.0, -33.0, 2.75, 52237.69},
    {72.0, -32.0, 4.50, 55076.47},
    {68.0, 0.0, 3.23, 261.08},
    {64.0, -10.0, 1.22, 15773.85},
    {46.0, -16.0, 0.14, 188491.03},
    {38.0, 0.0, 3.44, -7756.55},
    {37.0, 0.0, 4.37, 264.89},
    {32.0, -24.0, 1.14, 117906.27},
    {29.0, -13.0, 2.84, 55075.75},
    {28.0, 0.0, 5.96, -7961.39},
    {27.0, -9.0, 5.09, 188489.81},
    {27.0, 0.0, 1.72, 2132.19},
    {25.0, -17.0, 2.56, 109771.03},
    {24.0, -11.0, 1.92, 54868.56},
    {21.0, 0.0, 0.09, 25443.93},
    {21.0, 31.0, 5.98, -55731.43},
    {20.0, -10.0, 4.03, 60697.74},
    {18.0, 0.0, 4.27, 2132.79},
    {17.0, -12.0, 0.79, 109771.63},
    {14.0, 0.0, 4.24, -7752.82},
    {13.0, -5.0, 2.01, 188491.91},
    {13.0, 0.0, 2.65, 207.81},
    {13.0, 0.0, 4.98, 29424.63},
    {12.0, 0.0, 0.93, -7.99},
    {10.0, 0.0, 2.21, 46941.14},
    {10.0, 0.0, 3.59, -68.29},
    {10.0, 0.0, 1.50, 21463.25},
    {10.0, -9.0, 2.55, 157208.40},
};

/*
**  earth_sample: the heliocentric Earth at one sample date.
**
**  Given:
**     jd_tdb   double   TDB Julian date
**
**  Returned (function value):
**              Vec3     the negated solar series, referred from the mean
**                       equator and equinox of that date to J2000, AU
*/
Vec3 earth_sample(double jd_tdb) {
  const Mat3 p = precession_matrix((jd_tdb - kJ2000) / kJulianCentury);
  return scaled(apply_transposed(p, sun_mean_of_date(jd_tdb)), -1.0);
}

} // namespace

/*
**  sun_mean_of_date: the geocentric Sun, mean equator and equinox of date.
**
**  Given:
**     jd_tdb   double   TDB Julian date
**
**  Returned (function value):
**              Vec3     the Sun's geocentric position, AU
**
**  Notes:
**  1) A 50-term series in longitude and distance (latitude zero), the
**     terms summed in table order, with the linear longitude correction
**     fitted to DE405 over 1900-2100 (-0.1371679461 - 0.2918293271 T
**     arcseconds, T in Julian centuries) applied before the longitude is
**     reduced to [0, 2 pi); the obliquity is the IAU 2006 mean obliquity
**     truncated after T^3.
**  2) No range check: kEphemerisFirst and kEphemerisLast bound the dates
**     the series is meant for.
**
**  Reference:
**     Bretagnon, P. & Simon, J.-L. 1986, Planetary Programs and Tables
**     from -4000 to +2800, Willmann-Bell.
*/
Vec3 sun_mean_of_date(double jd_tdb) {
  const double u = (jd_tdb - kJ2000) / 3652500.0;
  const double t = 100.0 * u;

  double sum_lon = 0.0, sum_dis = 0.0;
  for (const SolarTerm &term : kSolarTerms) {
    const double arg = term.alpha + term.nu * u;
    sum_lon += term.l * std::sin(arg);
    sum_dis += term.r * std::cos(arg);
  }

  double lon = 4.9353929 + 62833.1961680 * u + 1.0e-7 * sum_lon;
  lon = lon + (-0.1371679461 - 0.2918293271 * t) * kArcsecToRad;
  lon = std::fmod(lon, kTwoPi);
  if (lon < 0.0)
    lon += kTwoPi;
  const double dis = 1.0001026 + 1.0e-7 * sum_dis;

  const double eps =
      (84381.406 + (-46.836769 + (-0.0001831 + 0.00200340 * t) * t) * t) *
      kArcsecToRad;
  const double sinlon = std::sin(lon);
  return {dis * std::cos(lon), dis * (std::cos(eps) * sinlon),
          dis * (std::sin(eps) * sinlon)};
}

/*
**  earth_heliocentric: the Earth's heliocentric state from the solar series.
**
**  Given:
**     jd_tdb   double      TDB Julian date
**
**  Returned (function value):
**              EarthState  position (AU) and velocity (AU/day) on mean
**                          J2000 axes, with no frame bias (NOVAS applies
**                          none: they serve as GCRS)
**
**  Notes:
**  1) At t - 0.1, t and t + 0.1 day the series is negated and referred to
**     J2000 with the IAU 2006 precession of that sample date (not of t);
**     the velocity is the central difference of the outer samples.
*/
EarthState earth_heliocentric(double jd_tdb) {
  const Vec3 before = earth_sample(jd_tdb - kVelocityStep);
  const Vec3 now = earth_sample(jd_tdb);
  const Vec3 after = earth_sample(jd_tdb + kVelocityStep);
  return {now, scaled(difference(after, before), 1.0 / (2.0 * kVelocityStep))};
}

} // namespace astro
