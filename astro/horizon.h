// horizon.h - the horizon coordinates of a place, behind equ2hor.
// Internal to the astro library.
#ifndef KIT_ASTRO_HORIZON_H
#define KIT_ASTRO_HORIZON_H

#include "novas.h"
#include "precession_nutation.h"

namespace astro {

// equ2hor once its arguments are accepted, the models at the TDB date of
// jd_ut1 given: zenith distance, azimuth and the refracted place.
void horizon_place(double jd_ut1, const DateModels &m, const on_surface &site,
                   double ra, double dec, short int ref_option, double *zd,
                   double *az, double *rar, double *decr);

} // namespace astro

#endif
