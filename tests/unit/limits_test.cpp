// Unit tests of the pointing-limit checkers: the shared command contract as
// pure functions, the equatorial mount's conversion and limits, and the
// checkers started without an argument zero.
#include "pointing.h"
#include "limit_rules.h"
#include "limit_terms.h"
#include "spawn_program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

using limits::MountPlace;
using limits::Pointing;
using limits::PointingRequest;
using limits::RequestFault;

PointingRequest read(const char *alt, const char *az) {
  const char *argv[] = {"checker", alt, az, nullptr};
  return limits::read_pointing_request(3, argv);
}

// ----- argument count, reading order, range check --------------------------

TEST(LimitsRequest, FewerThanTwoArgumentsIsUsage) {
  const char *none[] = {nullptr};
  EXPECT_EQ(limits::read_pointing_request(0, none).fault, RequestFault::usage);
  const char *one[] = {"checker", "45", nullptr};
  EXPECT_EQ(limits::read_pointing_request(2, one).fault, RequestFault::usage);
}

TEST(LimitsRequest, BadAltitudeLeavesAzimuthUnread) {
  // A null azimuth argument would crash strtod if it were read.
  const char *argv[] = {"checker", "100", nullptr, nullptr};
  const PointingRequest r = limits::read_pointing_request(3, argv);
  EXPECT_EQ(r.fault, RequestFault::altitude);
  EXPECT_EQ(r.pointing.altitude_deg, 100.0);
}

TEST(LimitsRequest, BoundsPassAndTheNextDoubleBeyondFails) {
  const double inf = std::numeric_limits<double>::infinity();
  char text[64];
  struct Bound {
    double value;
    bool altitude;
    double outward;
  };
  const Bound bounds[] = {{90.0, true, inf},
                          {-90.0, true, -inf},
                          {0.0, false, -inf},
                          {360.0, false, inf}};
  for (const Bound &b : bounds) {
    for (const bool beyond : {false, true}) {
      const double v = beyond ? std::nextafter(b.value, b.outward) : b.value;
      std::snprintf(text, sizeof text, "%a", v);
      const PointingRequest r = b.altitude ? read(text, "180") : read("45", text);
      const RequestFault bad =
          b.altitude ? RequestFault::altitude : RequestFault::azimuth;
      EXPECT_EQ(r.fault, beyond ? bad : RequestFault::none) << text;
    }
  }
}

// ----- run -------------------------------------------------------------------

// Runs the contract with a rule that records whether it was consulted.
struct CheckRun {
  int status;
  std::string err;
  bool rule_called;
};

bool g_rule_called = false;
bool recording_rule(const Pointing &) {
  g_rule_called = true;
  return true;
}

CheckRun run_check(int argc, const char *const argv[]) {
  g_rule_called = false;
  char *buf = nullptr;
  std::size_t len = 0;
  std::FILE *err = open_memstream(&buf, &len);
  const int status =
      limits::run_limit_check(argc, argv, "azellimits", recording_rule, err);
  std::fclose(err);
  CheckRun r{status, std::string(buf, len), g_rule_called};
  std::free(buf);
  return r;
}

TEST(LimitsRun, MalformedRequestNeverReachesTheRule) {
  const char *none[] = {nullptr};
  const CheckRun usage = run_check(0, none);
  EXPECT_EQ(usage.status, 1);
  EXPECT_FALSE(usage.rule_called);
  EXPECT_EQ(usage.err, "Usage: azellimits altitide_deg azimuth_deg\n");

  const char *bad_az[] = {"az", "45", "-nan", nullptr};
  const CheckRun az = run_check(3, bad_az);
  EXPECT_EQ(az.status, 1);
  EXPECT_FALSE(az.rule_called);
  EXPECT_EQ(az.err, "Problem with azimuth: -nan\n"
                    "Usage: az altitide_deg azimuth_deg\n");
}

// ----- the equatorial mount ------------------------------------------------

// Hour angle and declination as the mount computes them; tolerances are
// half a unit in the last digit the values are quoted with.
struct PlaceCase {
  double alt, az;
  double hours, hours_tol;
  double dec, dec_tol;
  bool accepted;
};

TEST(LimitsPolarMount, ConvertsAndJudgesKnownPointings) {
  const PlaceCase cases[] = {
      {90, 123, 0, 1e-9, 38.2508, 5e-5, true},
      {51.74918611111111, 180, 0, 1e-12, 0, 1e-12, true},
      {30, 90, -4.374, 5e-4, 18.03, 5e-3, true},
      {30, 270, 4.374, 5e-4, 18.03, 5e-3, true},
      {20, 45, -6.808, 5e-4, 47.19, 5e-3, false},
      {20, 315, 6.808, 5e-4, 47.19, 5e-3, false},
      {45, 180, 0, 1e-12, -6.749, 5e-4, true},
      {12, 180, 0, 1e-12, -39.75, 5e-3, false},
      {25, 180, 0, 1e-12, -26.75, 5e-3, true},
      {11, 90, -5.421, 5e-4, 6.784, 5e-4, false},
      {12, 90, -5.368, 5e-4, 7.396, 5e-4, true},
      {15, 0, -12, 0, 66.75, 5e-3, false},
      {15, 360, 12, 0, 66.75, 5e-3, false},
      {38.25081388888889, 0, -6, 5e-4, 90, 1e-6, false},
      {70, 0, 0, 1e-9, 58.25, 5e-3, true},
      {40, 0, 0, 1e-9, 88.25, 5e-3, false},
  };
  for (const PlaceCase &c : cases) {
    const MountPlace m = limits::polar_mount_place({c.alt, c.az});
    SCOPED_TRACE(testing::Message() << "altitude " << c.alt << " azimuth "
                                    << c.az);
    EXPECT_NEAR(m.hour_angle_h, c.hours, c.hours_tol);
    EXPECT_NEAR(m.declination_deg, c.dec, c.dec_tol);
    EXPECT_EQ(limits::polar_mount_accepts(m), c.accepted);
  }
}

// The stored sine and cosine are the latitude's to the last digit: the
// zenith has the latitude for its declination, the south point on the
// horizon its complement below the equator, to within the rounding of the
// conversion itself.
TEST(LimitsPolarMount, StoredSineAndCosineAreTheLatitudes) {
  const double latitude = 38.25081388888889;
  EXPECT_NEAR(limits::polar_mount_place({90.0, 180.0}).declination_deg, latitude, 2e-14);
  EXPECT_NEAR(limits::polar_mount_place({0.0, 180.0}).declination_deg,
              latitude - 90.0, 2e-14);
  // Due east on the horizon the hour angle is -6 h whatever the latitude.
  EXPECT_NEAR(limits::polar_mount_place({0.0, 90.0}).hour_angle_h, -6.0, 1e-14);
}

TEST(LimitsPolarMount, AltitudeRoundTripDecidesTheElevenDegreeBound) {
  const MountPlace at11 = limits::polar_mount_place({11.0, 90.0});
  EXPECT_EQ(at11.altitude_deg, 10.999999999999998);
  EXPECT_FALSE(limits::polar_mount_accepts(at11));

  const MountPlace above = limits::polar_mount_place({11.000000000000002, 90.0});
  EXPECT_EQ(above.altitude_deg, 11.000000000000002);
  EXPECT_TRUE(limits::polar_mount_accepts(above));
}

TEST(LimitsPolarMount, LimitBoundsIncludedNextDoubleOutsideRefused) {
  EXPECT_TRUE(limits::polar_mount_accepts({11.0, 6.5, 77.0}));
  EXPECT_TRUE(limits::polar_mount_accepts({11.0, -6.5, -37.0}));
  EXPECT_FALSE(limits::polar_mount_accepts({std::nextafter(11.0, 0.0), 0, 0}));
  EXPECT_FALSE(limits::polar_mount_accepts({45, std::nextafter(6.5, 7.0), 0}));
  EXPECT_FALSE(limits::polar_mount_accepts({45, std::nextafter(-6.5, -7.0), 0}));
  EXPECT_FALSE(limits::polar_mount_accepts({45, 0, std::nextafter(77.0, 78.0)}));
  EXPECT_FALSE(
      limits::polar_mount_accepts({45, 0, std::nextafter(-37.0, -38.0)}));
}

TEST(LimitsPolarMount, NotANumberAnywhereIsRefused) {
  const double nan = std::nan("");
  EXPECT_FALSE(limits::polar_mount_accepts({nan, 0, 0}));
  EXPECT_FALSE(limits::polar_mount_accepts({45, nan, 0}));
  EXPECT_FALSE(limits::polar_mount_accepts({45, 0, nan}));
  EXPECT_FALSE(
      limits::polar_mount_accepts(limits::polar_mount_place({30.0, nan})));
}

// ----- the limits as a search's margins -----------------------------------------

// Every margin at or above zero exactly when the checker's rule accepts:
// on random pointings, on every bound and the doubles beside it, through
// north and the meridians, and on NaN.
TEST(LimitTerms, AllMarginsInsideExactlyWhenTheCheckerAccepts) {
  using limits::Antenna;
  const limits::LimitRule rules[limits::kAntennaCount] = {limits::azel_accepts, limits::elev_accepts,
                                                          limits::polar_accepts};
  std::vector<limits::Pointing> pointings;
  std::srand(7);
  const auto uniform = [](double lo, double hi) {
    return lo + (hi - lo) * (std::rand() / (RAND_MAX + 1.0));
  };
  for (int i = 0; i < 200000; ++i)
    pointings.push_back({uniform(-90.0, 90.0), uniform(0.0, 360.0)});
  for (const double alt : {5.0, 8.0, 11.0, 82.5, 88.5, 10.999999999999998, 11.000000000000002})
    for (const double az : {0.0, 4.0, 5.0, 90.0, 180.0, 270.0, 355.0, 356.0, 360.0})
      for (const double a : {std::nextafter(alt, -100.0), alt, std::nextafter(alt, 100.0)})
        for (const double z : {std::nextafter(az, -1.0), az, std::nextafter(az, 400.0)})
          pointings.push_back({a, z});
  // Near the mount's hour-angle and declination bounds: altitude 20 at the
  // azimuths where the hour angle is 6.5 h lie near 48 and 312 degrees.
  for (int i = 0; i < 200000; ++i)
    pointings.push_back({uniform(11.0, 40.0), uniform(40.0, 60.0)});
  for (int i = 0; i < 100000; ++i)
    pointings.push_back({uniform(11.0, 14.0), uniform(170.0, 190.0)});
  pointings.push_back({std::nan(""), 180.0});
  pointings.push_back({45.0, std::nan("")});
  for (int a = 0; a < limits::kAntennaCount; ++a) {
    long inside = 0;
    for (const limits::Pointing &p : pointings) {
      limits::LimitTerm terms[limits::kMaxTerms];
      const int n = limits::antenna_terms(static_cast<Antenna>(a), p, {0.001, 0.002}, terms);
      bool all = true;
      for (int k = 0; k < n; ++k)
        all = all && terms[k].value >= 0.0;
      ASSERT_EQ(all, rules[a](p)) << limits::kAntennaNames[a] << " " << p.altitude_deg << " "
                                  << p.azimuth_deg;
      inside += all;
    }
    EXPECT_GT(inside, 1000) << limits::kAntennaNames[a];
  }
}

// The margins' rates are their derivatives along a moving pointing: against
// the margins' own differences over a millisecond, away from the kinks.
TEST(LimitTerms, RatesAreTheMarginsDerivatives) {
  std::srand(11);
  const auto uniform = [](double lo, double hi) {
    return lo + (hi - lo) * (std::rand() / (RAND_MAX + 1.0));
  };
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    const limits::Pointing p{uniform(12.0, 80.0), uniform(10.0, 350.0)};
    const limits::PointingRate r{uniform(-0.01, 0.01), uniform(-0.05, 0.05)};
    const double h = 1e-3;
    const limits::Pointing before{p.altitude_deg - r.altitude_deg_s * h,
                                  p.azimuth_deg - r.azimuth_deg_s * h};
    const limits::Pointing after{p.altitude_deg + r.altitude_deg_s * h,
                                 p.azimuth_deg + r.azimuth_deg_s * h};
    for (int a = 0; a < limits::kAntennaCount; ++a) {
      limits::LimitTerm t[limits::kMaxTerms], t0[limits::kMaxTerms], t1[limits::kMaxTerms];
      const auto antenna = static_cast<limits::Antenna>(a);
      const int n = limits::antenna_terms(antenna, p, r, t);
      limits::antenna_terms(antenna, before, r, t0);
      limits::antenna_terms(antenna, after, r, t1);
      for (int k = 0; k < n; ++k) {
        const double numeric = (t1[k].value - t0[k].value) / (2 * h);
        if (std::fabs(t1[k].value - t0[k].value) > 1.0) // across a kink's far side
          continue;
        EXPECT_NEAR(t[k].rate, numeric, 1e-6 + 1e-4 * std::fabs(numeric))
            << limits::kAntennaNames[a] << " " << t[k].bound << " " << p.altitude_deg << " "
            << p.azimuth_deg;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 100000);
}

// ----- started without an argument zero -------------------------------------

// Linux hands a program started with an empty argument vector argc 1 and an
// empty argv[0]; either way the usage text must name the program.
TEST(LimitsNoArgumentZero, UsageNamesTheProgram) {
  for (const std::string name : {"azellimits", "elevlimits", "polarlimits"}) {
    const kit_test::SpawnResult r =
        kit_test::spawn_program(std::string(KIT_BIN_DIR) + "/" + name, {});
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_EQ(r.out, "") << name;
    EXPECT_EQ(r.err, "Usage: " + name + " altitide_deg azimuth_deg\n");
  }
}

} // namespace
