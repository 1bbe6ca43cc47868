// sidereal_time.h - the Earth rotation angle, Greenwich apparent sidereal
// time and the spin that turns terrestrial axes into the true equator and
// equinox of date.  Internal to the astro library.
#ifndef KIT_ASTRO_SIDEREAL_TIME_H
#define KIT_ASTRO_SIDEREAL_TIME_H

#include "precession_nutation.h"
#include "vector.h"

namespace astro {

// Earth rotation angle, degrees [0, 360), at a UT1 Julian date in two parts.
double earth_rotation_angle(double jd_ut1_high, double jd_ut1_low);

// Greenwich apparent sidereal time, hours [0, 24), at a UT1 Julian date in
// two parts, with the TDB-dependent terms of the date's models.
double sidereal_time(double jd_ut1_high, double jd_ut1_low, const DateModels &m);

// Terrestrial axes -> true equator and equinox of date at a sidereal time
// in hours: R3(-15 gast degrees) . v.
Vec3 spin(double gast_hours, const Vec3 &v);

// The matrix of that spin, R3(-15 gast degrees), for vectors of one date:
// apply(spin_matrix(g), v) is spin(g, v) to the last bit.
Mat3 spin_matrix(double gast_hours);

} // namespace astro

#endif
