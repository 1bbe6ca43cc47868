// Calendar conversion and Earth rotation against values computed with
// NOVAS 3.1 (tests/data/earth-rotation.txt).
#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "constants.h"
#include "novas_kit.h"
#include "precession_nutation.h"
#include "sidereal_time.h"
#include "time_scales.h"

namespace {

TEST(JulianDate, CalendarExamples) {
  EXPECT_EQ(julian_date(2016, 11, 4, 4.0), 2457696.6666666665);
  EXPECT_EQ(julian_date(2000, 1, 1, 12.0), 2451545.0);
  EXPECT_EQ(julian_date(1999, 12, 31, 23.5), 2451544.4791666665);
  // Days and months past their ranges run on into the next ones.
  EXPECT_EQ(julian_date(2018, 2, 31, 0.0), 2458180.5);
  EXPECT_EQ(julian_date(2018, 3, 3, 0.0), 2458180.5);
  EXPECT_EQ(julian_date(2017, 13, 1, 0.0), julian_date(2018, 1, 1, 0.0));
  EXPECT_EQ(julian_date(2018, 0, 1, 0.0), julian_date(2017, 12, 1, 0.0));
  // Gregorian leap-year rule: 2100 is not a leap year, 2000 is.
  EXPECT_EQ(julian_date(2100, 3, 1, 0.0) - julian_date(2100, 2, 28, 0.0), 1.0);
  EXPECT_EQ(julian_date(2000, 3, 1, 0.0) - julian_date(2000, 2, 28, 0.0), 2.0);
}

TEST(Ter2cel, StatusCodes) {
  double in[3] = {1.0, 2.0, 3.0};
  double out[3] = {-7.0, -7.0, -7.0};
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 1, 2, 0, 0.0, 0.0, in, out), 1);
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 3, 0, 0, 0.0, 0.0, in, out), 2);
  // A bad accuracy is reported before a bad method.
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 3, -1, 0, 0.0, 0.0, in, out), 1);
  // The CIO-based method is not provided and is refused, not substituted.
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 0, 0, 0, 0.0, 0.0, in, out), 2);
  // Output options other than 0 and 1, and polar motion, are refused.
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 1, 0, 2, 0.0, 0.0, in, out), 3);
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 1, 0, -1, 0.0, 0.0, in, out), 3);
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 1, 0, 0, 0.2, 0.0, in, out), 4);
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 1, 0, 0, 0.0, NAN, in, out), 4);
  // The method before the option, the option before the polar motion.
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 0, 0, 2, 0.2, 0.0, in, out), 2);
  EXPECT_EQ(ter2cel(2457696.5, 0.0, 69.184, 1, 0, 2, 0.2, 0.0, in, out), 3);
  EXPECT_EQ(out[0], -7.0);
  EXPECT_EQ(out[1], -7.0);
  EXPECT_EQ(out[2], -7.0);
}

// A date split in two parts is the same date: the time scales take their
// sum; only the Earth rotation angle is summed from the parts (so a few
// units in the last place may differ).
TEST(Ter2cel, TwoPartDateIsItsSum) {
  double ts1[3] = {882.87984013, -4924.4823080099995, 3944.13068519};
  double one[3], two[3], other[3];
  ASSERT_EQ(ter2cel(2457696.6666666665, 0.0, 69.184, 1, 0, 0, 0.0, 0.0, ts1, one), 0);
  ASSERT_EQ(ter2cel(2457696.5, 2457696.6666666665 - 2457696.5, 69.184, 1, 0, 0, 0.0, 0.0, ts1, two), 0);
  ASSERT_EQ(ter2cel(2457696.6666666665, 0.0, 69.184 + 1.0, 1, 0, 0, 0.0, 0.0, ts1, other), 0);
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(two[i], one[i], 1e-11);
  // One second of TT moves the frame by far more: the bound above is tight.
  EXPECT_GT(std::fabs(other[0] - one[0]) + std::fabs(other[1] - one[1]), 1e-9);
}

// The worked example: record 2016-11-04T04:00:00 UTC and station TS1.
TEST(Ter2cel, WorkedExample) {
  const double jd = 2457696.6666666665;
  const double jd_tt = jd + 69.184 / 86400.0;
  EXPECT_NEAR(jd_tt, 2457696.6674674074, 1e-9);
  const double jd_tdb = astro::tdb_from_tt(jd_tt);
  EXPECT_NEAR(astro::tdb_minus_tt((jd_tt - astro::kJ2000) / 36525.0),
              -1.425883321e-3, 1e-12);
  EXPECT_NEAR(jd_tdb, 2457696.6674673911, 1e-9);
  const astro::DateModels m = astro::date_models(jd_tdb);
  EXPECT_NEAR(astro::earth_rotation_angle(jd, 0.0), 103.618877204640, 1e-11);
  EXPECT_NEAR(m.dpsi, -7.760390449, 1e-9);
  EXPECT_NEAR(m.deps, -8.700701072, 1e-9);
  EXPECT_NEAR(m.eps_mean, 23.437088220258, 1e-12);
  EXPECT_NEAR(m.eps_true, 23.434671358849, 1e-12);
  EXPECT_NEAR(m.ee, -0.4746184835660, 1e-13);
  EXPECT_NEAR(astro::sidereal_time(jd, 0.0, m), 6.922179408811, 1e-12);

  double ts1[3] = {882.87984013, -4924.4823080099995, 3944.13068519};
  double tod[3], gcrs[3];
  ASSERT_EQ(ter2cel(jd, 0.0, 69.184, 1, 0, 1, 0.0, 0.0, ts1, tod), 0);
  EXPECT_NEAR(tod[0], 4570.577033401, 1e-9);
  EXPECT_NEAR(tod[1], 2034.656825059, 1e-9);
  EXPECT_NEAR(tod[2], 3944.130685190, 1e-9);
  ASSERT_EQ(ter2cel(jd, 0.0, 69.184, 1, 0, 0, 0.0, 0.0, ts1, gcrs), 0);
  EXPECT_NEAR(gcrs[0], 4584.526533217, 1e-9);
  EXPECT_NEAR(gcrs[1], 2017.407905379, 1e-9);
  EXPECT_NEAR(gcrs[2], 3936.794569877, 1e-9);
  // Reduced accuracy is computed like full accuracy.
  double reduced[3];
  ASSERT_EQ(ter2cel(jd, 0.0, 69.184, 1, 1, 0, 0.0, 0.0, ts1, reduced), 0);
  EXPECT_EQ(reduced[0], gcrs[0]);
  EXPECT_EQ(reduced[1], gcrs[1]);
  EXPECT_EQ(reduced[2], gcrs[2]);
}

// Every line of the reference, bit for bit: the rotation is NOVAS's own
// (its precession matrix element by element, its IAU 2000A evaluation).
TEST(Ter2cel, MatchesReferenceRotationsBitForBit) {
  const std::string path = std::string(KIT_TEST_DATA) + "/earth-rotation.txt";
  FILE *f = std::fopen(path.c_str(), "r");
  ASSERT_NE(f, nullptr) << path;
  double jd, in[3], want[3];
  int lines = 0, identical = 0;
  while (std::fscanf(f, "%lf %lf %lf %lf %lf %lf %lf", &jd, &in[0], &in[1],
                     &in[2], &want[0], &want[1], &want[2]) == 7) {
    double got[3];
    ASSERT_EQ(ter2cel(jd, 0.0, 69.184, 1, 0, 0, 0.0, 0.0, in, got), 0);
    ++lines;
    if (got[0] == want[0] && got[1] == want[1] && got[2] == want[2])
      ++identical;
    else
      ADD_FAILURE() << "line " << lines << " (JD " << jd << "): "
                    << got[0] - want[0] << " " << got[1] - want[1] << " "
                    << got[2] - want[2];
  }
  std::fclose(f);
  EXPECT_EQ(lines, 6000);
  EXPECT_EQ(identical, lines);
}

} // namespace
