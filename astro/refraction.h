// refraction.h - atmospheric refraction as a function of the observed
// zenith distance.  Internal to the astro library.
#ifndef KIT_ASTRO_REFRACTION_H
#define KIT_ASTRO_REFRACTION_H

#include "novas.h"

namespace astro {

// The atmosphere a refraction option takes at a site: pressure (mbar) and
// temperature (degrees Celsius).
struct Atmosphere {
  double pressure, temperature;
};
Atmosphere atmosphere(const on_surface &site, short int ref_option);

// Refraction in degrees at an observed zenith distance zd_obs (degrees),
// in an atmosphere, or for refraction option ref_option at a site.
double refraction(const Atmosphere &air, double zd_obs);
double refraction(const on_surface &site, short int ref_option, double zd_obs);

} // namespace astro

#endif
