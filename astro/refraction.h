// refraction.h - atmospheric refraction as a function of the observed
// zenith distance.  Internal to the astro library.
#ifndef KIT_ASTRO_REFRACTION_H
#define KIT_ASTRO_REFRACTION_H

#include "novas.h"

namespace astro {

// Refraction in degrees at an observed zenith distance zd_obs (degrees),
// for refraction option ref_option at a site.
double refraction(const on_surface &site, short int ref_option, double zd_obs);

} // namespace astro

#endif
