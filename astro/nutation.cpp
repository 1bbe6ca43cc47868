// nutation.cpp - IAU 2000A nutation and the complementary terms of the
// equation of the equinoxes, evaluated as NOVAS 3.1 evaluates them.
#include "nutation.h"

#include <cmath>

#include <erfa.h>

#include "constants.h"

namespace astro {

/*
**  iau2000a_nutation: IAU 2000A nutation in longitude and obliquity.
**
**  Given:
**     t      double    Julian centuries of TDB from J2000
**
**  Returned:
**     dpsi   double*   nutation in longitude, radians
**     deps   double*   nutation in obliquity, radians
**
**  Notes:
**  1) The MHB2000 model without the IAU 2006 adjustments: 678 luni-solar
**     and 687 planetary terms (nutation_table.cpp).  Each series is summed
**     from its last term to its first and scaled by 1e-7 times the
**     arcsecond-to-radian factor; the result is the planetary part plus
**     the luni-solar part.
**  2) The fundamental arguments are those of the model: the mean anomaly
**     of the Sun and the mean elongation of the Moon in the luni-solar
**     series by the MHB2000 polynomials (constant terms 1287104.79305 and
**     1072260.70369 arcseconds), the other luni-solar arguments and the
**     planetary longitudes by the IERS 2003 expressions, l, F, D, Omega
**     and Neptune's longitude of the planetary series by MHB2000's linear
**     ones.  Uranus's mean longitude is 5.481293871 + 7.4781598567 t rad,
**     the constant NOVAS 3.1 carries (IERS 2003 gives 5.481293872); with
**     it the series agrees with NOVAS's to the last bit.
**  3) Each argument sum is reduced modulo 2 pi before its sine and cosine
**     are taken.
**
**  Reference:
**     Mathews, P.M., Herring, T.A. & Buffett, B.A. 2002, J. Geophys. Res.
**     107, B4; McCarthy, D.D. & Petit, G. (eds.) 2004, IERS Conventions
**     (2003), IERS Technical Note 32.
*/
void iau2000a_nutation(double t, double *dpsi, double *deps) {
  const double factor = 1.0e-7 * kArcsecToRad;

  // Luni-solar series.
  const double el = eraFal03(t);
  const double elp =
      std::fmod(1287104.79305 +
                    t * (129596581.0481 +
                         t * (-0.5532 + t * (0.000136 + t * (-0.00001149)))),
                kTurnArcsec) *
      kArcsecToRad;
  const double f = eraFaf03(t);
  const double d =
      std::fmod(1072260.70369 +
                    t * (1602961601.2090 +
                         t * (-6.3706 + t * (0.006593 + t * (-0.00003169)))),
                kTurnArcsec) *
      kArcsecToRad;
  const double om = eraFaom03(t);

  double dp = 0.0, de = 0.0;
  for (int i = kLuniSolarTermCount - 1; i >= 0; --i) {
    const LuniSolarTerm &k = kLuniSolarTerms[i];
    const double arg = std::fmod(static_cast<double>(k.l) * el +
                                     static_cast<double>(k.lp) * elp +
                                     static_cast<double>(k.f) * f +
                                     static_cast<double>(k.d) * d +
                                     static_cast<double>(k.om) * om,
                                 kTwoPi);
    const double s = std::sin(arg);
    const double c = std::cos(arg);
    dp += (k.sp + k.spt * t) * s + k.cp * c;
    de += (k.ce + k.cet * t) * c + k.se * s;
  }
  const double dpsi_luni_solar = dp * factor;
  const double deps_luni_solar = de * factor;

  // Planetary series.
  const double al = std::fmod(2.35555598 + 8328.6914269554 * t, kTwoPi);
  const double af = std::fmod(1.627905234 + 8433.466158131 * t, kTwoPi);
  const double ad = std::fmod(5.198466741 + 7771.3771468121 * t, kTwoPi);
  const double aom = std::fmod(2.18243920 - 33.757045 * t, kTwoPi);
  const double apa = eraFapa03(t);
  const double alme = eraFame03(t);
  const double alve = eraFave03(t);
  const double alea = eraFae03(t);
  const double alma = eraFama03(t);
  const double alju = eraFaju03(t);
  const double alsa = eraFasa03(t);
  const double alur = std::fmod(5.481293871 + 7.4781598567 * t, kTwoPi);
  const double alne = std::fmod(5.321159000 + 3.8127774000 * t, kTwoPi);

  dp = 0.0;
  de = 0.0;
  for (int i = kPlanetaryTermCount - 1; i >= 0; --i) {
    const PlanetaryTerm &k = kPlanetaryTerms[i];
    const double arg = std::fmod(
        static_cast<double>(k.l) * al + static_cast<double>(k.f) * af +
            static_cast<double>(k.d) * ad + static_cast<double>(k.om) * aom +
            static_cast<double>(k.me) * alme + static_cast<double>(k.ve) * alve +
            static_cast<double>(k.ea) * alea + static_cast<double>(k.ma) * alma +
            static_cast<double>(k.ju) * alju + static_cast<double>(k.sa) * alsa +
            static_cast<double>(k.ur) * alur + static_cast<double>(k.ne) * alne +
            static_cast<double>(k.pa) * apa,
        kTwoPi);
    const double s = std::sin(arg);
    const double c = std::cos(arg);
    dp += static_cast<double>(k.sp) * s + static_cast<double>(k.cp) * c;
    de += static_cast<double>(k.se) * s + static_cast<double>(k.ce) * c;
  }
  const double dpsi_planetary = dp * factor;
  const double deps_planetary = de * factor;

  *dpsi = dpsi_planetary + dpsi_luni_solar;
  *deps = deps_planetary + deps_luni_solar;
}

/*
**  nutation_series: the costly series of the Earth's orientation at a date.
**
**  Given:
**     days_tdb   double   TDB Julian date - J2000
**
**  Returned (function value):
**                NutationSeries   IAU 2000A nutation in longitude and
**                                 obliquity, and the complementary terms of
**                                 the equation of the equinoxes (IERS 2003,
**                                 eraEect00), radians
**
**  Notes:
**  1) The nutation is evaluated at days_tdb / 36525 Julian centuries, the
**     complementary terms at the date split as J2000 + days_tdb.
*/
NutationSeries nutation_series(double days_tdb) {
  NutationSeries n;
  iau2000a_nutation(days_tdb / kJulianCentury, &n.dpsi, &n.deps);
  n.c_terms = eraEect00(kJ2000, days_tdb);
  return n;
}

} // namespace astro
