// observer.h - the geocentric position and velocity of a site on the
// Earth's surface.  Internal to the astro library.
#ifndef KIT_ASTRO_OBSERVER_H
#define KIT_ASTRO_OBSERVER_H

#include "novas.h"
#include "precession_nutation.h"
#include "vector.h"

namespace astro {

// A site's geocentric position (AU) and velocity (AU/day), GCRS axes.
struct ObserverState {
  Vec3 position;
  Vec3 velocity;
};

// The site's state at Greenwich apparent sidereal time gast (hours), with
// the models m of the instant.
ObserverState observer_state(const on_surface &site, double gast,
                             const DateModels &m);

} // namespace astro

#endif
