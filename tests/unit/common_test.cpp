// common_test.cpp - what the kit's programs share (common/): the name a
// program shows for itself and the time-scale settings.
#include <gtest/gtest.h>

#include "program_name.h"
#include "time_scale_settings.h"

namespace {

TEST(ProgramName, ArgumentZeroVerbatimOrOwnName) {
  const char *path[] = {"/opt/kit/bin/../bin/azellimits", nullptr};
  EXPECT_STREQ(kit::program_name(1, path, "azellimits"), path[0]);
  const char *none[] = {nullptr};
  EXPECT_STREQ(kit::program_name(0, none, "azellimits"), "azellimits");
  EXPECT_STREQ(kit::program_name(0, nullptr, "elevlimits"), "elevlimits");
  // Linux turns an empty argument vector into one empty argument.
  const char *empty[] = {"", nullptr};
  EXPECT_STREQ(kit::program_name(1, empty, "polarlimits"), "polarlimits");
}

// TT = UTC + 69.184 s and UT1 = UTC, in the operations the astronomy's
// dates are formed with.
TEST(TimeScaleSettings, TheKitsFixedValues) {
  const kit::TimeScaleSettings &ts = kit::kTimeScales;
  EXPECT_EQ(ts.delta_t(), 32.184 + 37 - 0.0);
  EXPECT_EQ(ts.delta_t(), 69.184);
  const double jd = 2457696.6666666665;
  EXPECT_EQ(ts.jd_tt(jd), jd + 69.184 / 86400.0);
  EXPECT_EQ(ts.jd_ut1(jd), jd);
  EXPECT_EQ(ts.polar_x, 0.0);
  EXPECT_EQ(ts.polar_y, 0.0);
}

} // namespace
