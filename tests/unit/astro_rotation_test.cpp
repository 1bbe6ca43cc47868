// The fitted nutation series and the batched Earth rotation of the orbit
// report, against the series and ter2cel themselves.
#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "astro.h"
#include "rotation.h"

namespace {

// A deterministic sequence of dates (days from J2000) over 2000-2100.
struct Dates {
  std::uint64_t state = 12345;
  double next() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return -0.5 + 36524.0 * static_cast<double>(state >> 11) * 0x1.0p-53;
  }
};

TEST(NutationFit, FollowsTheSeriesToItsRoundingNoise) {
  astro::NutationFit fit;
  Dates dates;
  double worst[3] = {0.0, 0.0, 0.0};
  for (int i = 0; i < 4000; ++i) {
    const double d = dates.next();
    const astro::NutationTerms want = astro::nutation_terms(d);
    const astro::NutationTerms got = fit.at(d);
    worst[0] = std::fmax(worst[0], std::fabs(got.dpsi - want.dpsi));
    worst[1] = std::fmax(worst[1], std::fabs(got.deps - want.deps));
    worst[2] = std::fmax(worst[2], std::fabs(got.c_terms - want.c_terms));
  }
  // 2e-11 arcsecond, about a tenth of a micrometre at the Earth's radius.
  const double bound = 2e-11 * astro::kArcsecToRad;
  EXPECT_LE(worst[0], bound);
  EXPECT_LE(worst[1], bound);
  EXPECT_LE(worst[2], bound);
}

TEST(NutationFit, ValueDependsOnTheDateAlone) {
  // Interval edges and dates asked in different orders give the same bits.
  const double span = astro::NutationFit::kSpan;
  const double dates[] = {6000.0, 6000.0 + span * 0.999999, 6000.0 + span,
                          6000.0 - 1e-9, 12.3456, -0.25};
  astro::NutationFit forward, backward;
  astro::NutationTerms a[6], b[6];
  for (int i = 0; i < 6; ++i)
    a[i] = forward.at(dates[i]);
  for (int i = 5; i >= 0; --i)
    b[i] = backward.at(dates[i]);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(a[i].dpsi, b[i].dpsi) << dates[i];
    EXPECT_EQ(a[i].deps, b[i].deps) << dates[i];
    EXPECT_EQ(a[i].c_terms, b[i].c_terms) << dates[i];
    astro::NutationFit fresh;
    EXPECT_EQ(fresh.at(dates[i]).dpsi, a[i].dpsi) << dates[i];
  }
}

TEST(CelestialRotation, AgreesWithTer2cel) {
  const astro::Vec3 station[2] = {{882.87984013, -4924.4823080099995, 3944.13068519},
                                  {0.13822607745500268, -0.7709903907572531,
                                   0.6216649973027126}};
  astro::CelestialRotation rotation;
  Dates dates;
  double worst_km = 0.0, worst_unit = 0.0;
  for (int i = 0; i < 500; ++i) {
    const double jd = astro::kJ2000 + dates.next();
    astro::Vec3 got[2];
    rotation.rotate(jd, 69.184, 2, station, got);
    for (int k = 0; k < 2; ++k) {
      double in[3] = {station[k].x, station[k].y, station[k].z}, want[3];
      ASSERT_EQ(ter2cel(jd, 0.0, 69.184, 1, 0, 0, 0.0, 0.0, in, want), 0);
      double &worst = k == 0 ? worst_km : worst_unit;
      worst = std::fmax(worst, std::fabs(got[k].x - want[0]));
      worst = std::fmax(worst, std::fabs(got[k].y - want[1]));
      worst = std::fmax(worst, std::fabs(got[k].z - want[2]));
    }
  }
  // A few units in the last place of the coordinates (1 ulp of a 4000 km
  // coordinate is 9.1e-13 km); the series' own rounding noise grows with
  // the distance from J2000.
  EXPECT_LE(worst_km, 1e-11);
  EXPECT_LE(worst_unit, 1e-15);
}

} // namespace
