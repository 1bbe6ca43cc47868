// catalog_star.cpp - the barycentric vectors of a catalog star and its
// rectilinear space motion.
#include "catalog_star.h"

#include <cmath>

#include "constants.h"

namespace astro {

namespace {

// Speed of light, m/s.
constexpr double kLightMetresPerSecond = 299792458.0;
// Days per Julian year.
constexpr double kJulianYear = 365.25;

} // namespace

/*
**  star_vectors: a star's barycentric position and velocity at the
**  catalog epoch.
**
**  Given:
**     star   cat_entry     ra (hours), dec (degrees), proper motions in ra
**                          (times cos dec) and dec (mas/yr), parallax
**                          (mas), radial velocity (km/s); ICRS
**
**  Returned:
**     v      StarVectors*  position (AU) and velocity (AU/day); untouched
**                          when false is returned
**
**  Returned (function value):
**            bool          false for an entry that does not describe a
**                          place: a field that is not finite, a parallax
**                          whose distance 1 / sin(p) is not positive and
**                          finite (as beyond p = 180 degrees), or a radial
**                          velocity of the speed of light or more (its
**                          Doppler factor infinite or negative)
**
**  Notes:
**  1) A parallax of zero or less is taken as 1e-6 mas (a gigaparsec), so
**     that every star has a finite distance 1 / sin(parallax).
**  2) The proper motions and the radial velocity are multiplied by the
**     Doppler factor 1 / (1 - v_r / c); the proper motions become AU/day
**     as mu / (parallax * 365.25), the radial velocity as
**     v_r * 86400 / AU(km).  The velocity is the sum of the three
**     components along the local east, north and outward unit vectors.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO
**     (starvectors).
*/
bool star_vectors(const cat_entry &star, StarVectors *v) {
  const double fields[] = {star.ra,       star.dec,      star.promora,
                           star.promodec, star.parallax, star.radialvelocity};
  for (const double f : fields)
    if (!std::isfinite(f))
      return false;
  const double paralx = star.parallax <= 0.0 ? kUnknownParallax : star.parallax;
  const double dist = 1.0 / std::sin(paralx * 1.0e-3 * kArcsecToRad);
  const double k = 1.0 / (1.0 - star.radialvelocity / kLightMetresPerSecond * 1000.0);
  if (!(std::isfinite(dist) && dist > 0.0 && std::isfinite(k) && k > 0.0))
    return false;

  const double r = star.ra * 15.0 * kDegToRad;
  const double d = star.dec * kDegToRad;
  const double cra = std::cos(r), sra = std::sin(r);
  const double cdc = std::cos(d), sdc = std::sin(d);
  const double pmr = star.promora / (paralx * kJulianYear) * k;
  const double pmd = star.promodec / (paralx * kJulianYear) * k;
  const double rvl = star.radialvelocity * kSecondsPerDay / kAuKm * k;

  *v = {{dist * cdc * cra, dist * cdc * sra, dist * sdc},
        {-pmr * sra - pmd * sdc * cra + rvl * cdc * cra,
         pmr * cra - pmd * sdc * sra + rvl * cdc * sra, pmd * cdc + rvl * sdc}};
  return true;
}

/*
**  star_position_at: a star's position moved along its velocity.
**
**  Given:
**     star     StarVectors  the star at the catalog epoch J2000
**     jd_tdb   double       TDB Julian date
**
**  Returned (function value):
**              Vec3         position + velocity * (jd_tdb - J2000), AU
*/
Vec3 star_position_at(const StarVectors &star, double jd_tdb) {
  const double dt = jd_tdb - kJ2000;
  return {star.position.x + star.velocity.x * dt, star.position.y + star.velocity.y * dt,
          star.position.z + star.velocity.z * dt};
}

} // namespace astro
