// oem_frame.h - the reference frames of an orbit ephemeris message's
// states, and their states turned to the GCRS axes of the kit's orbit
// records (the oem library).
#ifndef KIT_ORBIT_OEM_FRAME_H
#define KIT_ORBIT_OEM_FRAME_H

#include <string_view>

namespace oem {

// The frames read: the GCRS's own axes (GCRF, and ICRF, whose axes the
// GCRS shares); the dynamical mean equator and equinox of J2000 (EME2000,
// and J2000, which producers write for it); the terrestrial frame (ITRF
// and its realisations: ITRF-93, ITRF-97, ITRF2000, ITRF2014, ...).
enum class Frame { kGcrf, kEme2000, kItrf };

// The frame of a REF_FRAME value, in any case; false for any other (TOD,
// TEME, MOD, ...).
bool frame_named(std::string_view name, Frame &frame);

// The Earth's rotation rate about the terrestrial z axis, rad/s, which
// turns a velocity relative to the rotating terrestrial frame into one on
// its axes frozen at the instant.
inline constexpr double kEarthRotationRate = 7.2921158553e-5;

// ---------------------------------------------------------------------------
// to_gcrs: a state turned to GCRS axes.
//
// Given:   frame   the frame p and v are given on
//          jd_utc  the UTC Julian date of the state, formed as the kit
//                  forms a record's: julian_date(year, month, day, (hour +
//                  minute / 60.0) + second / 3600.0) (used for kItrf only)
//          p, v    position (km) and velocity (km/s) on that frame
// Returned:
//   p, v            the state on GCRS axes: for kGcrf as given; for
//                   kEme2000 each vector through frame_tie(..., -1, ...);
//                   for kItrf the position as ter2cel turns it (method 1,
//                   accuracy 0, option 0, no polar motion, UT1 and delta T
//                   from the kit's time scales) and the velocity, after
//                   adding the Earth's rotation crossed with the
//                   terrestrial position, through the same rotation
//   function value  0, or the status the rotation returned (then p and v
//                   are unchanged)
// ---------------------------------------------------------------------------
short to_gcrs(Frame frame, double jd_utc, double p[3], double v[3]);

} // namespace oem

#endif
