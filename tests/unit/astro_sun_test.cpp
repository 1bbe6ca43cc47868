// The Sun's places, horizon coordinates and refraction of the astronomy
// layer: the worked example at the observing site (NOVAS 3.1 values), the
// status codes and the conventions.  The day/night tool's own evaluation is
// checked on every reference instant in sunguard_test.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include <erfa.h>

#include "apparent_place.h"
#include "constants.h"
#include "novas_kit.h"
#include "observer.h"
#include "precession_nutation.h"
#include "refraction.h"
#include "sidereal_time.h"
#include "solar_ephemeris.h"
#include "vector.h"
#include "time_scales.h"

namespace {

// The observing site and time scales of the day/night tool.
constexpr double kDeltaT = 69.184;

on_surface observing_site() {
  on_surface site;
  make_on_surface(38.43313, -79.83984, 824.0, 10.0, 1010.0, &site);
  return site;
}

object body(short int type, short int number) {
  char name[SIZE_OF_OBJ_NAME] = "Body";
  cat_entry star{};
  object obj;
  EXPECT_EQ(make_object(type, number, name, &star, &obj), 0);
  return obj;
}

// 22.06.2018 00:45 UTC at the observing site (NOVAS values).
TEST(SunPlace, WorkedExample) {
  const double jd_utc = julian_date(2018, 6, 22, 0.75);
  EXPECT_EQ(jd_utc, 2458291.53125);
  const double jd_tt = jd_utc + kDeltaT / 86400.0;
  EXPECT_NEAR(jd_tt, 2458291.5320507409, 1e-10);
  const double jd_tdb = astro::tdb_from_tt(jd_tt);
  EXPECT_NEAR(jd_tdb, 2458291.5320507451, 1e-10);

  const astro::EarthState earth = astro::earth_heliocentric(jd_tdb);
  EXPECT_NEAR(earth.position.x, 0.005906856400, 1e-12);
  EXPECT_NEAR(earth.position.y, -0.932409002643, 1e-12);
  EXPECT_NEAR(earth.position.z, -0.404202153020, 1e-12);
  // Half a unit of the last digit given for x; a difference quotient of
  // positions near 1 AU over 0.2 day resolves y and z to about 1e-15 AU/day.
  EXPECT_NEAR(earth.velocity.x, 1.692268417681e-2, 5e-15);
  EXPECT_NEAR(earth.velocity.y, 3.833432179967e-5, 1e-15);
  EXPECT_NEAR(earth.velocity.z, 1.655497267716e-5, 1e-15);

  on_surface site = observing_site();
  object sun = body(0, 10);
  double ra, dec, dis;
  ASSERT_EQ(topo_planet(jd_tt, &sun, kDeltaT, &site, 1, &ra, &dec, &dis), 0);
  EXPECT_NEAR(ra, 6.04213148, 5e-9);
  EXPECT_NEAR(dec, 23.4322938, 5e-8);
  EXPECT_NEAR(dis, 1.016268562547, 1e-12);

  // NOVAS's place rests on a truncated nutation series, so the ten decimals
  // given are not reached: here the horizon coordinates agree to 3e-9 degree
  // (1e-5 arcsecond); 1e-8 degree is allowed.
  double zd, az, rar, decr;
  equ2hor(jd_utc, kDeltaT, 1, 0.0, 0.0, &site, ra, dec, 0, &zd, &az, &rar, &decr);
  EXPECT_NEAR(zd, 90.5519378951, 1e-8);
  EXPECT_NEAR(az, 301.0191833061, 1e-8);
  EXPECT_EQ(rar, ra);
  EXPECT_EQ(decr, dec);
  const double az_unrefracted = az;

  equ2hor(jd_utc, kDeltaT, 1, 0.0, 0.0, &site, ra, dec, 1, &zd, &az, &rar, &decr);
  EXPECT_NEAR(zd, 90.0228944383, 1e-8);
  EXPECT_EQ(az, az_unrefracted);
  EXPECT_NEAR(rar, 6.0703331636, 1e-9);
  EXPECT_NEAR(decr, 23.7923601346, 1e-8);

  EXPECT_NEAR(astro::refraction(site, 1, 90.5), 0.634109737023, 1e-12);
}

// The geocentric place differs from the topocentric one by the parallax
// (at most 8.8 arcseconds) and the diurnal aberration.
TEST(SunPlace, GeocentricPlaceDiffersByParallax) {
  const double jd_tt = 2458291.5320507409;
  on_surface site = observing_site();
  object sun = body(0, 10);
  double ra, dec, dis, tra, tdec, tdis;
  ASSERT_EQ(app_planet(jd_tt, &sun, 1, &ra, &dec, &dis), 0);
  ASSERT_EQ(topo_planet(jd_tt, &sun, kDeltaT, &site, 1, &tra, &tdec, &tdis), 0);
  const double arcsec_ra = (tra - ra) * 15.0 * 3600.0 * std::cos(dec * astro::kDegToRad);
  const double arcsec_dec = (tdec - dec) * 3600.0;
  const double shift = std::hypot(arcsec_ra, arcsec_dec);
  EXPECT_GT(shift, 1.0);
  EXPECT_LT(shift, 9.0);
  EXPECT_NEAR(tdis - dis, 0.0, 6400.0 / 1.4959787069098932e8);
  EXPECT_NE(tdis, dis);
}

// A result depends on its arguments alone, not on earlier calls.
TEST(SunPlace, NoDependenceOnEarlierCalls) {
  on_surface site = observing_site();
  object sun = body(0, 10);
  const double jd_tt = 2458291.5320507409;
  double first[3], again[3], other[3];
  ASSERT_EQ(topo_planet(jd_tt, &sun, kDeltaT, &site, 1, &first[0], &first[1], &first[2]), 0);
  ASSERT_EQ(topo_planet(jd_tt + 1e-9, &sun, kDeltaT, &site, 1, &other[0], &other[1], &other[2]), 0);
  ASSERT_EQ(app_planet(2451545.0, &sun, 1, &other[0], &other[1], &other[2]), 0);
  ASSERT_EQ(topo_planet(jd_tt, &sun, kDeltaT, &site, 1, &again[0], &again[1], &again[2]), 0);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(again[i], first[i]);
}

TEST(SunPlace, StatusCodes) {
  const double jd_tt = 2458291.5320507409;
  on_surface site = observing_site();
  double ra = 7.0, dec = 7.0, dis = 7.0;

  object star = body(2, 0);
  EXPECT_EQ(app_planet(jd_tt, &star, 1, &ra, &dec, &dis), 1);
  EXPECT_EQ(ra, 7.0); // untouched
  EXPECT_EQ(dec, 7.0);
  EXPECT_EQ(dis, 7.0);
  // topo_planet does not compute places outside the solar system...
  EXPECT_EQ(topo_planet(jd_tt, &star, kDeltaT, &site, 1, &ra, &dec, &dis), 1);
  EXPECT_EQ(ra, 0.0);
  EXPECT_EQ(dec, 0.0);
  EXPECT_EQ(dis, 0.0);
  // ...but the accuracy, the ephemeris and the date are checked first.
  EXPECT_EQ(topo_planet(jd_tt, &star, kDeltaT, &site, 5, &ra, &dec, &dis), 12);
  EXPECT_EQ(topo_planet(jd_tt, &star, kDeltaT, &site, 0, &ra, &dec, &dis), 33);
  EXPECT_EQ(topo_planet(2000000.5, &star, kDeltaT, &site, 1, &ra, &dec, &dis), 31);

  struct Case {
    short int type, number, accuracy;
    double jd_tt;
    short int want;
  };
  const Case cases[] = {
      {0, 10, 1, jd_tt, 0},
      {0, 10, 2, jd_tt, 12},
      {0, 10, -1, jd_tt, 12},
      {0, 3, 2, jd_tt, 12},      // the accuracy before the Earth
      {0, 3, 0, jd_tt, 13},      // the Earth before full accuracy
      {0, 3, 1, jd_tt, 13},
      {0, 10, 0, jd_tt, 33},     // full accuracy is refused...
      {0, 10, 0, 2000000.5, 33}, // ...before the date is looked at
      {0, 10, 1, 2340000.4, 31}, // TDB before 2340000.5
      {0, 10, 1, 2340000.6, 0},
      {0, 10, 1, 2560000.4, 0},
      {0, 10, 1, 2560000.6, 31}, // TDB after 2560000.5
      {0, 10, 1, NAN, 31},
      {0, 11, 1, 2000000.5, 31}, // the date before the body
      {0, 11, 1, jd_tt, 32},     // the Moon
      {0, 1, 1, jd_tt, 32},      // Mercury
      {0, 2, 1, jd_tt, 32},      // Venus
      {0, 9, 1, jd_tt, 32},      // Pluto
      {1, 1, 1, jd_tt, 49},      // a minor planet
      {1, 1, 0, jd_tt, 33},
  };
  for (const Case &c : cases) {
    object obj = body(c.type, c.number);
    ra = dec = dis = 7.0;
    EXPECT_EQ(app_planet(c.jd_tt, &obj, c.accuracy, &ra, &dec, &dis), c.want)
        << c.type << " " << c.number << " " << c.accuracy << " " << c.jd_tt;
    if (c.want != 0) {
      EXPECT_EQ(ra, 0.0);
      EXPECT_EQ(dec, 0.0);
      EXPECT_EQ(dis, 0.0);
    } else {
      EXPECT_GE(ra, 0.0);
      EXPECT_LT(ra, 24.0);
      EXPECT_NEAR(dis, 1.0, 0.02);
    }
    ra = dec = dis = 7.0;
    EXPECT_EQ(topo_planet(c.jd_tt, &obj, kDeltaT, &site, c.accuracy, &ra, &dec, &dis),
              c.want)
        << c.type << " " << c.number << " " << c.accuracy << " " << c.jd_tt;
    if (c.want != 0) {
      EXPECT_EQ(dis, 0.0);
    }
  }
}

// The ephemeris serves TDB dates 2340000.5 to 2560000.5, both included, and
// not the adjacent dates outside.
TEST(SunPlace, EphemerisSpanIsPinnedAtItsEnds) {
  const object sun = body(0, 10);
  for (const double edge : {2340000.5, 2560000.5}) {
    EXPECT_EQ(astro::place_status(sun, 1, edge, true), 0) << edge;
    EXPECT_EQ(astro::place_status(sun, 1, edge, false), 0) << edge;
  }
  EXPECT_EQ(astro::place_status(sun, 1, std::nextafter(2340000.5, 0.0), true), 31);
  EXPECT_EQ(astro::place_status(sun, 1, std::nextafter(2560000.5, 3e6), true), 31);
  EXPECT_EQ(astro::place_status(sun, 1, std::nextafter(2340000.5, 3e6), true), 0);
  EXPECT_EQ(astro::place_status(sun, 1, std::nextafter(2560000.5, 0.0), true), 0);
}

TEST(SunRecords, MakeCatEntry) {
  char name50[SIZE_OF_OBJ_NAME];
  std::memset(name50, 'n', 50);
  name50[50] = '\0';
  char name51[52];
  std::memset(name51, 'n', 51);
  name51[51] = '\0';
  char catalog3[] = "abc", catalog4[] = "abcd";

  cat_entry star{};
  star.starnumber = -1;
  EXPECT_EQ(make_cat_entry(name51, catalog3, 5, 1, 2, 3, 4, 5, 6, &star), 1);
  EXPECT_STREQ(star.starname, "");
  EXPECT_EQ(star.starnumber, -1);

  EXPECT_EQ(make_cat_entry(name50, catalog4, 5, 1, 2, 3, 4, 5, 6, &star), 2);
  EXPECT_STREQ(star.starname, name50);
  EXPECT_STREQ(star.catalog, "");
  EXPECT_EQ(star.starnumber, -1);

  EXPECT_EQ(make_cat_entry(name50, catalog3, 5, 1, 2, 3, 4, 5, 6, &star), 0);
  EXPECT_STREQ(star.catalog, "abc");
  EXPECT_EQ(star.starnumber, 5);
  EXPECT_EQ(star.ra, 1.0);
  EXPECT_EQ(star.dec, 2.0);
  EXPECT_EQ(star.promora, 3.0);
  EXPECT_EQ(star.promodec, 4.0);
  EXPECT_EQ(star.parallax, 5.0);
  EXPECT_EQ(star.radialvelocity, 6.0);
}

TEST(SunRecords, MakeObject) {
  char sun_name[SIZE_OF_OBJ_NAME] = "Sun";
  char long_name[52];
  std::memset(long_name, 'x', 51);
  long_name[51] = '\0';
  char star_name[SIZE_OF_OBJ_NAME] = "DUMMY", catalog[SIZE_OF_CAT_NAME] = "xxx";
  cat_entry star;
  ASSERT_EQ(make_cat_entry(star_name, catalog, 42, 1, 2, 0, 0, 0, 0, &star), 0);

  object obj;
  EXPECT_EQ(make_object(0, 10, sun_name, &star, &obj), 0);
  EXPECT_EQ(obj.type, 0);
  EXPECT_EQ(obj.number, 10);
  EXPECT_STREQ(obj.name, "SUN");
  EXPECT_STREQ(obj.star.starname, ""); // ignored for a major body
  EXPECT_EQ(obj.star.starnumber, 0);

  EXPECT_EQ(make_object(3, 10, sun_name, &star, &obj), 1);
  EXPECT_EQ(obj.type, 0);
  EXPECT_EQ(obj.number, 0);
  EXPECT_STREQ(obj.name, "");
  EXPECT_EQ(make_object(-1, 10, sun_name, &star, &obj), 1);

  EXPECT_EQ(make_object(0, 12, sun_name, &star, &obj), 2);
  EXPECT_EQ(make_object(0, 0, sun_name, &star, &obj), 2);
  EXPECT_EQ(make_object(1, 0, sun_name, &star, &obj), 2);
  EXPECT_EQ(obj.type, 1);
  EXPECT_EQ(obj.number, 0);
  EXPECT_STREQ(obj.name, "");
  EXPECT_EQ(make_object(1, 1000, sun_name, &star, &obj), 0);
  EXPECT_EQ(obj.number, 1000);

  EXPECT_EQ(make_object(2, 7, star_name, &star, &obj), 0);
  EXPECT_EQ(obj.type, 2);
  EXPECT_EQ(obj.number, 0);
  EXPECT_EQ(obj.star.starnumber, 42);
  EXPECT_STREQ(obj.star.catalog, "xxx");

  EXPECT_EQ(make_object(0, 11, long_name, &star, &obj), 5);
  EXPECT_EQ(obj.type, 0);
  EXPECT_EQ(obj.number, 11);
  EXPECT_STREQ(obj.name, "");
}

TEST(SunRefraction, CutOffsAndAtmosphere) {
  on_surface site = observing_site();
  // Switched off outside 0.1...91 degrees of observed zenith distance; the
  // bounds themselves are inside.
  EXPECT_EQ(astro::refraction(site, 1, std::nextafter(0.1, 0.0)), 0.0);
  EXPECT_GT(astro::refraction(site, 1, 0.1), 0.0);
  EXPECT_GT(astro::refraction(site, 1, 91.0), 0.7);
  EXPECT_EQ(astro::refraction(site, 1, std::nextafter(91.0, 92.0)), 0.0);
  EXPECT_TRUE(std::isnan(astro::refraction(site, 1, NAN)));

  // Option 1 is the standard atmosphere at the site's height whatever the
  // site's temperature and pressure; option 2 takes them.
  on_surface other = site;
  other.temperature = -20.0;
  other.pressure = 700.0;
  EXPECT_EQ(astro::refraction(other, 1, 80.0), astro::refraction(site, 1, 80.0));
  EXPECT_EQ(astro::refraction(other, 3, 80.0), astro::refraction(site, 1, 80.0));
  on_surface standard = site;
  standard.pressure = 1010.0 * std::exp(-824.0 / 9100.0);
  EXPECT_EQ(astro::refraction(standard, 2, 80.0), astro::refraction(site, 1, 80.0));
  EXPECT_NEAR(astro::refraction(other, 2, 80.0) / astro::refraction(standard, 2, 80.0),
              (700.0 / 253.0) / (standard.pressure / 283.0), 1e-12);
}

// The refraction iteration ends for any site.  For a physical atmosphere it
// converges: the Sun near the horizon is lifted, more under a higher
// pressure.  A nonsensical site makes it cycle between refractions that do
// not settle (an infinite one at -273 C, one that throws the Sun below the
// cut-off under a pressure of 1e9 mbar): after 100 evaluations every output
// is not a number, never the last iterate taken for an answer.
TEST(SunRefraction, IterationEndsAndRefusesWhatDoesNotConverge) {
  const double jd_utc = 2458291.53125;
  auto zenith = [&](double temperature, double pressure, double out[4]) {
    on_surface site;
    make_on_surface(38.43313, -79.83984, 824.0, temperature, pressure, &site);
    equ2hor(jd_utc, kDeltaT, 1, 0.0, 0.0, &site, 6.04213148, 23.4322938, 2,
            &out[0], &out[1], &out[2], &out[3]);
  };
  double unrefracted[4];
  on_surface site = observing_site();
  equ2hor(jd_utc, kDeltaT, 1, 0.0, 0.0, &site, 6.04213148, 23.4322938, 0,
          &unrefracted[0], &unrefracted[1], &unrefracted[2], &unrefracted[3]);
  EXPECT_NEAR(unrefracted[0], 90.5519378951, 1e-6);

  double normal[4], dense[4];
  zenith(10.0, 1010.0, normal);
  zenith(10.0, 1500.0, dense);
  EXPECT_NEAR(normal[1], 301.0191833, 1e-6);
  EXPECT_LT(normal[0], unrefracted[0] - 0.5);
  EXPECT_LT(dense[0], normal[0] - 0.1);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(std::isfinite(normal[i])) << i;
    EXPECT_TRUE(std::isfinite(dense[i])) << i;
  }

  for (const auto &[temperature, pressure] :
       {std::pair{-273.0, 1010.0}, std::pair{10.0, 1e9}}) {
    double cycling[4] = {-1.0, -1.0, -1.0, -1.0};
    zenith(temperature, pressure, cycling);
    for (int i = 0; i < 4; ++i)
      EXPECT_TRUE(std::isnan(cycling[i])) << temperature << " C, " << pressure
                                          << " mbar, output " << i;
  }
}

// The Earth's light deflection for the Sun 90 degrees from the observer's
// geocentric direction, seen from the Earth's surface: general relativity
// gives 2 GM/(c^2 r) cot(45 deg) = 2 GM/(c^2 r), about 0.29 milliarcsecond,
// with GM = 3.986004418e14 m^3/s^2, the geocentric gravitational constant.
TEST(SunPlace, EarthLightDeflectionIsGeneralRelativity) {
  const double r_m = 6378136.6, c = 299792458.0, gm = 3.986004418e14;
  const double r_au = 6378.1366 / 1.4959787069098932e8;
  const astro::Vec3 obs{r_au, 0.0, 0.0};
  const astro::Vec3 p{0.0, 1.0, 0.0};
  ASSERT_TRUE(astro::deflected_by_earth(p, obs));
  const astro::Vec3 bent = astro::earth_deflection(p, p, obs);
  // The light is bent away from the Earth, towards +x.
  const double angle = std::atan2(bent.x, bent.y);
  EXPECT_NEAR(angle / (2.0 * gm / (c * c * r_m)), 1.0, 1e-6);
  EXPECT_EQ(bent.z, 0.0);
}

// The limb test: from the surface the Earth deflects light arriving from
// within 108 degrees of the observer's zenith (0.8 of the way from the
// anti-zenith to the horizon's 90-degree limb).
TEST(SunPlace, EarthDeflectsUpTo108DegreesFromTheZenith) {
  const astro::Vec3 obs{6378.1366 / 1.4959787069098932e8, 0.0, 0.0};
  for (const double zeta_deg : {0.0, 90.0, 107.999999, 108.000001, 150.0}) {
    const double zeta = zeta_deg * astro::kDegToRad;
    const astro::Vec3 p{std::cos(zeta), std::sin(zeta), 0.0};
    EXPECT_EQ(astro::deflected_by_earth(p, obs), zeta_deg < 108.0) << zeta_deg;
  }
  // From farther away the limb is narrower: at 10 Earth radii it is
  // asin(0.1) = 5.74 degrees, so light 176 degrees from the zenith (within
  // 0.8 limbs of the anti-zenith) is not deflected and 175 degrees is.
  const astro::Vec3 far = astro::scaled(obs, 10.0);
  for (const double zeta_deg : {175.0, 176.0}) {
    const double zeta = zeta_deg * astro::kDegToRad;
    EXPECT_EQ(astro::deflected_by_earth({std::cos(zeta), std::sin(zeta), 0.0}, far),
              zeta_deg < 175.5)
        << zeta_deg;
  }
}

// Aberration of a direction perpendicular to the velocity: the apparent
// direction turns towards the velocity by the angle whose sine is v/c
// (relativistically exact for this geometry), v/c = 1e-4 here.
TEST(SunPlace, AberrationPerpendicularToTheVelocity) {
  const double c_au_day = 299792.458 * 86400.0 / 1.4959787069098932e8;
  const astro::Vec3 p{1.0, 0.0, 0.0};
  const astro::Vec3 v{0.0, 1e-4 * c_au_day, 0.0};
  const astro::Vec3 seen = astro::aberration(p, v, 1.0);
  EXPECT_NEAR(astro::norm(seen), 1.0, 1e-15);
  // eraAb adds the Sun's potential, 2e-8 of the effect at 1 AU.
  EXPECT_NEAR(seen.y / 1e-4, 1.0, 1e-7);
  EXPECT_EQ(seen.z, 0.0);
}

// The observer: the geodetic site on the IERS 2003 ellipsoid (a = 6378.1366
// km, 1/f = 298.25642), turned by the sidereal time and to the GCRS, moving
// with the Earth's nominal rotation 7.292115e-5 rad/s.
TEST(SunPlace, ObserverOnTheEllipsoidTurningWithTheEarth) {
  const on_surface site = observing_site();
  const double jd_ut1 = 2458291.53125;
  const astro::DateModels m =
      astro::date_models(astro::tdb_from_tt(jd_ut1 + kDeltaT / 86400.0));
  const double gast = astro::sidereal_time(jd_ut1, 0.0, m);
  double xyz[3];
  ASSERT_EQ(eraGd2gce(6378.1366, 1.0 / 298.25642, site.longitude * astro::kDegToRad,
                      site.latitude * astro::kDegToRad, site.height / 1000.0, xyz),
            0);
  const astro::Vec3 tod = astro::spin(gast, {xyz[0], xyz[1], xyz[2]});
  const double au = 1.4959787069098932e8, omega = 7.292115e-5;
  const astro::Vec3 want_p = astro::gcrs_from_true(m, astro::scaled(tod, 1.0 / au));
  const astro::Vec3 want_v = astro::gcrs_from_true(
      m, astro::scaled({-omega * tod.y, omega * tod.x, 0.0}, 86400.0 / au));
  const astro::ObserverState got = astro::observer_state(site, gast, m);
  // Within 0.1 micrometre and 1e-13 km/s: the rounding of two ways of
  // evaluating the same formulas.
  EXPECT_LT(astro::norm(astro::difference(got.position, want_p)), 1e-10 / au);
  EXPECT_LT(astro::norm(astro::difference(got.velocity, want_v)), 1e-13 / au * 86400.0);
}

// equ2hor has no status: what it cannot honour leaves every output a NaN.
TEST(SunHorizon, UnsupportedArgumentsGiveNotANumber) {
  on_surface site = observing_site();
  const double jd_ut1 = 2458291.53125;
  double want[4], got[4];
  equ2hor(jd_ut1, kDeltaT, 0, 0.0, 0.0, &site, 6.04, 23.4, 1, &want[0],
          &want[1], &want[2], &want[3]);
  for (double v : want)
    EXPECT_FALSE(std::isnan(v));
  equ2hor(jd_ut1, kDeltaT, 1, 0.0, 0.0, &site, 6.04, 23.4, 1, &got[0],
          &got[1], &got[2], &got[3]);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(got[i], want[i]); // reduced accuracy is computed alike
  const struct {
    short accuracy;
    double xp, yp;
  } refused[] = {{2, 0.0, 0.0}, {-1, 0.0, 0.0}, {7, 0.0, 0.0},
                 {1, 0.1, 0.0}, {0, 0.0, -0.1}, {1, NAN, 0.0}};
  for (const auto &r : refused) {
    got[0] = got[1] = got[2] = got[3] = 7.0;
    equ2hor(jd_ut1, kDeltaT, r.accuracy, r.xp, r.yp, &site, 6.04, 23.4, 1,
            &got[0], &got[1], &got[2], &got[3]);
    for (double v : got)
      EXPECT_TRUE(std::isnan(v)) << r.accuracy << " " << r.xp << " " << r.yp;
  }
}

TEST(SunHorizon, ZenithAndAzimuthConventions) {
  on_surface site = observing_site();
  const double jd_ut1 = 2458291.53125;
  double zd, az, rar, decr;
  // Find the local apparent sidereal time from a place on the meridian: a
  // place at hour angle 0 and declination = latitude is at the zenith
  // (geodetic zenith, declination on the true equator of date).
  const double jd_tdb = astro::tdb_from_tt(jd_ut1 + kDeltaT / 86400.0);
  const double gast = astro::sidereal_time(jd_ut1, 0.0, astro::date_models(jd_tdb));
  double last = gast + site.longitude / 15.0;
  if (last < 0.0)
    last += 24.0;
  equ2hor(jd_ut1, kDeltaT, 1, 0.0, 0.0, &site, last, site.latitude, 1, &zd, &az,
          &rar, &decr);
  EXPECT_NEAR(zd, 0.0, 1e-9);
  // Ten degrees south on the meridian: azimuth 180, refracted towards the
  // zenith, so the refracted declination moves north.
  equ2hor(jd_ut1, kDeltaT, 1, 0.0, 0.0, &site, last, site.latitude - 10.0, 1, &zd,
          &az, &rar, &decr);
  EXPECT_NEAR(az, 180.0, 1e-9);
  EXPECT_LT(zd, 10.0);
  EXPECT_GT(zd, 9.99);
  EXPECT_NEAR(decr - (site.latitude - 10.0), 10.0 - zd, 1e-9);
  // Near the zenith (but beyond the refraction's lower cut-off of 0.1
  // degree) the refracted declination still follows the refraction.
  equ2hor(jd_ut1, kDeltaT, 1, 0.0, 0.0, &site, last, site.latitude - 0.15, 1,
          &zd, &az, &rar, &decr);
  EXPECT_LT(zd, 0.15);
  EXPECT_GT(decr, site.latitude - 0.15);
  EXPECT_NEAR(decr - (site.latitude - 0.15), 0.15 - zd, 1e-9);
  // An hour angle of +6 h (west of the meridian) on the equator: on the
  // horizon, due west.
  double west = last - 6.0;
  if (west < 0.0)
    west += 24.0;
  equ2hor(jd_ut1, kDeltaT, 1, 0.0, 0.0, &site, west, 0.0, 0, &zd, &az, &rar, &decr);
  EXPECT_NEAR(zd, 90.0, 1e-9);
  EXPECT_NEAR(az, 270.0, 1e-9);
}

} // namespace
