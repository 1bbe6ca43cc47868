// barycentre.cpp - the solar-system barycentre from the mean orbits and
// masses of the four giant planets, and the barycentric Sun and Earth.
#include "barycentre.h"

#include <cmath>

#include "constants.h"

namespace astro {

namespace {

// A giant planet's mean orbit: its Sun/planet mass ratio, semi-major axis
// (AU), eccentricity, inclination to the ecliptic (rad), longitudes of the
// ascending node and of perihelion (rad), mean longitude at J2000 (rad)
// and mean motion (rad/day), on the ecliptic and equinox of J2000.
struct MeanOrbit {
  double mass_ratio, a, e, inclination, node, perihelion, longitude, motion;
};

// Jupiter, Saturn, Uranus and Neptune.
constexpr MeanOrbit kGiants[4] = {
    {1047.349, 5.203363, 0.048393, 0.0227818, 1.7534397, 0.2599315, 0.600470, 1.450138e-3},
    {3497.898, 9.537070, 0.054151, 0.0433620, 1.9838859, 1.6132173, 0.871693, 5.841727e-4},
    {22903.0, 19.191264, 0.047168, 0.0134933, 1.2917459, 2.9838831, 5.466933, 2.047497e-4},
    {19412.2, 30.068963, 0.008586, 0.0308710, 2.3000054, 0.7847358, 5.321160, 1.043891e-4},
};

// The obliquity of the ecliptic that turns the orbits to the equator,
// degrees (its J2000 value).
constexpr double kObliquityDeg = 23.43929111;

/*
**  add_planet: one planet's share of the barycentre.
**
**  Given:
**     g        MeanOrbit   the planet's orbit
**     jd_tdb   double      TDB Julian date
**     f        double      the planet's mass over the total mass
**     sine, cose  double   sine and cosine of the obliquity
**
**  Returned:
**     b        BarycentreOffset&   f times the planet's heliocentric
**                                  position and velocity, added in
**
**  Notes:
**  1) The mean anomaly M = L - perihelion, L = L0 + n (t - J2000) reduced
**     modulo 2 pi; the eccentric anomaly to second order in e,
**     E = M + e sin M + (e^2 / 2) sin 2M; the position in the orbit's
**     plane a (cos E - e, sqrt(1 - e^2) sin E) and its velocity with
**     dE/dt = n / (1 - e cos E).  Both are turned by the argument of
**     perihelion, the inclination and the node to the ecliptic, then by
**     the obliquity to the equator.
*/
void add_planet(const MeanOrbit &g, double jd_tdb, double f, double sine, double cose,
                BarycentreOffset &b) {
  const double mean_lon = g.longitude + g.motion * (jd_tdb - kJ2000);
  const double ma = std::fmod(mean_lon - g.perihelion, kTwoPi);
  const double u = ma + g.e * std::sin(ma) + 0.5 * g.e * g.e * std::sin(2.0 * ma);
  const double sinu = std::sin(u), cosu = std::cos(u);
  const double rate = g.motion / (1.0 - g.e * cosu);
  const double root = std::sqrt(1.0 - g.e * g.e);
  const double x = g.a * (cosu - g.e), y = g.a * root * sinu;
  const double vx = -g.a * rate * sinu, vy = g.a * rate * root * cosu;

  // Orbital plane -> ecliptic: R3(-node) . R1(-inclination) . R3(-omega),
  // omega the argument of perihelion.
  const double omega = g.perihelion - g.node;
  const double co = std::cos(omega), so = std::sin(omega);
  const double ci = std::cos(g.inclination), si = std::sin(g.inclination);
  const double cn = std::cos(g.node), sn = std::sin(g.node);
  const double r11 = co * cn - so * sn * ci, r12 = -so * cn - co * sn * ci;
  const double r21 = co * sn + so * cn * ci, r22 = -so * sn + co * cn * ci;
  const double r31 = so * si, r32 = co * si;

  const auto add = [&](double px, double py, Vec3 &out) {
    const double xe = r11 * px + r12 * py;
    const double ye = r21 * px + r22 * py;
    const double ze = r31 * px + r32 * py;
    out.x += f * xe;
    out.y += f * (ye * cose - ze * sine);
    out.z += f * (ye * sine + ze * cose);
  };
  add(x, y, b.position);
  add(vx, vy, b.velocity);
}

} // namespace

/*
**  barycentre_offset: the solar-system barycentre relative to the Sun.
**
**  Given:
**     jd_tdb   double   TDB Julian date
**
**  Returned (function value):
**              BarycentreOffset   heliocentric position (AU) and velocity
**                                 (AU/day) of the barycentre
**
**  Notes:
**  1) Each giant planet moves on its mean Keplerian orbit (add_planet);
**     the barycentre is the sum of the planets' positions weighted by
**     their masses over the total mass of the Sun and the four planets
**     (1 + the sum of the planets' mass fractions); its velocity is the
**     same sum of the planets' velocities.
**  2) The inner planets and the planets' mutual perturbations are left
**     out: this is the barycentre of NOVAS 3.1's analytic solar-system
**     module, not a precise one.  Its velocity matters: the Sun moves
**     about the barycentre at some 13 m/s, which aberrates a star by up
**     to 0.009 arcsecond.
**
**  Reference:
**     Standish, E.M. 1992, Explanatory Supplement to the Astronomical
**     Almanac, ch. 5.8 (mean elements of the planets at J2000).
*/
BarycentreOffset barycentre_offset(double jd_tdb) {
  const double obliquity = kObliquityDeg * kTwoPi / 360.0;
  const double sine = std::sin(obliquity);
  const double cose = std::cos(obliquity);
  double total_mass = 1.0;
  for (const MeanOrbit &g : kGiants)
    total_mass += 1.0 / g.mass_ratio;

  BarycentreOffset b{{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}};
  for (const MeanOrbit &g : kGiants)
    add_planet(g, jd_tdb, 1.0 / (g.mass_ratio * total_mass), sine, cose, b);
  return b;
}

/*
**  barycentric_state: the Earth and the Sun relative to the barycentre.
**
**  Given:
**     jd_tdb   double   TDB Julian date
**
**  Returned (function value):
**              BarycentricState  the Earth: the solar series' heliocentric
**                                Earth (earth_heliocentric) less the
**                                barycentre's offset, and its velocity less
**                                the offset's; the Sun: the offset and its
**                                velocity negated
*/
BarycentricState barycentric_state(double jd_tdb) {
  const EarthState helio = earth_heliocentric(jd_tdb);
  const BarycentreOffset b = barycentre_offset(jd_tdb);
  return {{difference(helio.position, b.position), difference(helio.velocity, b.velocity)},
          scaled(b.position, -1.0),
          scaled(b.velocity, -1.0)};
}

} // namespace astro
