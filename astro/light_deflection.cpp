// light_deflection.cpp - light deflection by the Sun and the Earth, as
// NOVAS 3.1 applies it at reduced accuracy.
#include "light_deflection.h"

#include <cmath>

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
  return dot(scaled(pos, 1.0 / norm(pos)), pos_obs) / kLightAuDay;
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
  const double pmag = norm(pos), emag = norm(pe);
  const Vec3 phat = scaled(pos, 1.0 / pmag);
  const Vec3 ehat = scaled(pe, 1.0 / emag);
  const Vec3 qhat = scaled(pq, 1.0 / norm(pq));
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
**     pos           Vec3    observer to star, AU
**     pos_obs       Vec3    observer, barycentric, AU
**     sun           Vec3    the Sun, barycentric, AU
**     sun_velocity  Vec3    the Sun's barycentric velocity, AU/day
**     earth         Vec3*   the Earth, barycentric, AU; null for no
**                           deflection by the Earth
**     (all at the date of observation)
**
**  Returned (function value):
**                   Vec3    pos deflected, of the same length
**
**  Notes:
**  1) The Sun deflects from where it stood when the light passed closest
**     to it: dlt = light_time_offset(pos, sun - pos_obs) days before the
**     observation when positive (the Sun ahead of the observer along the
**     line of sight, at most 500 s), but no earlier than the light left
**     the object; otherwise from where it stands.  NOVAS evaluates its
**     ephemeris at that earlier date; here the Sun is moved back along its
**     velocity, which differs from that by less than 1e-12 AU (its
**     acceleration about the barycentre, 1e-8 AU/day^2, over 500 s).
**     The Earth deflects from where it stands.
**  2) Reduced accuracy leaves out Jupiter and Saturn, which NOVAS adds at
**     full accuracy.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO
**     (grav_def).
*/
Vec3 star_light_deflection(const Vec3 &pos, const Vec3 &pos_obs, const Vec3 &sun,
                           const Vec3 &sun_velocity, const Vec3 *earth) {
  const double tlt = norm(pos) / kLightAuDay;
  const double dlt = light_time_offset(pos, difference(sun, pos_obs));
  double back = 0.0;
  if (dlt > 0.0)
    back = dlt;
  if (tlt < dlt)
    back = tlt;
  const Vec3 sun_close = back > 0.0 ? difference(sun, scaled(sun_velocity, back)) : sun;
  Vec3 bent = deflected_by_body(pos, pos_obs, sun_close, 1.0);
  if (earth != nullptr)
    bent = deflected_by_body(bent, pos_obs, *earth, kSunEarthMassRatio);
  return bent;
}

} // namespace astro
