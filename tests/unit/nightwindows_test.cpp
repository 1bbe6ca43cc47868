// nightwindows_test.cpp - the site's nights (nightwindows_functions and
// the nights library): every night of 2030 against sunguard's verdicts at
// every minute of the year (NOVAS 3.1), sunguard's own decision at the
// minutes around each edge, the edges at the crossings of the altitude
// sunguard computes, spans cut inside nights, and the program's answers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "captured_run.h"
#include "spawn_program.h"
#include "utc_instant.h"
#include "night_search.h"
#include "nightwindows.h"
#include "sun_altitude.h"

namespace {

const std::string kData = KIT_TEST_DATA;

std::vector<Night> nights(double start, double end) {
  NightSearch search(start, end);
  std::vector<Night> out;
  Night n;
  while (search.next(n))
    out.push_back(n);
  return out;
}

struct ReferenceNight {
  long first_minute, last_minute;
  std::string start, end; // estimates, or "open"
};

std::vector<ReferenceNight> reference_2030() {
  std::ifstream in(kData + "/windows/nights-2030.tsv");
  std::string header;
  std::getline(in, header);
  std::vector<ReferenceNight> out;
  ReferenceNight r;
  while (in >> r.first_minute >> r.last_minute >> r.start >> r.end)
    out.push_back(r);
  return out;
}

// 2030, minute by minute: the verdicts of sunguard (NOVAS 3.1) at all
// 525,600 minutes of the year make 366 nights; each night found holds
// exactly the minutes of one of them (its first and last whole minutes are
// the reference's, so every minute between agrees), and its edges lie
// within half a second of the reference's estimates (a linear
// interpolation between minutes, good to a few tenths of a second).
TEST(Nights, EveryMinuteOf2030AsSunguardDecidedIt) {
  const double start = 1893456000.0; // 2030-01-01T00:00:00Z
  const double end = 1924991940.0;   // 2030-12-31T23:59:00Z, the last minute
  const std::vector<Night> got = nights(start, end);
  const std::vector<ReferenceNight> want = reference_2030();
  ASSERT_EQ(want.size(), 366u);
  ASSERT_EQ(got.size(), want.size());
  double worst = 0.0;
  for (std::size_t i = 0; i < got.size(); ++i) {
    const Night &n = got[i];
    const ReferenceNight &r = want[i];
    SCOPED_TRACE("night " + std::to_string(i));
    EXPECT_EQ(static_cast<long>(std::ceil(n.start / 60.0) * 60.0), r.first_minute);
    EXPECT_EQ(static_cast<long>(std::floor(n.end / 60.0) * 60.0), r.last_minute);
    if (r.start != "open") {
      worst = std::fmax(worst, std::fabs(n.start - std::atof(r.start.c_str())));
      EXPECT_NEAR(n.start, std::atof(r.start.c_str()), 0.5);
      EXPECT_EQ(n.start_bound, NightBound::sunset);
      EXPECT_EQ(n.start, n.sunset + 3600.0);
    }
    if (r.end != "open") {
      worst = std::fmax(worst, std::fabs(n.end - std::atof(r.end.c_str())));
      EXPECT_NEAR(n.end, std::atof(r.end.c_str()), 0.5);
      EXPECT_EQ(n.end_bound, NightBound::sunrise);
      EXPECT_EQ(n.end, n.sunrise);
    }
  }
  std::printf("2030: 366 nights, edges within %.3f s of the reference's estimates\n", worst);
  // The year's first night is open at its start, its last at its end.
  EXPECT_EQ(got.front().start_bound, NightBound::start);
  EXPECT_TRUE(std::isnan(got.front().sunset));
  EXPECT_EQ(got.back().end_bound, NightBound::end);
  EXPECT_TRUE(std::isnan(got.back().sunrise));
}

// sunguard's own decision (in process: its scan's Julian date, its
// altitudes and its rule) at the minutes on both sides of every edge of
// 2030's nights: night at the first and last minute of each, day at the
// minute before and the minute after.
TEST(Nights, SunguardAgreesAtTheMinutesAroundEveryEdge) {
  const std::vector<Night> got = nights(1893456000.0, 1924991940.0);
  SunSetup setup = make_sun_setup();
  const auto night_at = [&setup](double minute) {
    return !day_or_night(utc::julian_date_of(minute), setup).day;
  };
  int checked = 0;
  for (const Night &n : got) {
    const double first = std::ceil(n.start / 60.0) * 60.0;
    const double last = std::floor(n.end / 60.0) * 60.0;
    EXPECT_TRUE(night_at(first)) << first;
    EXPECT_TRUE(night_at(last)) << last;
    if (n.start_bound == NightBound::sunset) {
      EXPECT_FALSE(night_at(first - 60.0)) << first;
      ++checked;
    }
    if (n.end_bound == NightBound::sunrise) {
      EXPECT_FALSE(night_at(last + 60.0)) << last;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 2 * 366 - 2);
}

// The edges lie within a millisecond of the crossings of the altitude
// sunguard computes: above the horizon a millisecond before the sunset
// and after the sunrise, not above it a millisecond after the sunset and
// before the sunrise.
TEST(Nights, EdgesAtTheCrossingsOfSunguardsAltitude) {
  SunSetup setup = make_sun_setup();
  const auto altitude = [&setup](double t) {
    return sun_altitude(utc::julian_date_of(t), &setup.site, &setup.sun);
  };
  const std::vector<Night> got = nights(1529280000.0, 1532000000.0); // June-July 2018
  ASSERT_GT(got.size(), 25u);
  for (const Night &n : got) {
    if (n.start_bound == NightBound::sunset) {
      EXPECT_TRUE(above_horizon(altitude(n.sunset - 1e-3))) << n.sunset;
      EXPECT_FALSE(above_horizon(altitude(n.sunset + 1e-3))) << n.sunset;
    }
    if (n.end_bound == NightBound::sunrise) {
      EXPECT_FALSE(above_horizon(altitude(n.sunrise - 1e-3))) << n.sunrise;
      EXPECT_TRUE(above_horizon(altitude(n.sunrise + 1e-3))) << n.sunrise;
    }
  }
}

// Edges found within a millisecond of a whole minute, in 2001, 2028 and
// 2030: each lies on the side of the minute that sunguard's own decision
// there gives (day at 10:02 and 12:12 after those sunrises, night at 12:31
// before that one).
TEST(Nights, EdgesBesideAWholeMinute) {
  SunSetup setup = make_sun_setup();
  for (const double minute : {994154520.0, 1858594320.0, 1895661060.0}) {
    const std::vector<Night> got = nights(minute - 43200.0, minute + 43200.0);
    bool found = false;
    for (const Night &n : got) {
      if (!(std::fabs(n.end - minute) <= 1e-3))
        continue;
      found = true;
      const bool night = !day_or_night(utc::julian_date_of(minute), setup).day;
      EXPECT_EQ(minute <= n.end, night) << minute;
    }
    EXPECT_TRUE(found) << minute;
  }
}

// An edge on the wrong side of a minute moves to the right one, a
// microsecond beyond the minute at most.
TEST(Nights, MinuteSideOfAnEdge) {
  const double m = 1858594320.0;
  // Right already: kept.
  EXPECT_EQ(minute_side(m - 4e-4, m, false, false), m - 4e-4);
  EXPECT_EQ(minute_side(m + 4e-4, m, false, true), m + 4e-4);
  EXPECT_EQ(minute_side(m - 4e-4, m, true, true), m - 4e-4);
  EXPECT_EQ(minute_side(m + 4e-4, m, true, false), m + 4e-4);
  // Wrong: an end before a night minute takes it in, an end after a day
  // minute leaves it out; likewise for a start.
  EXPECT_EQ(minute_side(m - 4e-4, m, false, true), m);
  EXPECT_EQ(minute_side(m + 4e-4, m, false, false), m - 1e-6);
  EXPECT_EQ(minute_side(m + 4e-4, m, true, true), m);
  EXPECT_EQ(minute_side(m - 4e-4, m, true, false), m + 1e-6);
}

// Spans that start or end inside a night cut it there; a span shorter
// than an hour gives the part of a night it holds, or none by day.
TEST(Nights, SpansCutNights) {
  // 22 June 2018: the Sun sets at 00:44:50 UTC and rises at 09:57:46.
  std::vector<Night> got = nights(1529634600.0, 1529722800.5); // 02:30 to 03:00:00.5 the next day
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].start, 1529634600.0);
  EXPECT_EQ(got[0].start_bound, NightBound::start);
  EXPECT_EQ(got[0].end_bound, NightBound::sunrise);
  EXPECT_EQ(got[1].end, 1529722800.5);
  EXPECT_EQ(got[1].end_bound, NightBound::end);
  EXPECT_EQ(got[1].start_bound, NightBound::sunset);

  got = nights(1529635800.0, 1529637600.0); // 02:50 to 03:20
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].start, 1529635800.0);
  EXPECT_EQ(got[0].end, 1529637600.0);
  EXPECT_TRUE(std::isnan(got[0].sunset));
  EXPECT_TRUE(std::isnan(got[0].sunrise));

  EXPECT_TRUE(nights(1529679600.0, 1529681400.0).empty()); // 15:00 to 15:30

  // Between sunset and an hour after it, it is still day.
  got = nights(1529628290.0 + 10.0, 1529628290.0 + 3000.0);
  EXPECT_TRUE(got.empty());
}

TEST(Nights, SpanWithinTheEphemeris) {
  EXPECT_EQ(night_span_problem(kFirstNightInstant, kLastNightInstant), "");
  EXPECT_NE(night_span_problem(kFirstNightInstant - 1.0, 0.0), "");
  EXPECT_NE(night_span_problem(0.0, kLastNightInstant + 1.0), "");
  EXPECT_NE(night_span_problem(kLastNightInstant + 10.0, kLastNightInstant + 20.0), "");
  // At its ends the ephemeris still serves the Sun.
  EXPECT_FALSE(nights(kFirstNightInstant, kFirstNightInstant + 86400.0).empty());
  EXPECT_FALSE(nights(kLastNightInstant - 86400.0, kLastNightInstant).empty());
}

// ----- the program -----------------------------------------------------------

kit_test::CapturedRun run(const std::vector<std::string> &args) {
  return kit_test::run_captured(run_nightwindows, "nightwindows", args);
}

TEST(NightwindowsProgram, RowsAndRefusals) {
  kit_test::CapturedRun r = run({"--format", "tsv", "2018-06-22T00:00:00Z", "2018-06-22T12:00:00Z"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "start\tstart_unix\tend\tend_unix\tduration_s\tsunset\tsunset_unix\tsunrise\t"
            "sunrise_unix\tstart_bound\tend_bound\n"
            "2018-06-22T01:44:50.197Z\t1529631890.197\t2018-06-22T09:57:46.934Z\t"
            "1529661466.934\t29576.737\t2018-06-22T00:44:50.197Z\t1529628290.197\t"
            "2018-06-22T09:57:46.934Z\t1529661466.934\tsunset\tsunrise\n");
  const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
      {{"1", "x"}, "'x' is not a time (Unix seconds, or YYYY-MM-DD[THH:MM[:SS[.fff]]][Z])"},
      {{"5", "4"}, "START '5' is after END '4'"},
      {{"1", "2", "3"}, "expected START END (see nightwindows --help)"},
      {{"--bogus", "1", "2"}, "unknown option '--bogus' (see nightwindows --help)"},
      {{"-86400", "0", "-q"}, "unknown option '-q' (see nightwindows --help)"},
      {{"1600-01-01T00:00:00Z", "1600-01-01T01:00:00Z"},
       "span outside the solar ephemeris: nights are found from 1694-08-08T01:00:00.000Z to "
       "2296-12-09T23:58:00.000Z"}};
  for (const auto &[args, problem] : refusals) {
    r = run(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.out, "") << args[0];
    EXPECT_EQ(r.err, "nightwindows: " + problem + "\n");
  }
}

// Standard output closed or full: status 1 and a message.
TEST(NightwindowsProgram, ClosedOrFullStandardOutputFails) {
  const std::string program = std::string(KIT_BIN_DIR) + "/nightwindows";
  for (const char *output : {kit_test::kClosedOutput, "/dev/full"}) {
    const kit_test::SpawnResult r = kit_test::spawn_program(
        program, {"nightwindows", "2030-01-01", "2031-01-01"}, {}, output);
    EXPECT_EQ(r.status, 1) << output;
    EXPECT_EQ(r.err, "nightwindows: cannot write to standard output\n") << output;
  }
}

} // namespace
