// time_scales.h - TDB from TT and from UT1, as NOVAS 3.1 forms it.
// Internal to the astro library.
#ifndef KIT_ASTRO_TIME_SCALES_H
#define KIT_ASTRO_TIME_SCALES_H

namespace astro {

// TDB - TT in seconds at t_tt Julian centuries of TT from J2000.
double tdb_minus_tt(double t_tt);

// TDB Julian date of a TT Julian date.
double tdb_from_tt(double jd_tt);

// TDB Julian date of a UT1 Julian date given in two parts, with
// delta_t = TT - UT1 in seconds.
double tdb_from_ut1(double jd_ut1_high, double jd_ut1_low, double delta_t);

} // namespace astro

#endif
