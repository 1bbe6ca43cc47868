// constants.h - the astronomical and numerical constants of the astronomy
// layer, with the values NOVAS 3.1 uses.  Internal to the astro library.
#ifndef KIT_ASTRO_CONSTANTS_H
#define KIT_ASTRO_CONSTANTS_H

#include "math_constants.h"

namespace astro {

// Epoch J2000.0, TDB Julian date.
inline constexpr double kJ2000 = 2451545.0;
// Days per Julian century.
inline constexpr double kJulianCentury = 36525.0;
// Seconds per day.
inline constexpr double kSecondsPerDay = 86400.0;

using kit::kPi;
inline constexpr double kTwoPi = 6.283185307179586476925287;
// Radians per arcsecond, radians per degree, degrees per radian.
inline constexpr double kArcsecToRad = 4.848136811095359935899141e-6;
inline constexpr double kDegToRad = 0.017453292519943296;
inline constexpr double kRadToDeg = 57.295779513082321;
// Arcseconds in a full turn.
inline constexpr double kTurnArcsec = 1296000.0;

// Astronomical unit, km.
inline constexpr double kAuKm = 1.4959787069098932e8;
// Speed of light, AU/day: the AU's light time is 499.0047838061 s.
inline constexpr double kLightAuDay = 86400.0 / 499.0047838061;
// Earth's equatorial radius (km) and flattening (1/298.25642).
inline constexpr double kEarthRadiusKm = 6378.1366;
inline constexpr double kEarthFlattening = 0.003352819697896;
// Earth's rotation rate, rad/s.
inline constexpr double kEarthRotationRate = 7.2921150e-5;
// Sun/Earth mass ratio.
inline constexpr double kSunEarthMassRatio = 332946.050895;

} // namespace astro

#endif
