// horizon.h - the horizon coordinates of a place, behind equ2hor.
// Internal to the astro library.
#ifndef KIT_ASTRO_HORIZON_H
#define KIT_ASTRO_HORIZON_H

#include "novas.h"
#include "precession_nutation.h"
#include "vector.h"

namespace astro {

// The site's horizon basis (zenith, north, west unit vectors) on the true
// equator and equinox of date at one UT1 date: all of equ2hor that does
// not depend on the place.
struct HorizonFrame {
  Vec3 zenith, north, west;
};

// The frame at UT1 Julian date jd_ut1, the models m at its TDB date.
HorizonFrame horizon_frame(double jd_ut1, const DateModels &m, const on_surface &site);

// equ2hor's outputs for a place in the frame f of the site.
void horizon_in_frame(const HorizonFrame &f, const on_surface &site, double ra,
                      double dec, short int ref_option, double *zd, double *az,
                      double *rar, double *decr);

// equ2hor once its arguments are accepted, the models at the TDB date of
// jd_ut1 given: zenith distance, azimuth and the refracted place.
void horizon_place(double jd_ut1, const DateModels &m, const on_surface &site,
                   double ra, double dec, short int ref_option, double *zd,
                   double *az, double *rar, double *decr);

} // namespace astro

#endif
