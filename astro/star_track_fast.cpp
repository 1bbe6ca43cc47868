// star_track_fast.cpp - the kit's own star track: the models of the date
// fitted once per span of a few days, and each instant's place and horizon
// computed from them as topo_star and equ2hor compute theirs.
#include <cmath>
#include <initializer_list>
#include <limits>

#include "apparent_place.h"
#include "barycentre.h"
#include "catalog_star.h"
#include "constants.h"
#include "light_deflection.h"
#include "novas_kit.h"
#include "precession_nutation.h"
#include "refraction.h"
#include "sidereal_time.h"
#include "star_place.h"
#include "time_scales.h"

namespace {

using astro::Vec3;

// The series' places in a span's coefficient rows.
constexpr int kMatrix = 0;       // 9: true_from_gcrs's matrix, row-major
constexpr int kEarth = 9;        // 3: the Earth's barycentric position, AU
constexpr int kEarthVel = 12;    // 3: its velocity, AU/day
constexpr int kSun = 15;         // 3: the Sun's barycentric position, AU
constexpr int kSunVel = 18;      // 3: its velocity, AU/day
constexpr int kSidereal = 21;    // 1: sidereal time's TDB terms, degrees
constexpr int kTdbMinusTt = 22;  // 1: TDB - TT, days
static_assert(kTdbMinusTt + 1 == STAR_TRACK_SERIES);

// As in horizon.cpp: equ2hor's refraction iteration.
constexpr double kRefractionTolerance = 3.0e-5;
constexpr int kRefractionMaxEvaluations = 100;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// The span's argument of its Chebyshev series, in [-1, 1], at TT jd_tt.
double span_argument(const star_track_span &s, double jd_tt) {
  return (2.0 * jd_tt - (s.jd_first + s.jd_last)) / (s.jd_last - s.jd_first);
}

// The exact quantities at one TT date, in the order of the series.
void exact_quantities(double jd_tt, double q[STAR_TRACK_SERIES]) {
  const double jd_tdb = astro::tdb_from_tt(jd_tt);
  const astro::DateModels m = astro::date_models(jd_tdb);
  const Vec3 axes[3] = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}};
  for (int j = 0; j < 3; ++j) {
    const Vec3 column = astro::true_from_gcrs(m, axes[j]);
    q[kMatrix + 0 * 3 + j] = column.x;
    q[kMatrix + 1 * 3 + j] = column.y;
    q[kMatrix + 2 * 3 + j] = column.z;
  }
  const astro::BarycentricState b = astro::barycentric_state(jd_tdb);
  const Vec3 vectors[4] = {b.earth.position, b.earth.velocity, b.sun, b.sun_velocity};
  for (int k = 0; k < 4; ++k) {
    q[kEarth + 3 * k] = vectors[k].x;
    q[kEarth + 3 * k + 1] = vectors[k].y;
    q[kEarth + 3 * k + 2] = vectors[k].z;
  }
  // sidereal_time's terms beyond the rotation angle, as it sums them.
  const double t = m.t;
  const double precession_ra =
      ((((-0.0000000368 * t - 0.000029956) * t - 0.00000044) * t + 1.3915817) * t +
       4612.156534) * t;
  q[kSidereal] = ((15.0 * m.ee + 0.014506) + precession_ra) / 3600.0;
  q[kTdbMinusTt] = jd_tdb - jd_tt;
}

// Every series of the span at argument x (Clenshaw's recurrence).
void span_quantities(const star_track_span &s, double x, double q[STAR_TRACK_SERIES]) {
  double b1[STAR_TRACK_SERIES] = {}, b2[STAR_TRACK_SERIES] = {};
  const double x2 = 2.0 * x;
  for (int j = STAR_TRACK_NODES - 1; j >= 1; --j) {
    for (int k = 0; k < STAR_TRACK_SERIES; ++k) {
      const double b = x2 * b1[k] - b2[k] + s.coef[j][k];
      b2[k] = b1[k];
      b1[k] = b;
    }
  }
  for (int k = 0; k < STAR_TRACK_SERIES; ++k)
    q[k] = x * b1[k] - b2[k] + s.coef[0][k];
}

Vec3 vector_at(const double q[STAR_TRACK_SERIES], int first) {
  return {q[first], q[first + 1], q[first + 2]};
}

// M . v and M^T . v for the row-major matrix at q[kMatrix].
Vec3 to_true(const double *m, const Vec3 &v) {
  return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[3] * v.x + m[4] * v.y + m[5] * v.z,
          m[6] * v.x + m[7] * v.y + m[8] * v.z};
}
Vec3 to_gcrs(const double *m, const Vec3 &v) {
  return {m[0] * v.x + m[3] * v.y + m[6] * v.z, m[1] * v.x + m[4] * v.y + m[7] * v.z,
          m[2] * v.x + m[5] * v.y + m[8] * v.z};
}

short int fail(short int status, double *zd, double *az, double *ra, double *dec) {
  *zd = *az = kNan;
  if (ra != nullptr)
    *ra = kNan;
  if (dec != nullptr)
    *dec = kNan;
  return status;
}

} // namespace

extern "C" {

/*
**  star_track_span_fit: the shared series of a span.
**
**  Given, Returned: see novas_kit.h.
**
**  Notes:
**  1) The nodes are x_i = cos(pi (i + 1/2) / N), N = STAR_TRACK_NODES, of
**     the span mapped onto [-1, 1]; coefficient j of a series is
**     (2 / N) sum_i f(x_i) cos(pi j (i + 1/2) / N), halved for j = 0.
*/
short int star_track_span_fit(double jd_first, double jd_last, double delta_t,
                              star_track_span *span) {
  if (!(std::isfinite(jd_first) && std::isfinite(jd_last) && jd_first < jd_last &&
        jd_last - jd_first <= STAR_TRACK_MAX_DAYS && std::isfinite(delta_t)))
    return 1;
  for (const double jd : {jd_first, jd_last}) {
    const short int status = astro::star_date_status(1, astro::tdb_from_tt(jd));
    if (status != 0)
      return status;
  }
  span->jd_first = jd_first;
  span->jd_last = jd_last;
  span->delta_t = delta_t;

  constexpr int n = STAR_TRACK_NODES;
  double values[n][STAR_TRACK_SERIES];
  const double mid = 0.5 * (jd_first + jd_last), half = 0.5 * (jd_last - jd_first);
  for (int i = 0; i < n; ++i)
    exact_quantities(mid + half * std::cos(astro::kPi * (i + 0.5) / n), values[i]);
  for (int j = 0; j < n; ++j) {
    for (int k = 0; k < STAR_TRACK_SERIES; ++k) {
      double c = 0.0;
      for (int i = 0; i < n; ++i)
        c += values[i][k] * std::cos(astro::kPi * j * (i + 0.5) / n);
      span->coef[j][k] = (j == 0 ? 1.0 : 2.0) * c / n;
    }
  }
  return 0;
}

/*
**  star_track_fit: a star's track at a site.
**
**  Given, Returned: see novas_kit.h.
**
**  Notes:
**  1) The site's distances are terra's: the reference ellipsoid
**     a = 6378.1366 km, f = 1/298.25642, plus the height, in AU.
*/
short int star_track_fit(const star_track_span *span, const cat_entry *star,
                         const on_surface *site, short int ref_option,
                         star_track *track) {
  track->span = span;
  track->star = *star;
  track->site = *site;
  track->ref_option = ref_option;
  astro::StarVectors sv;
  track->status = astro::star_vectors(*star, &sv) ? 0 : astro::kStarNotPlaced;
  if (track->status == 0) {
    astro::to_array(sv.position, track->position);
    astro::to_array(sv.velocity, track->velocity);
  }

  const double df2 = (1.0 - astro::kEarthFlattening) * (1.0 - astro::kEarthFlattening);
  const double phi = site->latitude * astro::kDegToRad;
  track->sin_lat = std::sin(phi);
  track->cos_lat = std::cos(phi);
  const double c =
      1.0 / std::sqrt(track->cos_lat * track->cos_lat + df2 * track->sin_lat * track->sin_lat);
  const double ht_km = site->height / 1000.0;
  const double ach = astro::kEarthRadiusKm * c + ht_km;
  const double ash = astro::kEarthRadiusKm * df2 * c + ht_km;
  track->site_radius[0] = ach * track->cos_lat / astro::kAuKm;
  track->site_radius[1] = ash * track->sin_lat / astro::kAuKm;
  track->earth_limb = astro::earth_limb(
      {track->site_radius[0], 0.0, track->site_radius[1]});
  const astro::Atmosphere air = astro::atmosphere(*site, ref_option);
  track->pressure = air.pressure;
  track->temperature = air.temperature;
  return track->status;
}

/*
**  star_track_horizon: a tracked star's horizon place.
**
**  Given, Returned: see novas_kit.h.
**
**  Notes:
**  1) In topo_star's order: the observer (the Earth's fitted state plus the
**     site's, formed on the true equator at the local apparent sidereal
**     angle and turned to the GCRS by the fitted matrix), the star moved
**     along its space motion, the parallax, the deflection by the Sun and
**     the Earth, the aberration, the turn to the true equator; then
**     equ2hor's frame at the same sidereal angle and its refraction.
*/
short int star_track_horizon(const star_track *track, double jd_tt, double jd_ut1,
                             double *zd, double *az, double *ra, double *dec) {
  if (track->status != 0)
    return fail(track->status, zd, az, ra, dec);
  const star_track_span &s = *track->span;
  if (!(jd_tt >= s.jd_first && jd_tt <= s.jd_last))
    return fail(3, zd, az, ra, dec);

  double q[STAR_TRACK_SERIES];
  span_quantities(s, span_argument(s, jd_tt), q);
  const double *m = q + kMatrix;

  // sidereal_time, its TDB terms from the series.
  double gast =
      std::fmod(q[kSidereal] + astro::earth_rotation_angle(jd_ut1, 0.0), 360.0) / 15.0;
  if (gast < 0.0)
    gast += 24.0;
  const double local = (15.0 * gast + track->site.longitude) * astro::kDegToRad;
  const double sinst = std::sin(local), cosst = std::cos(local);

  // observer_state, on the true equator then the GCRS.
  const double rho = track->site_radius[0];
  const double spin = astro::kEarthRotationRate * astro::kSecondsPerDay;
  const Vec3 geo = to_gcrs(m, {rho * cosst, rho * sinst, track->site_radius[1]});
  const Vec3 geo_vel = to_gcrs(m, {-spin * rho * sinst, spin * rho * cosst, 0.0});
  const Vec3 earth = vector_at(q, kEarth);
  const Vec3 obs = astro::sum(earth, geo);
  const Vec3 obs_vel = astro::sum(vector_at(q, kEarthVel), geo_vel);

  // topocentric_star.
  const astro::StarVectors sv{astro::from_array(track->position),
                              astro::from_array(track->velocity)};
  const double ahead = astro::light_time_offset(sv.position, obs);
  const Vec3 moved = astro::star_position_at(sv, jd_tt + q[kTdbMinusTt] + ahead);
  const Vec3 seen = astro::difference(moved, obs);
  const double dist = astro::norm(seen);
  const Vec3 direction = astro::scaled(seen, 1.0 / dist);
  const Vec3 *deflector =
      astro::deflected_by_earth(direction, geo, track->earth_limb) ? &earth : nullptr;
  const Vec3 bent = astro::star_light_deflection(seen, obs, vector_at(q, kSun),
                                                 vector_at(q, kSunVel), deflector);
  const Vec3 apparent =
      astro::aberration(astro::scaled(bent, 1.0 / astro::norm(bent)), obs_vel, dist);
  const Vec3 w = to_true(m, apparent);
  if (!std::isfinite(w.x) || !std::isfinite(w.y) || !std::isfinite(w.z))
    return fail(astro::kStarNotPlaced, zd, az, ra, dec);
  if (ra != nullptr || dec != nullptr) {
    double r, d;
    astro::to_ra_dec(w, &r, &d);
    if (ra != nullptr)
      *ra = r;
    if (dec != nullptr)
      *dec = d;
  }

  // horizon_in_frame, the frame turned by the same local angle: zenith
  // (cos phi cos, cos phi sin, sin phi), north (-sin phi cos, -sin phi
  // sin, cos phi), west (sin, -cos, 0).
  const double cl = track->cos_lat, sl = track->sin_lat;
  const double pz = cl * (w.x * cosst + w.y * sinst) + sl * w.z;
  const double pn = -sl * (w.x * cosst + w.y * sinst) + cl * w.z;
  const double pw = w.x * sinst - w.y * cosst;
  const double proj = std::sqrt(pn * pn + pw * pw);
  double azimuth = 0.0;
  if (proj > 0.0)
    azimuth = -std::atan2(pw, pn) * astro::kRadToDeg;
  if (azimuth < 0.0)
    azimuth += 360.0;
  if (azimuth >= 360.0)
    azimuth -= 360.0;
  double zenith = std::atan2(proj, pz) * astro::kRadToDeg;

  if (track->ref_option != 0) {
    const astro::Atmosphere air{track->pressure, track->temperature};
    const double zd0 = zenith;
    bool converged = false;
    for (int evaluations = 0; !converged && evaluations < kRefractionMaxEvaluations;
         ++evaluations) {
      const double prev = zenith;
      zenith = zd0 - astro::refraction(air, prev);
      converged = std::fabs(zenith - prev) <= kRefractionTolerance;
    }
    if (!converged) {
      *zd = *az = kNan;
      return 0;
    }
  }
  *zd = zenith;
  *az = azimuth;
  return 0;
}

} // extern "C"
