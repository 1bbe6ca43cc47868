// light_deflection.cpp - light deflection by the Sun and the Earth, as
// NOVAS 3.1 applies it at reduced accuracy.
#include "light_deflection.h"

#include <cmath>

#include "barycentre.h"
#include "constants.h"

namespace astro {

namespace {

// The heliocentric gravitational constant (m^3/s^2), the speed of light
// (m/s) and the astronomical unit (m) of the deflection factor.
constexpr double kSunGm = 1.32712440017987e20;
constexpr double kLightMetresPerSecond = 299792458.0;
constexpr double kAuMetres = 1.4959787069098932e11;

// An object within about 1 arcsecond of the line through the deflector
// and the observer (|cos| above this) is not deflected by it: the
// deflector is the object, or the light passes straight through it.
constexpr double kAlignedCosine = 0.99999999999;

} // namespace

/*
**  light_time_offset: light-time difference along a direction.
**
**  Given:
**     pos       Vec3   a direction (any length, not zero)
**     pos_obs   Vec3   a point, AU
**
**  Returned (function value):
**               double days: the projection of pos_obs on the unit vector
**                      of pos, divided by the speed of light
*/
double light_time_offset(const Vec3 &pos, const Vec3 &pos_obs) {
  const double dis = norm(pos);
  const Vec3 u = {pos.x / dis, pos.y / dis, pos.z / dis};
  return dot(u, pos_obs) / kLightAuDay;
}

/*
**  deflected_by_body: light deflection by one gravitating body.
**
**  Given:
**     pos         Vec3    observer to object, AU
**     pos_obs     Vec3    observer, barycentric, AU
**     pos_body    Vec3    deflecting body, barycentric, AU
**     mass_ratio  double  the Sun's mass over the body's
**
**  Returned (function value):
**                 Vec3    pos deflected, of the same length
**
**  Notes:
**  1) With p, q, e the unit vectors observer to object, body to object
**     and body to observer, and E the body-observer distance:
**     p' = p + (2 GM / (c^2 E)) (e (p.q) - q (e.p)) / (1 + q.e), the
**     post-Newtonian deflection for a static body.
**  2) When |e.p| exceeds 0.99999999999 (the object within about 1
**     arcsecond of the line through the body and the observer) pos is
**     returned unchanged: the body is the object itself, or the formula's
**     denominator vanishes behind it.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO
**     (grav_vec); Murray, C. 1981, Mon. Not. R. Astron. Soc. 195, 639.
*/
Vec3 deflected_by_body(const Vec3 &pos, const Vec3 &pos_obs, const Vec3 &pos_body,
                       double mass_ratio) {
  const Vec3 pq = difference(sum(pos_obs, pos), pos_body);
  const Vec3 pe = difference(pos_obs, pos_body);
  const double pmag = norm(pos), emag = norm(pe), qmag = norm(pq);
  const Vec3 phat = {pos.x / pmag, pos.y / pmag, pos.z / pmag};
  const Vec3 ehat = {pe.x / emag, pe.y / emag, pe.z / emag};
  const Vec3 qhat = {pq.x / qmag, pq.y / qmag, pq.z / qmag};
  const double pdotq = dot(phat, qhat);
  const double edotp = dot(ehat, phat);
  const double qdote = dot(qhat, ehat);
  if (std::fabs(edotp) > kAlignedCosine)
    return pos;

  const double fac1 = 2.0 * kSunGm /
                      (kLightMetresPerSecond * kLightMetresPerSecond * emag * kAuMetres *
                       mass_ratio);
  const double fac2 = 1.0 + qdote;
  const auto bent = [&](double p, double e, double q) {
    return (p + fac1 * (pdotq * e - edotp * q) / fac2) * pmag;
  };
  return {bent(phat.x, ehat.x, qhat.x), bent(phat.y, ehat.y, qhat.y),
          bent(phat.z, ehat.z, qhat.z)};
}

/*
**  star_light_deflection: the deflection of a star's light at reduced
**  accuracy.
**
**  Given:
**     jd_tdb    double   TDB Julian date of the observation
**     pos       Vec3     observer to star, AU
**     pos_obs   Vec3     observer, barycentric, AU
**     sun       Vec3     the Sun, barycentric, AU, at jd_tdb
**     earth     Vec3*    the Earth, barycentric, AU, at jd_tdb; null for
**                        no deflection by the Earth
**
**  Returned (function value):
**               Vec3     pos deflected, of the same length
**
**  Notes:
**  1) The Sun deflects from where it stood when the light passed closest
**     to it: dlt = light_time_offset(pos, sun - pos_obs) before the
**     observation when positive (the Sun ahead of the observer along the
**     line of sight), capped by the light time from the object; otherwise
**     at jd_tdb.  The Earth deflects from its place at jd_tdb.
**  2) Reduced accuracy leaves out Jupiter and Saturn, which NOVAS adds at
**     full accuracy.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO
**     (grav_def).
*/
Vec3 star_light_deflection(double jd_tdb, const Vec3 &pos, const Vec3 &pos_obs,
                           const Vec3 &sun, const Vec3 *earth) {
  const double tlt = norm(pos) / kLightAuDay;
  const double dlt = light_time_offset(pos, difference(sun, pos_obs));
  double tclose = jd_tdb;
  if (dlt > 0.0)
    tclose = jd_tdb - dlt;
  if (tlt < dlt)
    tclose = jd_tdb - tlt;
  const Vec3 sun_close = tclose == jd_tdb ? sun : sun_barycentric(tclose);
  Vec3 bent = deflected_by_body(pos, pos_obs, sun_close, 1.0);
  if (earth != nullptr)
    bent = deflected_by_body(bent, pos_obs, *earth, kSunEarthMassRatio);
  return bent;
}

} // namespace astro
