// earth_rotation.h - the rotation from terrestrial to celestial axes behind
// ter2cel, shared with the batched rotation of the kit's extension.
// Internal to the astro library.
#ifndef KIT_ASTRO_EARTH_ROTATION_H
#define KIT_ASTRO_EARTH_ROTATION_H

#include "precession_nutation.h"

namespace astro {

// ter2cel's status for its selectors, tested in this order: 1 accuracy not
// 0 or 1; 2 method not 1 (the CIO-based method 0 is not provided); 3 option
// not 0 or 1; 4 polar motion not zero (not provided); 0 otherwise.
short int rotation_status(short int method, short int accuracy,
                          short int option, double xp, double yp);

// Rotates n vectors from terrestrial axes at a UT1 Julian date in two parts,
// with the date's models m: to the true equator and equinox of date
// (option 1) or on to the GCRS (option 0).  in and out may be the same.
void rotate_to_celestial(double jd_ut1_high, double jd_ut1_low,
                         const DateModels &m, short int option, int n,
                         const double in[][3], double out[][3]);

} // namespace astro

#endif
