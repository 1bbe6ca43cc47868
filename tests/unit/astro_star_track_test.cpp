// The star track against star_horizon_batch: many random stars, sites,
// dates from 1900 to 2100 and spans, and a star with a large proper
// motion and parallax, each within 1e-10 degree in direction at instants
// across the span; and the track's refusals.  Built with the extension's
// implementation the programs get; against a real NOVAS both sides are
// the NOVAS calls.
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "novas_kit.h"
#include "star_entry.h"

namespace {

constexpr double kDeltaT = 69.184;
constexpr double kDegToRad = 0.017453292519943296;
constexpr double kRadToDeg = 57.295779513082321;
// The track's promise: within 1e-10 degree of star_horizon_batch.
constexpr double kTolerance = 1.0e-10;

// The angle (degrees) between two horizon directions.
double separation(double zd1, double az1, double zd2, double az2) {
  const double z1 = zd1 * kDegToRad, a1 = az1 * kDegToRad;
  const double z2 = zd2 * kDegToRad, a2 = az2 * kDegToRad;
  const double x = std::sin(z1) * std::cos(a1) - std::sin(z2) * std::cos(a2);
  const double y = std::sin(z1) * std::sin(a1) - std::sin(z2) * std::sin(a2);
  const double z = std::cos(z1) - std::cos(z2);
  return 2.0 * std::asin(0.5 * std::sqrt(x * x + y * y + z * z)) * kRadToDeg;
}

struct Worst {
  double direction = 0.0, zd = 0.0;
  int compared = 0;
};

// Compares the track with star_horizon_batch at count instants spread over
// the span (both ends among them) and returns the largest differences.
void compare_span(const cat_entry &star, on_surface site, short int ref_option,
                  double jd_first, double days, int count, std::mt19937_64 &rng, Worst &worst) {
  star_track_span span;
  ASSERT_EQ(star_track_span_fit(jd_first, jd_first + days, kDeltaT, &span), 0);
  star_track track;
  ASSERT_EQ(star_track_fit(&span, &star, &site, ref_option, &track), 0);
  std::uniform_real_distribution<double> within(0.0, days);
  for (int i = 0; i < count; ++i) {
    const double jd_tt =
        i == 0 ? jd_first : i == 1 ? jd_first + days : jd_first + within(rng);
    const double jd_ut1 = jd_tt - kDeltaT / 86400.0;
    star_horizon expected;
    ASSERT_EQ(star_horizon_batch(jd_tt, jd_ut1, kDeltaT, &site, ref_option, 1, &star,
                                 nullptr, &expected),
              0);
    double zd, az, ra, dec;
    ASSERT_EQ(star_track_horizon(&track, jd_tt, jd_ut1, &zd, &az, &ra, &dec), 0);
    const double d = separation(zd, az, expected.zd, expected.az);
    const double dz = std::fabs(zd - expected.zd);
    EXPECT_LE(d, kTolerance) << "jd_tt " << jd_tt << " zd " << expected.zd;
    EXPECT_LE(dz, kTolerance) << "jd_tt " << jd_tt << " zd " << expected.zd;
    // The place itself: the same direction on the sky.
    EXPECT_LE(separation(90.0 - dec, ra * 15.0, 90.0 - expected.dec, expected.ra * 15.0),
              kTolerance);
    if (expected.zd > 1.0 && expected.zd < 179.0) {
      double daz = std::fabs(az - expected.az);
      daz = std::fmin(daz, 360.0 - daz);
      EXPECT_LE(daz * std::sin(expected.zd * kDegToRad), kTolerance);
    }
    worst.direction = std::fmax(worst.direction, d);
    worst.zd = std::fmax(worst.zd, dz);
    ++worst.compared;
  }
}

TEST(StarTrack, RandomStarsSitesDatesAndSpans) {
  std::mt19937_64 rng(20300101);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  Worst worst;
  for (int trial = 0; trial < 120; ++trial) {
    const double ra = 24.0 * unit(rng);
    const double dec = std::asin(2.0 * unit(rng) - 1.0) * kRadToDeg;
    const double pm_ra = 2000.0 * (unit(rng) - 0.5), pm_dec = 2000.0 * (unit(rng) - 0.5);
    const double parallax = trial % 3 == 0 ? 0.0 : 300.0 * unit(rng);
    const double rad_vel = 200.0 * (unit(rng) - 0.5);
    const cat_entry star = entry(ra, dec, pm_ra, pm_dec, parallax, rad_vel);
    on_surface site;
    make_on_surface(178.0 * unit(rng) - 89.0, 360.0 * unit(rng) - 180.0, 4000.0 * unit(rng),
                    10.0, 1010.0, &site);
    // TT Julian dates from 1900 to 2100, spans from an hour to 4 days.
    const double jd_first = 2415020.5 + 73000.0 * unit(rng);
    const double days = 1.0 / 24.0 + (STAR_TRACK_MAX_DAYS - 1.0 / 24.0) * unit(rng);
    compare_span(star, site, static_cast<short int>(trial % 2), jd_first, days, 60, rng,
                 worst);
  }
  EXPECT_EQ(worst.compared, 120 * 60);
  RecordProperty("largest_direction_difference_deg", std::to_string(worst.direction));
  std::printf("largest differences over %d instants: direction %.3g deg, zd %.3g deg\n",
              worst.compared, worst.direction, worst.zd);
}

TEST(StarTrack, AStarWithProperMotionAndParallax) {
  // Barnard's star: 10.4 arcseconds a year, 548 mas of parallax.
  const cat_entry star =
      entry(17.963471675, 4.69339088, -798.58, 10328.12, 548.31, -110.6);
  std::mt19937_64 rng(7);
  Worst worst;
  for (const double latitude : {38.43313, -30.0, 0.0, 75.0}) {
    on_surface site;
    make_on_surface(latitude, -79.83984, 824.0, 10.0, 1010.0, &site);
    for (const double jd_first : {2415020.5, 2451545.0, 2462502.5, 2488069.5})
      for (const short int ref_option : {0, 1})
        compare_span(star, site, ref_option, jd_first, STAR_TRACK_MAX_DAYS, 200, rng, worst);
  }
  EXPECT_EQ(worst.compared, 4 * 4 * 2 * 200);
  std::printf("largest differences over %d instants: direction %.3g deg, zd %.3g deg\n",
              worst.compared, worst.direction, worst.zd);
}

TEST(StarTrack, ASpanOutsideTheRulesIsRefused) {
  star_track_span span;
  EXPECT_EQ(star_track_span_fit(2462502.5, 2462502.5, kDeltaT, &span), 1);
  EXPECT_EQ(star_track_span_fit(2462503.5, 2462502.5, kDeltaT, &span), 1);
  EXPECT_EQ(star_track_span_fit(2462502.5, 2462502.5 + STAR_TRACK_MAX_DAYS + 0.01, kDeltaT,
                                &span),
            1);
  EXPECT_EQ(star_track_span_fit(std::nan(""), 2462502.5, kDeltaT, &span), 1);
}

TEST(StarTrack, AnInstantOutsideTheSpanIsRefused) {
  star_track_span span;
  ASSERT_EQ(star_track_span_fit(2462502.5, 2462504.5, kDeltaT, &span), 0);
  const cat_entry star = entry(12.5, 2.0);
  on_surface site;
  make_on_surface(38.43313, -79.83984, 824.0, 10.0, 1010.0, &site);
  star_track track;
  ASSERT_EQ(star_track_fit(&span, &star, &site, 1, &track), 0);
  double zd = 0.0, az = 0.0;
  EXPECT_EQ(star_track_horizon(&track, 2462504.6, 2462504.6, &zd, &az, nullptr, nullptr), 3);
  EXPECT_TRUE(std::isnan(zd) && std::isnan(az));
  EXPECT_EQ(star_track_horizon(&track, 2462503.5, 2462503.5, &zd, &az, nullptr, nullptr), 0);
  EXPECT_TRUE(zd > 0.0 && zd < 180.0 && az >= 0.0 && az < 360.0);
}

} // namespace
