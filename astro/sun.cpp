// sun.cpp - the record builders and the Sun's apparent places of the NOVAS
// 3.1 interface: make_on_surface, make_cat_entry, make_object, app_planet
// and topo_planet, with the analytic solar ephemeris behind them.
//
// The place is computed heliocentrically: the Sun rests at the origin, the
// Earth comes from the negated solar series (precessed to J2000 at each
// sample date, velocity by a central difference), the observer from the
// site's geodetic coordinates and the apparent sidereal time.  Light
// deflection by the Earth and aberration follow, then the rotation to the
// true equator and equinox of date.
#include <cctype>
#include <cmath>
#include <cstring>

#include <erfa.h>

#include "frames.h"
#include "novas.h"
#include "sun.h"

namespace astro {

namespace {

// Astronomical unit, km.
constexpr double kAuKm = 1.4959787069098932e8;
// Speed of light, AU/day.
constexpr double kLightAuDay = 86400.0 / 499.0047838061;
// Earth equatorial radius (km) and flattening.
constexpr double kEarthRadiusKm = 6378.1366;
constexpr double kEarthFlattening = 0.003352819697896;
// Earth rotation rate, rad/s.
constexpr double kEarthRotation = 7.2921150e-5;
// Sun/Earth mass ratio.
constexpr double kSunEarthMass = 332946.050895;
constexpr double kPi = 3.141592653589793238462643;
// Half-width of the central difference for the Earth's velocity, days.
constexpr double kVelocityStep = 0.1;

// One term of the solar series: longitude amplitude (1e-7 rad), distance
// amplitude (1e-7 AU), phase (rad), frequency (rad per 10,000 Julian years).
struct SolarTerm {
  double l, r, alpha, nu;
};

constexpr SolarTerm kSolarTerms[50] = {
    {403406.0, 0.0, 4.721964, 1.621043},
    {195207.0, -97597.0, 5.937458, 62830.348067},
    {119433.0, -59715.0, 1.115589, 62830.821524},
    {112392.0, -56188.0, 5.781616, 62829.634302},
    {3891.0, -1556.0, 5.5474, 125660.5691},
    {2819.0, -1126.0, 1.5120, 125660.9845},
    {1721.0, -861.0, 4.1897, 62832.4766},
    {0.0, 941.0, 1.163, 0.813},
    {660.0, -264.0, 5.415, 125659.310},
    {350.0, -163.0, 4.315, 57533.850},
    {334.0, 0.0, 4.553, -33.931},
    {314.0, 309.0, 5.198, 777137.715},
    {268.0, -158.0, 5.989, 78604.191},
    {242.0, 0.0, 2.911, 5.412},
    {234.0, -54.0, 1.423, 39302.098},
    {158.0, 0.0, 0.061, -34.861},
    {132.0, -93.0, 2.317, 115067.698},
    {129.0, -20.0, 3.193, 15774.337},
    {114.0, 0.0, 2.828, 5296.670},
    {99.0, -47.0, 0.52, 58849.27},
    {93.0, 0.0, 4.65, 5296.11},
    {86.0, 0.0, 4.35, -3980.70},
    {78.0, -33.0, 2.75, 52237.69},
    {72.0, -32.0, 4.50, 55076.47},
    {68.0, 0.0, 3.23, 261.08},
    {64.0, -10.0, 1.22, 15773.85},
    {46.0, -16.0, 0.14, 188491.03},
    {38.0, 0.0, 3.44, -7756.55},
    {37.0, 0.0, 4.37, 264.89},
    {32.0, -24.0, 1.14, 117906.27},
    {29.0, -13.0, 2.84, 55075.75},
    {28.0, 0.0, 5.96, -7961.39},
    {27.0, -9.0, 5.09, 188489.81},
    {27.0, 0.0, 1.72, 2132.19},
    {25.0, -17.0, 2.56, 109771.03},
    {24.0, -11.0, 1.92, 54868.56},
    {21.0, 0.0, 0.09, 25443.93},
    {21.0, 31.0, 5.98, -55731.43},
    {20.0, -10.0, 4.03, 60697.74},
    {18.0, 0.0, 4.27, 2132.79},
    {17.0, -12.0, 0.79, 109771.63},
    {14.0, 0.0, 4.24, -7752.82},
    {13.0, -5.0, 2.01, 188491.91},
    {13.0, 0.0, 2.65, 207.81},
    {13.0, 0.0, 4.98, 29424.63},
    {12.0, 0.0, 0.93, -7.99},
    {10.0, 0.0, 2.21, 46941.14},
    {10.0, 0.0, 3.59, -68.29},
    {10.0, 0.0, 1.50, 21463.25},
    {10.0, -9.0, 2.55, 157208.40},
};

// Length of a string, counted up to `limit` characters at most: a longer
// string reads as limit + 1 and nothing past it is looked at.
std::size_t bounded_length(const char *s, std::size_t limit) {
  std::size_t n = 0;
  while (n <= limit && s[n] != '\0')
    ++n;
  return n;
}

Vec3 scaled(const Vec3 &v, double k) { return {v.x * k, v.y * k, v.z * k}; }
Vec3 sum(const Vec3 &a, const Vec3 &b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 difference(const Vec3 &a, const Vec3 &b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double norm(const Vec3 &v) { return std::sqrt(dot(v, v)); }

void to_array(const Vec3 &v, double a[3]) {
  a[0] = v.x;
  a[1] = v.y;
  a[2] = v.z;
}

Vec3 from_array(const double a[3]) { return {a[0], a[1], a[2]}; }

// Heliocentric Earth at one sample date: the negated series referred from
// the mean equator and equinox of that date to J2000.
Vec3 earth_sample(double jd_tdb) {
  const Mat3 p = precession_matrix((jd_tdb - kJ2000) / 36525.0);
  return scaled(apply_transposed(p, sun_mean_of_date(jd_tdb)), -1.0);
}

/*
**  Observer on the surface: geocentric position (AU) and velocity (AU/day)
**  due to the Earth's rotation, on GCRS axes.
**
**  Given:
**     site   on_surface  geodetic latitude and longitude (deg), height (m)
**     gast   double      Greenwich apparent sidereal time (hours)
**     m      DateModels  nutation and precession at the instant
**
**  Returned:
**     pos, vel   Vec3    position (AU) and velocity (AU/day)
**
**  The site vector is the geodetic one on the reference ellipsoid
**  (a = 6378.1366 km, f = 1/298.25642); temperature and pressure play no
**  part.
*/
void observer_state(const on_surface &site, double gast, const DateModels &m,
                    Vec3 &pos, Vec3 &vel) {
  const double df2 = (1.0 - kEarthFlattening) * (1.0 - kEarthFlattening);
  const double phi = site.latitude * kDegToRad;
  const double sinphi = std::sin(phi);
  const double cosphi = std::cos(phi);
  const double c = 1.0 / std::sqrt(cosphi * cosphi + df2 * sinphi * sinphi);
  const double s = df2 * c;
  const double ht_km = site.height / 1000.0;
  const double ach = kEarthRadiusKm * c + ht_km;
  const double ash = kEarthRadiusKm * s + ht_km;

  // Local apparent sidereal angle.
  const double stlocl = (15.0 * gast + site.longitude) * kDegToRad;
  const double sinst = std::sin(stlocl);
  const double cosst = std::cos(stlocl);

  Vec3 p{ach * cosphi * cosst, ach * cosphi * sinst, ash * sinphi};
  Vec3 v{-kEarthRotation * ach * cosphi * sinst,
         kEarthRotation * ach * cosphi * cosst, 0.0};
  p = {p.x / kAuKm, p.y / kAuKm, p.z / kAuKm};
  v = {v.x / kAuKm * 86400.0, v.y / kAuKm * 86400.0, v.z / kAuKm * 86400.0};

  pos = gcrs_from_true(m, p);
  vel = gcrs_from_true(m, v);
}

/*
**  Apparent place of the Sun on the true equator and equinox of date.
**
**  Given:
**     m          DateModels  models at the TDB instant
**     earth      EarthState  heliocentric Earth at the TDB instant
**     obs, obsv  Vec3        observer's geocentric position (AU) and
**                            velocity (AU/day) on GCRS axes; zero for the
**                            geocentre
**     surface    bool        observer on the surface (Earth deflection)
**
**  Returned:
**     ra, dec, dis  double   hours [0, 24), degrees, AU (geometric distance)
**
**  The Sun is at rest at the origin, so no light-time iteration is needed.
**  The Sun's own deflection vanishes (it is the target); the Earth deflects
**  for an observer on the surface when the limb test passes.  Aberration by
**  eraAb with the observer's heliocentric velocity.
*/
void sun_apparent(const DateModels &m, const EarthState &earth, const Vec3 &obs,
                  const Vec3 &obsv, bool surface, double *ra, double *dec,
                  double *dis) {
  // Observer -> Sun, geometric.
  const Vec3 u = scaled(sum(earth.position, obs), -1.0);
  const double d = norm(u);
  Vec3 p = scaled(u, 1.0 / d);

  const double obs_dist = norm(obs);
  if (surface && obs_dist > 0.0) {
    // Limb test: the angle zeta between the Sun's direction and the
    // observer's geocentric vector, against the Earth's angular radius.
    const double earth_radius_au = kEarthRadiusKm / kAuKm;
    const double limb = obs_dist >= earth_radius_au
                            ? std::asin(earth_radius_au / obs_dist)
                            : 0.5 * kPi;
    const Vec3 e = scaled(obs, 1.0 / obs_dist);
    double cos_zeta = dot(p, e);
    if (cos_zeta > 1.0)
      cos_zeta = 1.0;
    if (cos_zeta < -1.0)
      cos_zeta = -1.0;
    const double zeta = std::acos(cos_zeta);
    if ((kPi - zeta) / limb >= 0.8) {
      const Vec3 sun_geo = sum(u, obs);
      const Vec3 q = scaled(sun_geo, 1.0 / norm(sun_geo));
      double pa[3], qa[3], ea[3], out[3];
      to_array(p, pa);
      to_array(q, qa);
      to_array(e, ea);
      eraLd(1.0 / kSunEarthMass, pa, qa, ea, obs_dist, 1e-10, out);
      p = from_array(out);
    }
  }

  // Aberration by the observer's heliocentric velocity.
  const Vec3 beta = scaled(sum(earth.velocity, obsv), 1.0 / kLightAuDay);
  double pa[3], va[3], out[3];
  to_array(p, pa);
  to_array(beta, va);
  eraAb(pa, va, d, std::sqrt(1.0 - dot(beta, beta)), out);

  const Vec3 w = true_from_gcrs(m, from_array(out));
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
  *dis = d;
}

/*
**  Status of a place request, before anything is computed.
**
**  Given:
**     body       object  the body asked for
**     accuracy   short   0 full, 1 reduced
**     jd_tdb     double  TDB Julian date of the instant
**     topocentric bool   the request comes from topo_planet
**
**  Returned (function value): 0, or the code of the first failing test:
**     12 bad accuracy; 13 the Earth; 33 full accuracy (the analytic
**     ephemeris serves reduced accuracy only); 31 date outside the
**     ephemeris; 1 (topocentric only) object outside the solar system;
**     32 a major body other than the Sun; 49 a minor planet.
*/
short int place_status(const object &body, short int accuracy, double jd_tdb,
                       bool topocentric) {
  if (accuracy != 0 && accuracy != 1)
    return 12;
  if (body.type == 0 && body.number == 3)
    return 13;
  if (accuracy == 0)
    return 33;
  if (!(jd_tdb >= kSunSeriesFirst && jd_tdb <= kSunSeriesLast))
    return 31;
  if (topocentric && body.type != 0 && body.type != 1)
    return 1;
  if (body.type == 1)
    return 49;
  if (body.number != 10)
    return 32;
  return 0;
}

} // namespace

/*
**  sun_mean_of_date: geocentric Sun, mean equator and equinox of date.
**
**  Given:
**     jd_tdb   double   TDB Julian date
**
**  Returned (function value):
**              Vec3     Sun's geocentric position, AU
**
**  Notes:
**  1) 50-term series in longitude and distance (latitude zero), with the
**     linear longitude correction fitted to DE405 over 1900-2100
**     (-0.1371679461 - 0.2918293271 T arcseconds, T in Julian centuries),
**     and the IAU 2006 mean obliquity truncated after T^3.
**  2) No range check; see kSunSeriesFirst/Last for the dates served.
**
**  Reference:
**     Bretagnon, P. & Simon, J.-L. 1986, Planetary Programs and Tables
**     from -4000 to +2800, Willmann-Bell.
*/
Vec3 sun_mean_of_date(double jd_tdb) {
  const double u = (jd_tdb - kJ2000) / 3652500.0;
  const double t = 100.0 * u;

  double sum_lon = 0.0, sum_dis = 0.0;
  for (const SolarTerm &term : kSolarTerms) {
    const double arg = term.alpha + term.nu * u;
    sum_lon += term.l * std::sin(arg);
    sum_dis += term.r * std::cos(arg);
  }

  double lon = 4.9353929 + 62833.1961680 * u + 1.0e-7 * sum_lon;
  lon = lon + (-0.1371679461 - 0.2918293271 * t) * kArcsecToRad;
  lon = std::fmod(lon, kTwoPi);
  if (lon < 0.0)
    lon += kTwoPi;
  const double dis = 1.0001026 + 1.0e-7 * sum_dis;

  const double eps =
      (84381.406 + (-46.836769 + (-0.0001831 + 0.00200340 * t) * t) * t) *
      kArcsecToRad;
  const double sinlon = std::sin(lon);
  return {dis * std::cos(lon), dis * (std::cos(eps) * sinlon),
          dis * (std::sin(eps) * sinlon)};
}

/*
**  earth_heliocentric: the Earth's heliocentric state from the solar series.
**
**  Given:
**     jd_tdb   double      TDB Julian date
**
**  Returned (function value):
**              EarthState  position (AU) and velocity (AU/day), J2000 mean
**                          axes, no frame bias (used as GCRS)
**
**  Notes:
**  1) At t and t +- 0.1 day the series is negated and referred to J2000
**     with the IAU 2006 precession of that sample date; the velocity is the
**     central difference of the outer samples.
*/
EarthState earth_heliocentric(double jd_tdb) {
  const Vec3 before = earth_sample(jd_tdb - kVelocityStep);
  const Vec3 now = earth_sample(jd_tdb);
  const Vec3 after = earth_sample(jd_tdb + kVelocityStep);
  return {now, scaled(difference(after, before), 1.0 / (2.0 * kVelocityStep))};
}

} // namespace astro

extern "C" {

/*
**  make_on_surface: fill a site record.
**
**  Given:
**     latitude     double  geodetic latitude, degrees, north positive
**     longitude    double  geodetic longitude, degrees, east positive
**     height       double  height above sea level, metres
**     temperature  double  degrees Celsius
**     pressure     double  millibars
**
**  Returned:
**     obs_surface  on_surface*  the five values, stored as given (no checks)
*/
void make_on_surface(double latitude, double longitude, double height,
                     double temperature, double pressure,
                     on_surface *obs_surface) {
  obs_surface->latitude = latitude;
  obs_surface->longitude = longitude;
  obs_surface->height = height;
  obs_surface->temperature = temperature;
  obs_surface->pressure = pressure;
}

/*
**  make_cat_entry: fill a catalog entry.
**
**  Given:
**     star_name  char*   name, at most 50 characters
**     catalog    char*   catalog designation, at most 3 characters
**     star_num   long    number in the catalog
**     ra, dec    double  hours, degrees
**     pm_ra, pm_dec      proper motions, mas/yr
**     parallax   double  mas
**     rad_vel    double  radial velocity, km/s
**
**  Returned:
**     star       cat_entry*  the entry
**
**  Returned (function value):
**     short  0 everything stored
**            1 name longer than 50 characters: nothing stored
**            2 catalog longer than 3 characters: only the name stored
**
**  The lengths are measured without reading past the declared sizes, so a
**  full buffer without terminator is answered, not overrun.
*/
short int make_cat_entry(char star_name[SIZE_OF_OBJ_NAME],
                         char catalog[SIZE_OF_CAT_NAME], long int star_num,
                         double ra, double dec, double pm_ra, double pm_dec,
                         double parallax, double rad_vel, cat_entry *star) {
  if (astro::bounded_length(star_name, SIZE_OF_OBJ_NAME - 1) > SIZE_OF_OBJ_NAME - 1)
    return 1;
  std::strcpy(star->starname, star_name);

  if (astro::bounded_length(catalog, SIZE_OF_CAT_NAME - 1) > SIZE_OF_CAT_NAME - 1)
    return 2;
  std::strcpy(star->catalog, catalog);

  star->starnumber = star_num;
  star->ra = ra;
  star->dec = dec;
  star->promora = pm_ra;
  star->promodec = pm_dec;
  star->parallax = parallax;
  star->radialvelocity = rad_vel;
  return 0;
}

/*
**  make_object: fill an object record.
**
**  Given:
**     type       short       0 major body, 1 minor planet, 2 outside the
**                            solar system
**     number     short       body number (type 0: 1 Mercury ... 9 Pluto,
**                            10 Sun, 11 Moon; type 1: > 0; type 2: ignored)
**     name       char*       name, at most 50 characters
**     star_data  cat_entry*  catalog data, used for type 2 only (may be
**                            null: the catalog data then stay empty)
**
**  Returned:
**     cel_obj    object*     the object; first reset to type 0, number 0,
**                            empty name and empty catalog data
**
**  Returned (function value):
**     short  0 stored (the name in upper case; for type 2 the catalog entry
**              copied, the number forced to 0)
**            1 type not 0, 1 or 2 (nothing stored)
**            2 type 0 with number outside 1...11, or type 1 with number
**              <= 0 (the type stored, not the number)
**            5 name longer than 50 characters (type and number stored, name
**              left empty)
*/
short int make_object(short int type, short int number,
                      char name[SIZE_OF_OBJ_NAME], cat_entry *star_data,
                      object *cel_obj) {
  std::memset(cel_obj, 0, sizeof *cel_obj);

  if (type < 0 || type > 2)
    return 1;
  cel_obj->type = type;

  if ((type == 0 && (number < 1 || number > 11)) || (type == 1 && number <= 0))
    return 2;
  cel_obj->number = type == 2 ? 0 : number;

  if (astro::bounded_length(name, SIZE_OF_OBJ_NAME - 1) > SIZE_OF_OBJ_NAME - 1)
    return 5;
  for (int i = 0; name[i] != '\0'; ++i)
    cel_obj->name[i] = static_cast<char>(
        std::toupper(static_cast<unsigned char>(name[i])));

  if (type == 2 && star_data != nullptr)
    cel_obj->star = *star_data;
  return 0;
}

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

  const astro::DateModels m = astro::date_models(jd_tdb);
  const astro::EarthState earth = astro::earth_heliocentric(jd_tdb);
  const astro::Vec3 zero{0.0, 0.0, 0.0};
  astro::sun_apparent(m, earth, zero, zero, false, ra, dec, dis);
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
**     is not below the Earth's limb as seen from the site (limb test
**     fraction >= 0.8).
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

  const astro::DateModels m = astro::date_models(jd_tdb);
  const double jd_ut1 = jd_tt - delta_t / 86400.0;
  const double gast = astro::sidereal_time(jd_ut1, 0.0, m);
  astro::Vec3 obs, obsv;
  astro::observer_state(*position, gast, m, obs, obsv);

  const astro::EarthState earth = astro::earth_heliocentric(jd_tdb);
  astro::sun_apparent(m, earth, obs, obsv, true, ra, dec, dis);
  return 0;
}

} // extern "C"
