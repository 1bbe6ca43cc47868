// Stars' places in the astronomy layer: topo_star's status codes and the
// batch's for each star, and the parts of the place against independent
// formulas (space motion, parallax, light deflection, the barycentre
// against ERFA's ephemeris).  NOVAS's own pointing of the reference sources
// is checked through the public interface in astro_star_batch_test.
#include <cmath>

#include <gtest/gtest.h>

#include <erfa.h>

#include "barycentre.h"
#include "catalog_star.h"
#include "constants.h"
#include "light_deflection.h"
#include "novas_kit.h"
#include "precession_nutation.h"
#include "star_entry.h"
#include "star_place.h"
#include "time_scales.h"
#include "vector.h"

namespace {

constexpr double kDeltaT = 69.184;
constexpr double kArcsecPerRad = 206264.80624709636;

on_surface site_at(double latitude) {
  on_surface s;
  make_on_surface(latitude, -79.83984, 824.0, 10.0, 1010.0, &s);
  return s;
}

// The unit vector of a place, ra hours and dec degrees.
astro::Vec3 unit(double ra_h, double dec_deg) {
  const double a = ra_h * 15.0 * astro::kDegToRad, d = dec_deg * astro::kDegToRad;
  return {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
}

// The angle between two places, arcseconds.
double separation(double ra1, double dec1, double ra2, double dec2) {
  const astro::Vec3 a = unit(ra1, dec1), b = unit(ra2, dec2);
  const astro::Vec3 c = {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  return std::atan2(astro::norm(c), astro::dot(a, b)) * kArcsecPerRad;
}


TEST(StarStatus, AccuracyDateAndCatalog) {
  on_surface site = site_at(38.43313);
  cat_entry star = entry(16.716336083, 39.810276111);
  const double jd_tt = 2462654.5;
  double ra = 7.0, dec = 7.0;
  const struct {
    short int accuracy;
    double jd_tt;
    short int want;
  } cases[] = {
      {1, jd_tt, 0},      {2, jd_tt, 1},      {-1, jd_tt, 1},
      {2, 2000000.5, 1},  // the accuracy before the date
      {0, jd_tt, 33},     // full accuracy is refused...
      {0, 2000000.5, 33}, // ...before the date is looked at
      {1, 2340000.4, 31}, {1, 2340000.6, 0}, {1, 2560000.4, 0},
      {1, 2560000.6, 31}, {1, NAN, 31},       {1, INFINITY, 31},
  };
  for (const auto &c : cases) {
    ra = dec = 7.0;
    EXPECT_EQ(topo_star(c.jd_tt, kDeltaT, &star, &site, c.accuracy, &ra, &dec), c.want)
        << c.accuracy << " " << c.jd_tt;
    if (c.want != 0) {
      EXPECT_EQ(ra, 0.0);
      EXPECT_EQ(dec, 0.0);
    } else {
      EXPECT_GE(ra, 0.0);
      EXPECT_LT(ra, 24.0);
    }
  }
  // TDB 2340000.5 and 2560000.5 are served, the dates just outside not.
  EXPECT_EQ(astro::star_date_status(1, 2340000.5), 0);
  EXPECT_EQ(astro::star_date_status(1, 2560000.5), 0);
  EXPECT_EQ(astro::star_date_status(1, std::nextafter(2340000.5, 0.0)), 31);
  EXPECT_EQ(astro::star_date_status(1, std::nextafter(2560000.5, 3e6)), 31);

  // Catalog entries that describe no place, and arguments that leave none.
  const cat_entry refused[] = {
      entry(NAN, 10.0),
      entry(1.0, INFINITY),
      entry(1.0, 10.0, NAN),
      entry(1.0, 10.0, 0.0, -INFINITY),
      entry(1.0, 10.0, 0.0, 0.0, INFINITY),
      entry(1.0, 10.0, 0.0, 0.0, 7.0e8),                    // 1 / sin(194 deg) < 0
      entry(1.0, 10.0, 0.0, 0.0, 100.0, 299792.458),        // the speed of light
      entry(1.0, 10.0, 0.0, 0.0, 100.0, 4.0e5),             // faster
      entry(1.0, 10.0, 1e300, 1e300, 1e-300),               // moves out of range
  };
  for (const cat_entry &bad : refused) {
    cat_entry s = bad;
    ra = dec = 7.0;
    EXPECT_EQ(topo_star(jd_tt, kDeltaT, &s, &site, 1, &ra, &dec), 2)
        << s.ra << " " << s.dec << " " << s.promora << " " << s.parallax << " "
        << s.radialvelocity;
    EXPECT_EQ(ra, 0.0);
    EXPECT_EQ(dec, 0.0);
  }
  ra = dec = 7.0;
  EXPECT_EQ(topo_star(jd_tt, NAN, &star, &site, 1, &ra, &dec), 2);
  on_surface lost = site;
  lost.latitude = NAN;
  EXPECT_EQ(topo_star(jd_tt, kDeltaT, &star, &lost, 1, &ra, &dec), 2);
  // A fast star nearly towards us is still a place.
  cat_entry near_light = entry(1.0, 10.0, 100.0, 100.0, 100.0, -299000.0);
  EXPECT_EQ(topo_star(jd_tt, kDeltaT, &near_light, &site, 1, &ra, &dec), 0);
}

// The batch returns each star's status and not-a-number for a star it did
// not place, and the first failure as its value; a date outside the
// ephemeris fails every star.
TEST(StarStatus, BatchReportsEachStar) {
  on_surface site = site_at(38.43313);
  const cat_entry stars[3] = {entry(1.0, 10.0), entry(NAN, 10.0), entry(2.0, -20.0)};
  star_horizon out[3];
  const double jd = 2462654.5;
  EXPECT_EQ(star_horizon_batch(jd + kDeltaT / 86400.0, jd, kDeltaT, &site, 1, 3, stars,
                               nullptr, out),
            2);
  EXPECT_EQ(out[0].status, 0);
  EXPECT_TRUE(std::isfinite(out[0].zd));
  EXPECT_EQ(out[1].status, 2);
  for (double v : {out[1].zd, out[1].az, out[1].ra, out[1].dec})
    EXPECT_TRUE(std::isnan(v));
  EXPECT_EQ(out[2].status, 0);
  EXPECT_TRUE(std::isfinite(out[2].az));

  EXPECT_EQ(star_horizon_batch(2000000.5, 2000000.5, kDeltaT, &site, 1, 3, stars, nullptr,
                               out),
            31);
  for (const star_horizon &h : out) {
    EXPECT_EQ(h.status, 31);
    EXPECT_TRUE(std::isnan(h.zd));
  }
  EXPECT_EQ(star_horizon_batch(2000000.5, 2000000.5, kDeltaT, &site, 1, 0, stars, nullptr,
                               out),
            0);
}

// A star with a large space motion (Barnard's star's: 10.4 arcseconds a
// year, 111 km/s towards us), moved a century along its catalog vectors:
// its direction from the barycentre turns along the great circle of the
// proper motion's position angle by atan(k mu t / (1 + k v_r t / d)), k the
// Doppler factor 1 / (1 - v_r / c), mu in radians a day, d the distance;
// rectilinear motion makes this exact, the test's own trigonometry good to
// about 1e-10 arcsecond.
TEST(StarMotion, MovesAlongItsGreatCircle) {
  const double pm_ra = -798.58, pm_dec = 10328.12, parallax = 548.31, rv = -110.51;
  const cat_entry star = entry(17.963472, 4.693391, pm_ra, pm_dec, parallax, rv);
  astro::StarVectors sv;
  ASSERT_TRUE(astro::star_vectors(star, &sv));
  const double d = 1.0 / std::sin(parallax * 1e-3 / kArcsecPerRad);
  EXPECT_NEAR(astro::norm(sv.position) / d, 1.0, 1e-15);

  for (const double years : {-100.0, 1.0, 100.0}) {
    const double t = years * 365.25;
    const astro::Vec3 moved = astro::star_position_at(sv, astro::kJ2000 + t);
    const double k = 1.0 / (1.0 - rv / 299792.458);
    const double mu = std::hypot(pm_ra, pm_dec) * 1e-3 / kArcsecPerRad / 365.25;
    const double vr = rv * 86400.0 / 1.4959787069098932e8;
    const double turn = std::atan(k * mu * t / (1.0 + k * vr * t / d));
    // Destination of a great-circle arc from (ra, dec) at position angle pa.
    const double pa = std::atan2(pm_ra, pm_dec);
    const double a0 = star.ra * 15.0 * astro::kDegToRad, d0 = star.dec * astro::kDegToRad;
    const double d1 = std::asin(std::sin(d0) * std::cos(turn) +
                                std::cos(d0) * std::sin(turn) * std::cos(pa));
    const double a1 =
        a0 + std::atan2(std::sin(pa) * std::sin(turn) * std::cos(d0),
                        std::cos(turn) - std::sin(d0) * std::sin(d1));
    const double got_ra = std::atan2(moved.y, moved.x) * astro::kRadToDeg / 15.0;
    const double got_dec = std::atan2(moved.z, std::hypot(moved.x, moved.y)) * astro::kRadToDeg;
    EXPECT_LT(separation(got_ra, got_dec, a1 * astro::kRadToDeg / 15.0,
                         d1 * astro::kRadToDeg),
              1e-8)
        << years;
    // The star turns by some 1,000 arcseconds in a century, less going
    // away (the distance grows by 0.7 % a century towards us).
    EXPECT_NEAR(std::fabs(turn) / (k * mu * std::fabs(t)), 1.0, 0.01) << years;
  }
}

// The same star's topocentric place a century on, against a motionless
// star at the place the great circle gives: they differ only by the light
// time the observer is ahead of the barycentre along the line of sight (at
// most 500 s of proper motion, 1.6e-4 arcsecond) and the parallax of the
// changed distance (1e-5 arcsecond).
TEST(StarMotion, TopocentricPlaceFollowsTheMotion) {
  on_surface site = site_at(38.43313);
  const double pm_ra = -798.58, pm_dec = 10328.12, parallax = 548.31;
  cat_entry star = entry(17.963472, 4.693391, pm_ra, pm_dec, parallax, 0.0);
  const double jd_tt = julian_date(2100, 1, 1, 0.0);
  const double years = (astro::tdb_from_tt(jd_tt) - astro::kJ2000) / 365.25;
  const double turn = std::atan(std::hypot(pm_ra, pm_dec) * 1e-3 / kArcsecPerRad * years);
  const double pa = std::atan2(pm_ra, pm_dec);
  const double a0 = star.ra * 15.0 * astro::kDegToRad, d0 = star.dec * astro::kDegToRad;
  const double d1 =
      std::asin(std::sin(d0) * std::cos(turn) + std::cos(d0) * std::sin(turn) * std::cos(pa));
  const double a1 = a0 + std::atan2(std::sin(pa) * std::sin(turn) * std::cos(d0),
                                    std::cos(turn) - std::sin(d0) * std::sin(d1));
  cat_entry fixed = entry(a1 * astro::kRadToDeg / 15.0, d1 * astro::kRadToDeg, 0.0, 0.0,
                          parallax, 0.0);
  double ra, dec, ra_f, dec_f, ra_0, dec_0;
  ASSERT_EQ(topo_star(jd_tt, kDeltaT, &star, &site, 1, &ra, &dec), 0);
  ASSERT_EQ(topo_star(jd_tt, kDeltaT, &fixed, &site, 1, &ra_f, &dec_f), 0);
  EXPECT_LT(separation(ra, dec, ra_f, dec_f), 2e-4);
  // ...and the motion itself, 17 minutes of arc, is there: against the
  // star left at its catalog place, within the change of the annual
  // aberration (20 arcseconds) across those 17 minutes, 0.1 arcsecond.
  cat_entry still = entry(star.ra, star.dec, 0.0, 0.0, parallax, 0.0);
  ASSERT_EQ(topo_star(jd_tt, kDeltaT, &still, &site, 1, &ra_0, &dec_0), 0);
  EXPECT_NEAR(separation(ra, dec, ra_0, dec_0), turn * kArcsecPerRad, 0.1);
}

// Parallax: a star at 1.3 pc against the same direction at a gigaparsec
// (a parallax of zero or less) is displaced away from the observer's
// barycentric position, by its component across the line of sight over the
// distance; the aberration and deflection of the two directions differ by
// the displacement times 1e-4 (1e-4 arcsecond).
TEST(StarParallax, DisplacedFromTheObserversBarycentricPosition) {
  on_surface site = site_at(38.43313);
  const double jd_tt = 2462654.5, parallax = 768.0;
  cat_entry near_star = entry(14.495, -62.68, 0.0, 0.0, parallax);
  cat_entry far_star = entry(14.495, -62.68);
  cat_entry negative = entry(14.495, -62.68, 0.0, 0.0, -5.0);
  cat_entry tiny = entry(14.495, -62.68, 0.0, 0.0, astro::kUnknownParallax);
  double ra, dec, ra0, dec0, ra_n, dec_n, ra_t, dec_t;
  ASSERT_EQ(topo_star(jd_tt, kDeltaT, &near_star, &site, 1, &ra, &dec), 0);
  ASSERT_EQ(topo_star(jd_tt, kDeltaT, &far_star, &site, 1, &ra0, &dec0), 0);
  ASSERT_EQ(topo_star(jd_tt, kDeltaT, &negative, &site, 1, &ra_n, &dec_n), 0);
  ASSERT_EQ(topo_star(jd_tt, kDeltaT, &tiny, &site, 1, &ra_t, &dec_t), 0);
  EXPECT_EQ(ra_n, ra0);
  EXPECT_EQ(dec_n, dec0);
  EXPECT_EQ(ra_t, ra0);
  EXPECT_EQ(dec_t, dec0);

  // The displacement on GCRS axes: -(o - (o.u) u) / d, o the observer.
  const double jd_tdb = astro::tdb_from_tt(jd_tt);
  const astro::DateModels m = astro::date_models(jd_tdb);
  const astro::StarObserver o = astro::star_observer(jd_tt, kDeltaT, site, m);
  const astro::Vec3 u = unit(near_star.ra, near_star.dec);
  const double d = 1.0 / std::sin(parallax * 1e-3 / kArcsecPerRad);
  const astro::Vec3 across =
      astro::difference(o.position, astro::scaled(u, astro::dot(o.position, u)));
  const astro::Vec3 want = astro::scaled(across, -1.0 / d);
  // The displacement seen: the difference of the two apparent directions
  // turned back from the true equator of date.
  const astro::Vec3 seen = astro::difference(astro::gcrs_from_true(m, unit(ra, dec)),
                                             astro::gcrs_from_true(m, unit(ra0, dec0)));
  EXPECT_GT(astro::norm(want) * kArcsecPerRad, 0.5);
  EXPECT_LT(astro::norm(astro::difference(seen, want)) * kArcsecPerRad, 1e-4);
}

// Light deflection by a body 90 degrees from the object as seen by the
// observer: general relativity gives 2 GM / (c^2 E) (1 + cos 90) / sin 90,
// 4.07 milliarcseconds for the Sun at 1 AU, away from the body; within 1
// arcsecond of the line through the body and the observer nothing is
// deflected.
TEST(StarDeflection, SunAtRightAngles) {
  const double gm = 1.32712440017987e20, c = 299792458.0, au = 1.4959787069098932e11;
  const astro::Vec3 obs{1.0, 0.0, 0.0}, sun{0.0, 0.0, 0.0};
  const astro::Vec3 pos{0.0, 1e10, 0.0};
  const astro::Vec3 bent = astro::deflected_by_body(pos, obs, sun, 1.0);
  EXPECT_NEAR(astro::norm(bent) / 1e10, 1.0, 1e-15);
  EXPECT_NEAR(std::atan2(bent.x, bent.y) / (2.0 * gm / (c * c * au)), 1.0, 1e-9);
  EXPECT_EQ(bent.z, 0.0);
  // A tenth of the mass deflects a tenth as much.
  const astro::Vec3 light = astro::deflected_by_body(pos, obs, sun, 10.0);
  EXPECT_NEAR(std::atan2(light.x, light.y) / std::atan2(bent.x, bent.y), 0.1, 1e-9);

  // Behind the Sun within about 1 arcsecond: undeflected; 2 arcseconds off:
  // deflected by nearly 2 GM / (c^2 b) * 2, b the impact parameter.
  const double off = 0.5 / kArcsecPerRad;
  const astro::Vec3 behind{-1e10, 1e10 * std::tan(off), 0.0};
  const astro::Vec3 same = astro::deflected_by_body(behind, obs, sun, 1.0);
  EXPECT_EQ(same.x, behind.x);
  EXPECT_EQ(same.y, behind.y);
  const double off2 = 2.0 / kArcsecPerRad;
  const astro::Vec3 grazing{-1e10, 1e10 * std::tan(off2), 0.0};
  const astro::Vec3 g = astro::deflected_by_body(grazing, obs, sun, 1.0);
  const double turned = std::atan2(g.y, -g.x) - off2;
  EXPECT_NEAR(turned / (4.0 * gm / (c * c * au * std::sin(off2))), 1.0, 1e-5);
}

// The Sun deflects from where it stood when the light passed closest to
// it: for a star beyond it, the light time from the Sun's distance along the
// line of sight earlier; for a star away from it, where it stands.
TEST(StarDeflection, SunWhereTheLightPassedIt) {
  const astro::Vec3 obs{1.0, 0.0, 0.0}, sun{0.0, 0.0, 0.0};
  const astro::Vec3 sun_v{0.0, 1e-2, 0.0}; // exaggerated, to be seen
  const astro::Vec3 beyond{-1e10, 2e8, 0.0}, away{1e10, 2e8, 0.0};
  // The Sun is 1 AU away, 1.15 degrees off the line of sight.
  const double back = astro::light_time_offset(beyond, astro::difference(sun, obs));
  EXPECT_NEAR(back, 1e10 / astro::norm(beyond) / astro::kLightAuDay, 1e-18);
  const astro::Vec3 moved_sun = astro::difference(sun, astro::scaled(sun_v, back));
  const astro::Vec3 want = astro::deflected_by_body(beyond, obs, moved_sun, 1.0);
  const astro::Vec3 got = astro::star_light_deflection(beyond, obs, sun, sun_v, nullptr);
  EXPECT_EQ(got.x, want.x);
  EXPECT_EQ(got.y, want.y);
  EXPECT_NE(got.y, astro::deflected_by_body(beyond, obs, sun, 1.0).y);
  const astro::Vec3 got_away = astro::star_light_deflection(away, obs, sun, sun_v, nullptr);
  EXPECT_EQ(got_away.y, astro::deflected_by_body(away, obs, sun, 1.0).y);
}

// The analytic module's barycentre against ERFA's ephemeris (eraEpv00,
// an independent theory): over 2000-2100 the Sun's barycentric position
// within 3e-5 AU (ERFA's Sun-barycentre distance is up to 0.01 AU) and its
// velocity within 1.5e-7 AU/day (0.26 m/s of some 8 to 16 m/s: the model
// leaves out the inner planets and the planets' mutual perturbations;
// circular orbits would be 0.6 m/s off, the offset taken the wrong way 25).
TEST(StarBarycentre, FollowsErfasEphemeris) {
  double worst_p = 0.0, worst_v = 0.0;
  for (int i = 0; i <= 400; ++i) {
    const double jd = astro::kJ2000 + i * 36525.0 / 400.0;
    double pvh[2][3], pvb[2][3];
    eraEpv00(jd, 0.0, pvh, pvb);
    const astro::BarycentricState b = astro::barycentric_state(jd);
    const astro::Vec3 sun{pvb[0][0] - pvh[0][0], pvb[0][1] - pvh[0][1], pvb[0][2] - pvh[0][2]};
    const astro::Vec3 sun_v{pvb[1][0] - pvh[1][0], pvb[1][1] - pvh[1][1],
                            pvb[1][2] - pvh[1][2]};
    worst_p = std::fmax(worst_p, astro::norm(astro::difference(b.sun, sun)));
    worst_v = std::fmax(worst_v, astro::norm(astro::difference(b.sun_velocity, sun_v)));
    // The Earth is its heliocentric state less the barycentre's offset.
    const astro::EarthState helio = astro::earth_heliocentric(jd);
    EXPECT_EQ(b.earth.position.x, helio.position.x + b.sun.x) << jd;
    EXPECT_EQ(b.earth.velocity.z, helio.velocity.z + b.sun_velocity.z) << jd;
  }
  EXPECT_LT(worst_p, 3e-5);
  EXPECT_LT(worst_v, 1.5e-7);
}

// A result depends on its arguments alone, not on earlier calls.
TEST(StarReference, NoDependenceOnEarlierCalls) {
  on_surface site = site_at(38.43313);
  cat_entry star = entry(22.899374417, 16.148211389, 3.0, -4.0, 10.0, 20.0);
  const double jd_tt = 2462654.5;
  double ra, dec, ra2, dec2, x, y;
  ASSERT_EQ(topo_star(jd_tt, kDeltaT, &star, &site, 1, &ra, &dec), 0);
  ASSERT_EQ(topo_star(jd_tt + 1e-9, kDeltaT, &star, &site, 1, &x, &y), 0);
  ASSERT_EQ(topo_star(2451545.0, kDeltaT, &star, &site, 1, &x, &y), 0);
  ASSERT_EQ(topo_star(jd_tt, kDeltaT, &star, &site, 1, &ra2, &dec2), 0);
  EXPECT_EQ(ra, ra2);
  EXPECT_EQ(dec, dec2);
}

} // namespace