// star_place.cpp - topo_star of the NOVAS 3.1 interface: the topocentric
// apparent place of a star on the true equator and equinox of date, at
// reduced accuracy.
//
// The star's barycentric place is moved along its space motion to the date
// of observation, seen from the observer's barycentric position (the
// parallax), deflected by the Sun and the Earth and aberrated by the
// observer's barycentric velocity, then turned to the true equator and
// equinox of date.  The light time plays no part beyond the space motion:
// a star's place needs no iteration.
#include "star_place.h"

#include <cmath>

#include "apparent_place.h"
#include "barycentre.h"
#include "catalog_star.h"
#include "constants.h"
#include "light_deflection.h"
#include "observer.h"
#include "sidereal_time.h"
#include "solar_ephemeris.h"
#include "time_scales.h"

namespace astro {

/*
**  star_date_status: topo_star's status for its accuracy and date.
**
**  Given:
**     accuracy  short    0 full, 1 reduced
**     jd_tdb    double   TDB Julian date of the observation
**
**  Returned (function value):
**               short    1 accuracy not 0 or 1; 33 full accuracy, which the
**                        analytic ephemeris refuses; 31 a date outside
**                        2340000.5...2560000.5 (or not a number); 0 otherwise
**
**  Notes:
**  1) The codes are NOVAS 3.1's: 1 is topo_star's own; the place's failures
**     come back as 10 + place's code, itself 10 + the ephemeris' code,
**     itself 10 + the analytic module's (1 date, 3 full accuracy).
*/
short int star_date_status(short int accuracy, double jd_tdb) {
  if (accuracy != 0 && accuracy != 1)
    return 1;
  if (accuracy == 0)
    return 33;
  if (!(jd_tdb >= kEphemerisFirst && jd_tdb <= kEphemerisLast))
    return 31;
  return 0;
}

/*
**  star_observer: the observer's state shared by every star's place.
**
**  Given:
**     jd_tt     double       TT Julian date
**     delta_t   double       TT - UT1, seconds
**     site      on_surface   the site
**     m         DateModels   the models at jd_tt's TDB date
**
**  Returned (function value):
**               StarObserver the observer's barycentric position and
**                            velocity (the Earth's barycentric state plus
**                            the site's geocentric one), its geocentric
**                            position and the Earth's angular radius seen
**                            from there, the Earth's barycentric position
**                            and the Sun's position and velocity, at m's
**                            date
**
**  Notes:
**  1) The site's sidereal time is taken at UT1 = jd_tt - delta_t / 86400,
**     as for topo_planet.
*/
StarObserver star_observer(double jd_tt, double delta_t, const on_surface &site,
                           const DateModels &m) {
  const double ut1 = jd_tt - delta_t / kSecondsPerDay;
  const ObserverState geo = observer_state(site, sidereal_time(ut1, 0.0, m), m);
  const BarycentricState bary = barycentric_state(m.jd_tdb);
  return {m.jd_tdb,
          sum(bary.earth.position, geo.position),
          sum(bary.earth.velocity, geo.velocity),
          geo.position,
          earth_limb(geo.position),
          bary.earth.position,
          bary.sun,
          bary.sun_velocity};
}

/*
**  topocentric_star: a star's topocentric apparent place.
**
**  Given:
**     o      StarObserver  the observer at the date
**     m      DateModels    the models at o's date
**     star   cat_entry     the star (ICRS, catalog epoch J2000)
**
**  Returned:
**     ra     double*       right ascension, hours [0, 24), true equator and
**                          equinox of date
**     dec    double*       declination, degrees
**
**  Returned (function value):
**            short         0, or kStarNotPlaced for an entry that does not
**                          describe a place (star_vectors) or a place
**                          that is not finite (huge motions); ra and dec are
**                          then untouched
**
**  Notes:
**  1) In NOVAS 3.1's order: the star's vectors; its position moved to the
**     date of observation plus the light time by which the observer is
**     ahead of the barycentre along the line of sight; the vector from the
**     observer (parallax) and its light time; the deflection by the Sun,
**     and by the Earth when the star is not far below the Earth's limb
**     (the limb test of topo_planet); aberration by the observer's
**     barycentric velocity; frame bias, precession and nutation.
**  2) The aberration is given the star's distance, at which eraAb's term
**     for the Sun's potential (which NOVAS does not have) vanishes.
*/
short int topocentric_star(const StarObserver &o, const DateModels &m,
                           const cat_entry &star, double *ra, double *dec) {
  StarVectors sv;
  if (!star_vectors(star, &sv))
    return kStarNotPlaced;
  const double ahead = light_time_offset(sv.position, o.position);
  const Vec3 moved = star_position_at(sv, o.jd_tdb + ahead);

  const Vec3 seen = difference(moved, o.position);
  const double dist = norm(seen);
  const Vec3 direction = scaled(seen, 1.0 / dist);
  const Vec3 *earth =
      deflected_by_earth(direction, o.geocentric, o.earth_limb) ? &o.earth : nullptr;
  const Vec3 bent = star_light_deflection(seen, o.position, o.sun, o.sun_velocity, earth);

  const Vec3 apparent = aberration(scaled(bent, 1.0 / norm(bent)), o.velocity, dist);
  const Vec3 w = true_from_gcrs(m, apparent);
  if (!std::isfinite(w.x) || !std::isfinite(w.y) || !std::isfinite(w.z))
    return kStarNotPlaced;
  to_ra_dec(w, ra, dec);
  return 0;
}

} // namespace astro

extern "C" {

/*
**  topo_star: topocentric apparent place of a star.
**
**  Given:
**     jd_tt     double       TT Julian date
**     delta_t   double       TT - UT1, seconds
**     star      cat_entry*   the star: ICRS place at the epoch J2000,
**                            proper motions (mas/yr, the one in ra times
**                            cos dec), parallax (mas; zero or less for
**                            unknown: 1e-6 mas is taken), radial velocity
**                            (km/s)
**     position  on_surface*  the site
**     accuracy  short        0 full, 1 reduced
**
**  Returned:
**     ra        double*  topocentric apparent right ascension, hours
**                        [0, 24), true equator and equinox of date
**     dec       double*  topocentric apparent declination, degrees
**
**  Returned (function value), the first matching in this order:
**     short  1 accuracy not 0 or 1; 33 full accuracy, which the analytic
**            ephemeris does not serve; 31 TDB date outside
**            2340000.5...2560000.5; 2 (this library's own) a catalog
**            entry with a field that is not finite, a parallax whose
**            distance 1 / sin(parallax) is not positive, a radial velocity
**            of the speed of light or more, or a place that comes out not
**            finite; 0 success.  On every non-zero code ra and dec are set
**            to 0.
**
**  Notes:
**  1) Reduced accuracy only, as NOVAS 3.1 with its analytic solar-system
**     module serves it, but with the full IAU 2000A nutation where NOVAS
**     truncates the series.  The Sun and, for a star not far below the
**     Earth's limb, the Earth deflect the light; the observer's velocity
**     is the Earth's barycentric velocity plus the site's rotation.
**  2) The site's sidereal time is taken at UT1 = jd_tt - delta_t/86400.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO.
*/
short int topo_star(double jd_tt, double delta_t, cat_entry *star,
                    on_surface *position, short int accuracy, double *ra,
                    double *dec) {
  const double jd_tdb = astro::tdb_from_tt(jd_tt);
  short int status = astro::star_date_status(accuracy, jd_tdb);
  if (status == 0) {
    const astro::DateModels m = astro::date_models(jd_tdb);
    status = astro::topocentric_star(astro::star_observer(jd_tt, delta_t, *position, m), m,
                                     *star, ra, dec);
  }
  if (status != 0)
    *ra = *dec = 0.0;
  return status;
}

} // extern "C"
