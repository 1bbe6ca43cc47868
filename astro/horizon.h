// horizon.h - the horizon coordinates of a place, behind equ2hor.
// Internal to the astro library.
#ifndef KIT_ASTRO_HORIZON_H
#define KIT_ASTRO_HORIZON_H

#include "novas.h"
#include "precession_nutation.h"
#include "refraction.h"
#include "vector.h"

namespace astro {

// All of equ2hor that does not depend on the place, at one site, one UT1
// date and one refraction option: the site's horizon basis (zenith, north,
// west unit vectors) on the true equator and equinox of date, and the
// atmosphere of the refraction.
struct HorizonFrame {
  Vec3 zenith, north, west;
  short int ref_option;
  Atmosphere air;
};

// The frame at UT1 Julian date jd_ut1, the models m at its TDB date.
HorizonFrame horizon_frame(double jd_ut1, const DateModels &m, const on_surface &site,
                           short int ref_option);

// equ2hor's outputs for a place in a frame; with rar and decr null the
// refracted place is not formed (zd and az are the same).
void horizon_in_frame(const HorizonFrame &f, double ra, double dec, double *zd,
                      double *az, double *rar, double *decr);

// equ2hor once its arguments are accepted, the models at the TDB date of
// jd_ut1 given: zenith distance, azimuth and the refracted place.
void horizon_place(double jd_ut1, const DateModels &m, const on_surface &site,
                   double ra, double dec, short int ref_option, double *zd,
                   double *az, double *rar, double *decr);

} // namespace astro

#endif
