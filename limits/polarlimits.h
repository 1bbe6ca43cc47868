// polarlimits.h - the equatorial-mount antenna's conversion from horizon to
// equatorial coordinates and its limit rule, as used by polarlimits.  Both
// are defined in polarlimits.cpp; tests and fuzz targets reach them through
// the polarlimits_functions target (the source built without its main).
#ifndef KIT_LIMITS_POLARLIMITS_H
#define KIT_LIMITS_POLARLIMITS_H

#include "pointing.h"

namespace limits {

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

} // namespace limits

#endif
