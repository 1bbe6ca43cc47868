// precession.h - IAU 2006 precession and mean obliquity.  Internal to the
// astro library.
#ifndef KIT_ASTRO_PRECESSION_H
#define KIT_ASTRO_PRECESSION_H

#include "vector.h"

namespace astro {

// IAU 2006 mean obliquity of the ecliptic, arcseconds, at t Julian
// centuries of TDB from J2000.
double mean_obliquity(double t);

// IAU 2006 precession matrix P, mean J2000 -> mean equator and equinox of
// date (P . v), at t Julian centuries of TDB from J2000.
Mat3 precession_matrix(double t);

} // namespace astro

#endif
