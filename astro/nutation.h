// nutation.h - the series of the Earth's orientation that cost the most to
// evaluate: IAU 2000A nutation and the complementary terms of the equation
// of the equinoxes.  Internal to the astro library.
#ifndef KIT_ASTRO_NUTATION_H
#define KIT_ASTRO_NUTATION_H

namespace astro {

// What the series give at one date, radians.
struct NutationSeries {
  double dpsi;    // nutation in longitude
  double deps;    // nutation in obliquity
  double c_terms; // complementary terms of the equation of the equinoxes
};

// Evaluates both series at days_tdb = TDB Julian date - J2000.
NutationSeries nutation_series(double days_tdb);

// IAU 2000A nutation alone, at t Julian centuries of TDB from J2000:
// nutation in longitude and in obliquity, radians.
void iau2000a_nutation(double t, double *dpsi, double *deps);

// One term of the luni-solar series: the multipliers of the Delaunay
// arguments l, l', F, D and Omega, then the amplitudes (0.1 microarcsecond,
// the t terms per Julian century) of the longitude's sine, t sine and
// cosine and of the obliquity's cosine, t cosine and sine.
struct LuniSolarTerm {
  signed char l, lp, f, d, om;
  double sp, spt, cp, ce, cet, se;
};

// One term of the planetary series: the multipliers of l, F, D, Omega, of
// the mean longitudes of Mercury, Venus, the Earth, Mars, Jupiter, Saturn,
// Uranus and Neptune and of the general precession in longitude, then the
// amplitudes (0.1 microarcsecond) of the longitude's sine and cosine and
// of the obliquity's sine and cosine.
struct PlanetaryTerm {
  signed char l, f, d, om, me, ve, ea, ma, ju, sa, ur, ne, pa;
  short sp, cp, se, ce;
};

inline constexpr int kLuniSolarTermCount = 678;
inline constexpr int kPlanetaryTermCount = 687;
extern const LuniSolarTerm kLuniSolarTerms[kLuniSolarTermCount];
extern const PlanetaryTerm kPlanetaryTerms[kPlanetaryTermCount];

} // namespace astro

#endif
