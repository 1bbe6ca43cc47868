// sunguard: its own functions called directly (the argument scan, and the
// Julian date, altitude evaluation and decision on every reference instant
// of tests/data/sun/), and the program itself in the situations the
// golden-file runner cannot set up.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "spawn_program.h"
#include "sunguard.h"

namespace {

const std::string kProgram = std::string(KIT_BIN_DIR) + "/sunguard";

ArgumentScan scan(const char *date, const char *time, CivilDateTime *when) {
  const char *argv[] = {"sunguard", date, time, nullptr};
  return scan_arguments(3, argv, when);
}

struct Accepted {
  const char *date, *time;
  int day, month, year, hour, minute;
};

TEST(SunguardScan, AcceptedForms) {
  const Accepted cases[] = {
      {"01.02.2018", "00:00", 1, 2, 2018, 0, 0},
      {"1.02.2018", "00:00", 1, 2, 2018, 0, 0},  // second dot at position 4
      {"01.2.2018", "00:00", 1, 2, 2018, 0, 0},
      {"001.02.2018", "00:00", 1, 2, 2018, 0, 0}, // first dot at position 3
      {"31.02.2018", "12:00", 31, 2, 2018, 12, 0}, // no month-length test
      {"01.01.2000", "00:00", 1, 1, 2000, 0, 0},
      {"31.12.2100", "23:59", 31, 12, 2100, 23, 59},
      {"01.02.2018x", "00:00", 1, 2, 2018, 0, 0},
      {"01.02.2018.5", "00:00", 1, 2, 2018, 0, 0},
      {"01.02.2018abcdefgh", "00:00", 1, 2, 2018, 0, 0}, // cut to 2018abcd
      {"+1.+2.+2018", " 7: +5", 1, 2, 2018, 7, 5},        // atoi: blanks, sign
      {"01.02.2018", "7:5", 1, 2, 2018, 7, 5},
      {"01.02.2018", "12:30:45", 1, 2, 2018, 12, 30},
      {"01.02.2018", "12:", 1, 2, 2018, 12, 0}, // no digits read as 0
      {"01.02.2018", ":30", 1, 2, 2018, 0, 30},
      {"01.02.2018", "x:y", 1, 2, 2018, 0, 0},
      {"01.02.2018", "00000023:000000059", 1, 2, 2018, 23, 5}, // 8-character cut
  };
  for (const Accepted &c : cases) {
    CivilDateTime when{};
    ASSERT_EQ(scan(c.date, c.time, &when), ArgumentScan::valid) << c.date << " " << c.time;
    EXPECT_EQ(when.day, c.day) << c.date;
    EXPECT_EQ(when.month, c.month) << c.date;
    EXPECT_EQ(when.year, c.year) << c.date;
    EXPECT_EQ(when.hour, c.hour) << c.time;
    EXPECT_EQ(when.minute, c.minute) << c.time;
  }
}

struct Rejected {
  const char *date, *time;
  ArgumentScan want;
};

TEST(SunguardScan, FirstFailingFieldIsReported) {
  const Rejected cases[] = {
      {"00.01.2018", "00:00", ArgumentScan::bad_day},
      {"32.01.2018", "00:00", ArgumentScan::bad_day},
      {"65537.01.2018", "00:00", ArgumentScan::bad_day}, // 1 in 16 bits
      {"000000001.02.2018", "00:00", ArgumentScan::bad_day}, // 00000000
      {"aa.02.2018", "00:00", ArgumentScan::bad_day},
      {"", "00:00", ArgumentScan::bad_day},
      {"00.13.1999", "99:99", ArgumentScan::bad_day}, // later fields unseen
      {"01.13.2018", "00:00", ArgumentScan::bad_month},
      {"01.00.2018", "00:00", ArgumentScan::bad_month},
      {"01.13.1999", "99:99", ArgumentScan::bad_month},
      {"01.01.1999", "00:00", ArgumentScan::bad_year},
      {"01.01.2101", "00:00", ArgumentScan::bad_year},
      {"01.02.67554", "00:00", ArgumentScan::bad_year}, // 2018 in 16 bits
      {"1.2.2018", "00:00", ArgumentScan::bad_year},   // no dot from position 4
      {"0001.02.2018", "00:00", ArgumentScan::bad_year}, // month text as year
      {"00000001.02.2018", "00:00", ArgumentScan::bad_year},
      {"01.02.000002018", "00:00", ArgumentScan::bad_year}, // 00000201
      {"01.02.", "00:00", ArgumentScan::bad_year},
      {"1.2", "00:00", ArgumentScan::bad_year}, // shorter than the search start
      {"01.02.2018", "24:00", ArgumentScan::bad_hour},
      {"01.02.2018", "-1:00", ArgumentScan::bad_hour},
      {"01.02.2018", "24:99", ArgumentScan::bad_hour},
      {"01.02.2018", "23:60", ArgumentScan::bad_minute},
      {"01.02.2018", "00:-5", ArgumentScan::bad_minute},
      // No separator at all: the field after it is missing.
      {"15", "00:00", ArgumentScan::bad_month},
      {"01022018", "00:00", ArgumentScan::bad_day}, // the day is checked first
      {"01.02.2018", "12", ArgumentScan::bad_minute},
      {"01.02.2018", "", ArgumentScan::bad_minute},
      {"01.02.2018", "1230", ArgumentScan::bad_hour},
  };
  for (const Rejected &c : cases) {
    CivilDateTime when{};
    EXPECT_EQ(scan(c.date, c.time, &when), c.want) << c.date << " " << c.time;
  }
  EXPECT_STREQ(scan_message(ArgumentScan::bad_day), "ERROR in day\n");
  EXPECT_STREQ(scan_message(ArgumentScan::bad_month), "ERROR in month\n");
  EXPECT_STREQ(scan_message(ArgumentScan::bad_year), "ERROR in year\n");
  EXPECT_STREQ(scan_message(ArgumentScan::bad_hour), "ERROR in hour\n");
  EXPECT_STREQ(scan_message(ArgumentScan::bad_minute), "ERROR in min\n");
}

TEST(SunguardScan, ArgumentCount) {
  CivilDateTime when{};
  const char *none[] = {nullptr};
  EXPECT_EQ(scan_arguments(0, none, &when), ArgumentScan::usage);

  const char *empty_name[] = {"", nullptr};
  EXPECT_EQ(scan_arguments(1, empty_name, &when), ArgumentScan::usage);

  const char *date_only[] = {"/opt/kit/bin/sunguard", "01.02.2018", nullptr};
  EXPECT_EQ(scan_arguments(2, date_only, &when), ArgumentScan::usage);

  const char *extra[] = {"sg", "01.02.2018", "00:00", "junk", "00.00.0000", nullptr};
  EXPECT_EQ(scan_arguments(5, extra, &when), ArgumentScan::valid);
}

// Arguments of any length and content never make the scan read outside
// them, and give either a field message or an instant inside the ranges.
// They are valid forms with a few random edits, or random bytes.
TEST(SunguardScan, ArbitraryArgumentsStayInBounds) {
  const char alphabet[] = "0123456789.:+- \t\x01\xff" "ab";
  const std::vector<std::string> seeds[2] = {
      {"01.02.2018", "1.02.2018", "31.12.2100", "001.02.2018", "0001.02.2018", ""},
      {"00:00", "23:59", "7:5", "12:30:45", ""}};
  std::uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  auto random_argument = [&](int which) {
    std::string a;
    if (next() % 4 == 0) {
      for (std::size_t length = next() % 20; length > 0; --length)
        a += alphabet[next() % (sizeof alphabet - 1)];
      return a;
    }
    a = seeds[which][next() % seeds[which].size()];
    for (std::size_t edits = next() % 4; edits > 0; --edits) {
      const std::size_t at = a.empty() ? 0 : next() % a.size();
      const char c = alphabet[next() % (sizeof alphabet - 1)];
      switch (next() % 3) {
      case 0:
        a.insert(at, 1, c);
        break;
      case 1:
        if (!a.empty())
          a[at] = c;
        break;
      default:
        if (!a.empty())
          a.erase(at, 1);
      }
    }
    return a;
  };
  int valid = 0;
  for (int round = 0; round < 20000; ++round) {
    // Heap copies of exactly the argument's size, so that reading past the
    // end is caught under the address sanitizer.
    std::vector<std::vector<char>> args;
    for (int i = 0; i < 2; ++i) {
      const std::string a = random_argument(i);
      args.emplace_back(a.begin(), a.end());
      args.back().push_back('\0');
    }
    const char *argv[] = {"sunguard", args[0].data(), args[1].data(), nullptr};
    CivilDateTime when{};
    const ArgumentScan r = scan_arguments(3, argv, &when);
    if (r == ArgumentScan::valid) {
      ++valid;
      EXPECT_TRUE(when.day >= 1 && when.day <= 31);
      EXPECT_TRUE(when.month >= 1 && when.month <= 12);
      EXPECT_TRUE(when.year >= 2000 && when.year <= 2100);
      EXPECT_TRUE(when.hour >= 0 && when.hour <= 23);
      EXPECT_TRUE(when.minute >= 0 && when.minute <= 59);
    } else {
      EXPECT_NE(r, ArgumentScan::usage);
      EXPECT_NE(scan_message(r), nullptr);
    }
  }
  // Both outcomes occur often enough to mean something.
  EXPECT_GT(valid, 1000);
  EXPECT_LT(valid, 19000);
  std::printf("%d of 20000 argument pairs were valid\n", valid);
}

// Every line "DD.MM.YYYY HH:MM VERDICT ALT_NOW ALT_HOUR_BEFORE" of a
// reference file (NOVAS 3.1): the tool's own scan, Julian date, altitude
// evaluation and decision give the same verdict, and both altitudes within
// 2e-8 degree.  The layer stays within 1.3e-8 of NOVAS over 2000-2100 (NOVAS
// itself takes a truncated nutation series at reduced accuracy); dropping
// even the Earth's light deflection (1e-7 degree) shows here.
void check_reference_file(const char *name, int expected_lines) {
  const std::string path = std::string(KIT_TEST_DATA) + "/sun/" + name;
  FILE *f = std::fopen(path.c_str(), "r");
  ASSERT_NE(f, nullptr) << path;
  SunSetup setup = make_sun_setup();
  char date[32], time[32], verdict[32];
  double want_now, want_before;
  int lines = 0, nights = 0, second_samples = 0;
  double worst = 0.0;
  while (std::fscanf(f, "%31s %31s %31s %lf %lf", date, time, verdict,
                     &want_now, &want_before) == 5) {
    ++lines;
    SCOPED_TRACE(std::string(name) + ": " + date + " " + time);
    CivilDateTime when{};
    const char *argv[] = {"sunguard", date, time, nullptr};
    ASSERT_EQ(scan_arguments(3, argv, &when), ArgumentScan::valid);
    const double jd_utc = civil_julian_date(when);
    const Verdict v = day_or_night(jd_utc, setup);
    EXPECT_EQ(v.day ? "[day]" : "[night]", std::string(verdict));
    nights += v.day ? 0 : 1;
    // The decision's own altitude an hour before, when it needed one, is
    // NOVAS's; when it did not, the Sun was up at the instant, and the
    // earlier instant as the tool forms it is checked on its own.
    const double before = sun_altitude(hour_before(jd_utc), &setup.site, &setup.sun);
    if (!std::isnan(v.altitude_before)) {
      ++second_samples;
      EXPECT_NEAR(v.altitude_before, want_before, 2e-8);
    } else {
      EXPECT_TRUE(above_horizon(v.altitude_now));
    }
    EXPECT_NEAR(v.altitude_now, want_now, 2e-8);
    EXPECT_NEAR(before, want_before, 2e-8);
    worst = std::fmax(worst, std::fmax(std::fabs(v.altitude_now - want_now),
                                       std::fabs(before - want_before)));
  }
  std::fclose(f);
  EXPECT_EQ(lines, expected_lines);
  // Both verdicts and both paths of the decision occur.
  EXPECT_GT(nights, lines / 10);
  EXPECT_LT(nights, lines - lines / 10);
  EXPECT_GT(second_samples, lines / 10);
  std::printf("%s: %d lines, worst altitude difference %.3g degree\n", name,
              lines, worst);
}

// The kit's extension gives sunguard's altitude (topo_planet then equ2hor)
// bit for bit without a stream, and within 1e-9 degree along a stream with
// four-day fits, on every reference instant.
TEST(SunguardReference, ExtensionGivesTheSameAltitude) {
  const std::string path = std::string(KIT_TEST_DATA) + "/sun/verdicts-random.txt";
  FILE *f = std::fopen(path.c_str(), "r");
  ASSERT_NE(f, nullptr);
  SunSetup setup = make_sun_setup();
  ter2cel_stream stream;
  ter2cel_stream_init_span(&stream, 4.0);
  char date[32], time[32], verdict[32];
  double now, before;
  int lines = 0;
  while (std::fscanf(f, "%31s %31s %31s %lf %lf", date, time, verdict, &now, &before) == 5) {
    CivilDateTime when{};
    const char *argv[] = {"sunguard", date, time, nullptr};
    ASSERT_EQ(scan_arguments(3, argv, &when), ArgumentScan::valid);
    const double jd = civil_julian_date(when);
    const double want = sun_altitude(jd, &setup.site, &setup.sun);
    short int status = -1;
    EXPECT_EQ(sun_altitude_along(jd, &setup.site, nullptr, &status), want) << date << " " << time;
    EXPECT_EQ(status, 0);
    EXPECT_NEAR(sun_altitude_along(jd, &setup.site, &stream, &status), want, 1e-9);
    ++lines;
  }
  std::fclose(f);
  EXPECT_EQ(lines, 3000);
}

TEST(SunguardReference, RandomInstants) {
  check_reference_file("verdicts-random.txt", 3000);
}

TEST(SunguardReference, NearTransitions) {
  check_reference_file("verdicts-near-transitions.txt", 4102);
}

// The horizon test is strict: exactly 0, either zero, and not-a-number are
// not above the horizon; the smallest altitude above 0 is.
TEST(SunguardDecision, AboveTheHorizonIsStrictlyAboveZero) {
  EXPECT_FALSE(above_horizon(0.0));
  EXPECT_FALSE(above_horizon(-0.0));
  EXPECT_FALSE(above_horizon(std::nan("")));
  EXPECT_FALSE(above_horizon(-std::numeric_limits<double>::denorm_min()));
  EXPECT_TRUE(above_horizon(std::numeric_limits<double>::denorm_min()));
  EXPECT_TRUE(above_horizon(90.0));
}

TEST(SunguardProgram, UsageWithoutArgumentZero) {
  const kit_test::SpawnResult r = kit_test::spawn_program(kProgram, {});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "This code will compute ZNT day-night scheduling constraints.\n"
                   "Usage: sunguard 01.02.2018 00:00\n");
}

// A verdict that cannot be written is a failure, not a success.
TEST(SunguardProgram, UnwritableOutputFails) {
  const kit_test::SpawnResult r = kit_test::spawn_program(
      kProgram, {"sunguard", "22.06.2018", "10:30"}, {}, "/dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ERROR writing the verdict\n");
}

} // namespace
