// limit_rules.h - the antennas' limit rules: whether each antenna can
// point at a pointing, as its checker (azellimits, elevlimits, polarlimits)
// answers, and the equatorial mount's conversion from horizon to
// equatorial coordinates (the limit_rules library, which the three checkers
// and the windows tools link).
#ifndef KIT_LIMITS_LIMIT_RULES_H
#define KIT_LIMITS_LIMIT_RULES_H

#include "pointing.h"

namespace limits {

// The alt-azimuth antenna: altitudes 8 to 82.5 degrees, azimuths 5 to 355
// (a 10-degree band around north out of reach), bounds included; false for
// any NaN.
bool azel_accepts(const Pointing &p);

// The elevation-limited antenna: altitudes 5 to 88.5 degrees at any
// azimuth, bounds included; false for a NaN altitude.
bool elev_accepts(const Pointing &p);

// The mount's latitude, 38.25081388888889 degrees north, through its stored
// sine and cosine (never computed at run time, so every build agrees bit
// for bit).
inline constexpr double kMountSinLatitude = 0.6191051047064607;
inline constexpr double kMountCosLatitude = 0.7853081365466693;

// A pointing as the equatorial mount sees it.
struct MountPlace {
  double altitude_deg;    // the altitude, converted to radians and back
  double hour_angle_h;    // hours, -12..+12, negative east of the meridian
  double declination_deg; // degrees, positive north
};

// ---------------------------------------------------------------------------
// polar_mount_place: horizon to equatorial coordinates at the mount.
//
// Given:
//   p   const Pointing &   altitude and azimuth in degrees (azimuth from
//                          north through east)
//
// Returned (function value):
//   MountPlace   the altitude after the round trip through radians, the hour
//                angle and the declination at latitude 38.25081388888889 N
//
// Notes:
//   1) With h the altitude and A the azimuth counted from south towards west:
//        sin dec = sin phi sin h - cos phi cos h cos A
//        tan H   = sin A / (sin phi cos A + cos phi tan h)
//      H from the two-argument arc tangent, dec from the arc sine of the
//      unclamped argument.
//   2) sin phi and cos phi are stored constants, pi is 3.141592653589793, and
//      every product and quotient is taken in a fixed order: the limits are
//      tested on these exact doubles, and at the bounds the last bit shows
//      (an altitude of exactly 11 comes back as 10.999999999999998).
//
// Reference:
//   Smart, W.M., Textbook on Spherical Astronomy, 6th ed., Cambridge
//   University Press, 1977, chapter II (the astronomical triangle).
// ---------------------------------------------------------------------------
MountPlace polar_mount_place(const Pointing &p);

// ---------------------------------------------------------------------------
// polar_mount_accepts: the mount's limit rule.
//
// Given:
//   m   const MountPlace &   from polar_mount_place
//
// Returned (function value):
//   bool   true when the altitude is at least 11 degrees, the hour angle
//          within -6.5..+6.5 h and the declination within -37..+77 degrees
//          (bounds included); false otherwise, including for any NaN
// ---------------------------------------------------------------------------
bool polar_mount_accepts(const MountPlace &m);

// The equatorial mount's rule on a pointing: polar_mount_accepts of
// polar_mount_place.
bool polar_accepts(const Pointing &p);

} // namespace limits

#endif
