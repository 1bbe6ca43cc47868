// limit_terms.h - an antenna's limits as the constraints of a search over
// time: each limit a function of the pointing whose sign says inside or
// outside, with its rate and the name of the bound it sets (the
// limit_rules library).
#ifndef KIT_LIMITS_LIMIT_TERMS_H
#define KIT_LIMITS_LIMIT_TERMS_H

#include "pointing.h"

namespace limits {

// The antennas, named after their checkers.
enum class Antenna { azel = 0, elev = 1, polar = 2 };
inline constexpr int kAntennaCount = 3;
inline constexpr const char *kAntennaNames[kAntennaCount] = {"azel", "elev", "polar"};

// The bounds the limits set.
extern const char kAltitude[];    // "altitude"
extern const char kAzimuth[];     // "azimuth"
extern const char kHourAngle[];   // "hour-angle"
extern const char kDeclination[]; // "declination"

// How fast a pointing moves: its altitude and azimuth rates, degrees per
// second.
struct PointingRate {
  double altitude_deg_s;
  double azimuth_deg_s;
};

// One limit at a pointing: its margin (at or above zero: inside), the
// margin's rate (per second; its sign tells the margin's extrema, which a
// search brackets), and what it bounds.
struct LimitTerm {
  double value;
  double rate;
  const char *bound;
};

inline constexpr int kMaxTerms = 4;

// How many limits an antenna has: azel 3, elev 2, polar 4 (the order and
// meaning as antenna_terms gives them).
inline constexpr int kTermCounts[3] = {3, 2, 4};
inline int term_count(Antenna antenna) { return kTermCounts[static_cast<int>(antenna)]; }

// ---------------------------------------------------------------------------
// antenna_terms: an antenna's limits at a pointing.
//
// Given:   antenna; p  the pointing (degrees); r  its rates
// Returned:
//   terms           the limits' margins, rates and bounds:
//     azel   altitude - 8, 82.5 - altitude, cos(altitude) sin((the
//            azimuth's distance from north) - 5 degrees)
//     elev   altitude - 5, 88.5 - altitude
//     polar  on the mount's conversion (polar_mount_place): altitude - 11,
//            6.5 - |hour angle|, declination + 37, 77 - declination
//   function value  how many
// Notes:
//   1) Every margin is at or above zero exactly when its comparison in the
//      checker's rule passes (the same doubles compared: differences with
//      the bounds are exact near them), so the pointing is accepted
//      exactly when all are: a window of the terms is a window of the
//      checker.  A NaN margin is outside, as the checker refuses a NaN.
//   2) The margins are continuous through north (the azimuth's distance
//      from north, min(az, 360 - az)) and through the hour angle's turn at
//      +-12 h (|hour angle|), so that a crossing is bracketed by a change
//      of sign; their kinks (north and south, the meridian) are extrema
//      whose rates change sign there.  The azimuth's margin is weighted by
//      the altitude's cosine: it is then a function of the pointing's
//      direction that stays smooth through the zenith, where the azimuth
//      itself turns at any speed, and its extrema for a source fixed in the
//      sky lie hours apart.
//   3) The polar margins' rates come from the conversion's derivatives
//      with respect to the altitude and the azimuth.
// ---------------------------------------------------------------------------
int antenna_terms(Antenna antenna, const Pointing &p, const PointingRate &r,
                  LimitTerm (&terms)[kMaxTerms]);

} // namespace limits

#endif
