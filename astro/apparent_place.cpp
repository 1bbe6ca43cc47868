// apparent_place.cpp - app_planet and topo_planet of the NOVAS 3.1
// interface: the Sun's apparent place on the true equator and equinox of
// date, from the geocentre or from a site on the Earth.
//
// The place is computed heliocentrically: the Sun rests at the origin, so
// no light-time iteration is needed; the Earth comes from the analytic
// solar series, the observer from the site's geodetic coordinates and the
// apparent sidereal time.  Light deflection by the Earth and aberration
// follow, then the rotation to the true equator and equinox of date.
#include "apparent_place.h"

#include <cmath>

#include <erfa.h>

#include "constants.h"
#include "observer.h"
#include "precession_nutation.h"
#include "sidereal_time.h"
#include "solar_ephemeris.h"
#include "time_scales.h"

namespace astro {

namespace {

// The Earth deflects light arriving within this fraction of the angle
// between the limb and the anti-limb direction.
constexpr double kLimbFraction = 0.8;

} // namespace

/*
**  to_ra_dec: right ascension and declination of a vector.
**
**  Given:
**     w     Vec3      a vector on the true equator and equinox of date
**
**  Returned:
**     ra    double*   right ascension, hours [0, 24), as NOVAS 3.1 forms
**                     it (radians / arcsecond / 54000); 0 on the pole
**     dec   double*   declination, degrees; +-90 on the pole, 0 for a null
**                     vector
*/
void to_ra_dec(const Vec3 &w, double *ra, double *dec) {
  const double xyproj = std::sqrt(w.x * w.x + w.y * w.y);
  if (xyproj > 0.0) {
    *ra = std::atan2(w.y, w.x) / kArcsecToRad / 54000.0;
    if (*ra < 0.0)
      *ra += 24.0;
    *dec = std::atan2(w.z, xyproj) / kArcsecToRad / 3600.0;
  } else {
    *ra = 0.0;
    *dec = w.z > 0.0 ? 90.0 : (w.z < 0.0 ? -90.0 : 0.0);
  }
}

namespace {

/*
**  Apparent place of the Sun on the true equator and equinox of date.
**
**  Given:
**     m          DateModels     models at the TDB instant
**     earth      EarthState     heliocentric Earth at the TDB instant
**     obs        ObserverState  observer's geocentric state, GCRS; zero
**                               for the geocentre
**
**  Returned:
**     ra, dec, dis  double*  hours [0, 24), degrees, AU (geometric
**                            distance)
**
**  The Sun's own deflection vanishes (it is the target); the Earth deflects
**  for an observer off the geocentre when the limb test passes.
*/
void sun_apparent(const DateModels &m, const EarthState &earth,
                  const ObserverState &obs, double *ra, double *dec,
                  double *dis) {
  // Observer -> Sun, geometric.
  const Vec3 u = scaled(sum(earth.position, obs.position), -1.0);
  const double d = norm(u);
  Vec3 p = scaled(u, 1.0 / d);

  if (norm(obs.position) > 0.0 && deflected_by_earth(p, obs.position)) {
    const Vec3 sun_geo = sum(u, obs.position);
    p = earth_deflection(p, scaled(sun_geo, 1.0 / norm(sun_geo)), obs.position);
  }

  const Vec3 apparent = aberration(p, sum(earth.velocity, obs.velocity), d);
  to_ra_dec(true_from_gcrs(m, apparent), ra, dec);
  *dis = d;
}

} // namespace

/*
**  topocentric_sun: the Sun's topocentric apparent place.
**
**  Given:
**     jd_tt     double       TT Julian date
**     delta_t   double       TT - UT1, seconds
**     site      on_surface   the site
**     m         DateModels   the models at jd_tt's TDB date
**
**  Returned:
**     ra, dec, dis  double*  hours [0, 24), degrees, AU: topo_planet's for
**                            the Sun at reduced accuracy
**
**  Notes:
**  1) The site's sidereal time is taken at UT1 = jd_tt - delta_t / 86400
**     with the models m; the Earth is the analytic series' at m's date.
*/
void topocentric_sun(double jd_tt, double delta_t, const on_surface &site,
                     const DateModels &m, double *ra, double *dec, double *dis) {
  const double jd_ut1 = jd_tt - delta_t / kSecondsPerDay;
  const double gast = sidereal_time(jd_ut1, 0.0, m);
  sun_apparent(m, earth_heliocentric(m.jd_tdb), observer_state(site, gast, m), ra,
               dec, dis);
}

/*
**  place_status: status of a place request, before anything is computed.
**
**  Given:
**     body         object   the body asked for
**     accuracy     short    0 full, 1 reduced
**     jd_tdb       double   TDB Julian date of the instant
**     topocentric  bool     the request comes from topo_planet
**
**  Returned (function value):
**                  short    0, or the code of the first failing test:
**                           12 accuracy not 0 or 1; 13 the Earth; 33 full
**                           accuracy (the analytic ephemeris serves reduced
**                           accuracy only); 31 date outside the ephemeris;
**                           1 (topocentric only) not a solar-system body;
**                           32 a major body other than the Sun; 49 a minor
**                           planet
*/
short int place_status(const object &body, short int accuracy, double jd_tdb,
                       bool topocentric) {
  if (accuracy != 0 && accuracy != 1)
    return 12;
  if (body.type == 0 && body.number == 3)
    return 13;
  if (accuracy == 0)
    return 33;
  if (!(jd_tdb >= kEphemerisFirst && jd_tdb <= kEphemerisLast))
    return 31;
  if (topocentric && body.type != 0 && body.type != 1)
    return 1;
  if (body.type == 1)
    return 49;
  if (body.number != 10)
    return 32;
  return 0;
}

/*
**  earth_limb: the Earth's angular radius seen from an observer.
**
**  Given:
**     obs   Vec3   observer's geocentric position, AU
**
**  Returned (function value):
**           double asin(r_E / |obs|) with r_E the equatorial radius, or
**                  90 degrees (radians) when |obs| < r_E
*/
double earth_limb(const Vec3 &obs) {
  const double obs_dist = norm(obs);
  const double earth_radius_au = kEarthRadiusKm / kAuKm;
  return obs_dist >= earth_radius_au ? std::asin(earth_radius_au / obs_dist) : 0.5 * kPi;
}

/*
**  deflected_by_earth: the limb test of the Earth's light deflection.
**
**  Given:
**     p      Vec3     unit vector, observer to body
**     obs    Vec3     observer's geocentric position, AU (not zero)
**     limb   double   earth_limb(obs) (the two-argument form computes it)
**
**  Returned (function value):
**            bool     true when (180 deg - zeta) / limb >= 0.8, with zeta
**                     the angle between p and obs
*/
bool deflected_by_earth(const Vec3 &p, const Vec3 &obs, double limb) {
  const double obs_dist = norm(obs);
  double cos_zeta = dot(p, scaled(obs, 1.0 / obs_dist));
  if (cos_zeta > 1.0)
    cos_zeta = 1.0;
  if (cos_zeta < -1.0)
    cos_zeta = -1.0;
  return (kPi - std::acos(cos_zeta)) / limb >= kLimbFraction;
}

bool deflected_by_earth(const Vec3 &p, const Vec3 &obs) {
  return deflected_by_earth(p, obs, earth_limb(obs));
}

/*
**  earth_deflection: light deflection by the Earth's gravity.
**
**  Given:
**     p     Vec3   unit vector, observer to body
**     q     Vec3   unit vector, geocentre to body
**     obs   Vec3   observer's geocentric position, AU
**
**  Returned (function value):
**           Vec3   the deflected direction
**
**  Notes:
**  1) eraLd with the Earth's mass in solar masses (1 / 332946.050895), the
**     observer-deflector distance |obs| and a limiter of 1e-10.
**
**  Reference:
**     Klioner, S. 2003, Astron. J. 125, 1580.
*/
Vec3 earth_deflection(const Vec3 &p, const Vec3 &q, const Vec3 &obs) {
  const double obs_dist = norm(obs);
  double pa[3], qa[3], ea[3], out[3];
  to_array(p, pa);
  to_array(q, qa);
  to_array(scaled(obs, 1.0 / obs_dist), ea);
  eraLd(1.0 / kSunEarthMassRatio, pa, qa, ea, obs_dist, 1e-10, out);
  return from_array(out);
}

/*
**  aberration: the apparent direction for a moving observer.
**
**  Given:
**     p   Vec3     unit vector, observer to body
**     v   Vec3     observer's velocity, AU/day (heliocentric)
**     d   double   distance to the body, AU
**
**  Returned (function value):
**         Vec3     the apparent direction (unit vector)
**
**  Notes:
**  1) eraAb with beta = v / c and the Lorentz factor's inverse
**     sqrt(1 - beta^2): the relativistic aberration, in the direction
**     NOVAS 3.1's own formula gives.
*/
Vec3 aberration(const Vec3 &p, const Vec3 &v, double d) {
  const Vec3 beta = scaled(v, 1.0 / kLightAuDay);
  double pa[3], va[3], out[3];
  to_array(p, pa);
  to_array(beta, va);
  eraAb(pa, va, d, std::sqrt(1.0 - dot(beta, beta)), out);
  return from_array(out);
}

} // namespace astro

extern "C" {

/*
**  app_planet: geocentric apparent place of a solar-system body.
**
**  Given:
**     jd_tt     double   TT Julian date
**     ss_body   object*  the body (type 0 or 1)
**     accuracy  short    0 full, 1 reduced
**
**  Returned:
**     ra        double*  apparent right ascension, hours [0, 24), true
**                        equator and equinox of date
**     dec       double*  apparent declination, degrees
**     dis       double*  geometric geocentric distance, AU
**
**  Returned (function value):
**     short  0 success; 1 body type not 0 or 1 (outputs untouched);
**            12 accuracy not 0 or 1; 13 the Earth; 33 full accuracy, which
**            the analytic ephemeris does not serve; 31 TDB date outside
**            2340000.5...2560000.5; 32 a major body other than the Sun;
**            49 a minor planet (no minor-planet ephemeris).  On every code
**            but 1 the three outputs are set to 0.
**
**  Notes:
**  1) Only the Sun (type 0, number 10) is computed, at reduced accuracy.
**  2) As topo_planet for an observer at the geocentre: no Earth deflection,
**     no diurnal aberration.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO.
*/
short int app_planet(double jd_tt, object *ss_body, short int accuracy,
                     double *ra, double *dec, double *dis) {
  if (ss_body->type != 0 && ss_body->type != 1)
    return 1;

  const double jd_tdb = astro::tdb_from_tt(jd_tt);
  const short int status = astro::place_status(*ss_body, accuracy, jd_tdb, false);
  if (status != 0) {
    *ra = *dec = *dis = 0.0;
    return status;
  }

  const astro::ObserverState geocentre{{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}};
  astro::sun_apparent(astro::date_models(jd_tdb), astro::earth_heliocentric(jd_tdb),
                      geocentre, ra, dec, dis);
  return 0;
}

/*
**  topo_planet: topocentric apparent place of a solar-system body.
**
**  Given:
**     jd_tt     double       TT Julian date
**     ss_body   object*      the body
**     delta_t   double       TT - UT1, seconds
**     position  on_surface*  the site
**     accuracy  short        0 full, 1 reduced
**
**  Returned:
**     ra        double*  topocentric apparent right ascension, hours
**                        [0, 24), true equator and equinox of date
**     dec       double*  topocentric apparent declination, degrees
**     dis       double*  geometric site-body distance, AU
**
**  Returned (function value), the first matching in this order:
**     short  12 accuracy not 0 or 1; 13 the Earth; 33 full accuracy, which
**            the analytic ephemeris does not serve; 31 TDB date outside
**            2340000.5...2560000.5; 1 an object outside the solar system
**            (type 2), whose place this library does not compute, or any
**            other type; 32 a major body other than the Sun; 49 a minor
**            planet; 0 success.  On every non-zero code the three outputs
**            are set to 0.
**
**  Notes:
**  1) Only the Sun (type 0, number 10) is computed, at reduced accuracy.
**  2) The site's sidereal time is taken at UT1 = jd_tt - delta_t/86400;
**     the site's velocity is the Earth's rotation alone (diurnal
**     aberration).  Light deflection by the Earth is applied when the Sun
**     is not far below the Earth's limb as seen from the site.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO.
*/
short int topo_planet(double jd_tt, object *ss_body, double delta_t,
                      on_surface *position, short int accuracy, double *ra,
                      double *dec, double *dis) {
  const double jd_tdb = astro::tdb_from_tt(jd_tt);
  const short int status = astro::place_status(*ss_body, accuracy, jd_tdb, true);
  if (status != 0) {
    *ra = *dec = *dis = 0.0;
    return status;
  }

  astro::topocentric_sun(jd_tt, delta_t, *position, astro::date_models(jd_tdb), ra,
                         dec, dis);
  return 0;
}

} // extern "C"
