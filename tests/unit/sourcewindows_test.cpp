// sourcewindows_test.cpp - sourcewindows' own code: sources read in the
// forms people write them and from catalogs; the windows of six sources
// for the three antennas against those computed with NOVAS 3.1; the
// pointing against NOVAS's; the checkers' own answers at every minute; the
// pieces --night and --tracked keep; the whole program on bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "captured_run.h"
#include "catalog.h"
#include "failure.h"
#include "limit_rules.h"
#include "limit_terms.h"
#include "night_search.h"
#include "passwindows.h"
#include "source_search.h"
#include "sourcewindows.h"
#include "spawn_program.h"
#include "utc_instant.h"

namespace {

const std::string kData = KIT_TEST_DATA;
const std::string kCatalog = kData + "/sources/sources-2030.catalog";
const char *const kFirst = "1906502400", *const kLast = "1906761600"; // 2030-06-01 + 3 days

kit_test::CapturedRun run(const std::vector<std::string> &args) {
  return kit_test::run_captured(run_sourcewindows, "sourcewindows", args);
}

using kit_test::tsv_fields;

// The rows of a tsv output, without its header.
std::vector<std::vector<std::string>> rows(const kit_test::CapturedRun &r) {
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::vector<std::string>> out;
  std::istringstream in(r.out);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line))
    out.push_back(tsv_fields(line));
  return out;
}

std::string failure(const std::function<void()> &f) {
  try {
    f();
  } catch (const kit::Failure &e) {
    return e.what();
  }
  return "";
}

// ----- sources ----------------------------------------------------------------------

TEST(Sources, AnglesAsWritten) {
  EXPECT_DOUBLE_EQ(sources::parse_right_ascension("12.5"), 12.5);
  EXPECT_DOUBLE_EQ(sources::parse_right_ascension("12:29:06.70"), 12.0 + 29 / 60.0 + 6.7 / 3600.0);
  EXPECT_DOUBLE_EQ(sources::parse_declination("-36.9"), -36.9);
  EXPECT_DOUBLE_EQ(sources::parse_declination("+02:03:08.6"), 2.0 + 3 / 60.0 + 8.6 / 3600.0);
  // A negative declination of less than a degree keeps its sign.
  EXPECT_DOUBLE_EQ(sources::parse_declination("-00:30:00"), -0.5);
  EXPECT_EQ(sources::parse_declination("90"), 90.0);
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"24", "right ascension '24' is outside 0 to 24 h"},
      {"-0.1", "right ascension '-0.1' is outside 0 to 24 h"},
      {"12:60:00", "right ascension '12:60:00' has minutes or seconds of 60 or more"},
      {"12:30", "right ascension '12:30' is not H:M:S"},
      {"12:3a:00", "right ascension '12:3a:00' is not H:M:S"},
      {"x", "right ascension 'x' is not a number"},
      {"nan", "right ascension 'nan' is not a number"},
      {"0x10", "right ascension '0x10' is not a number"}};
  for (const auto &[text, why] : bad)
    EXPECT_EQ(failure([&] { sources::parse_right_ascension(text); }), why) << text;
  EXPECT_EQ(failure([] { sources::parse_declination("90.0001"); }),
            "declination '90.0001' is outside -90 to 90 degrees");
  EXPECT_EQ(failure([] { sources::parse_declination("-91:00:00"); }),
            "declination '-91:00:00' is outside -90 to 90 degrees");
}

TEST(Sources, Catalogs) {
  const char *path = "sources-test.catalog";
  std::ofstream(path) << "# name ra dec [pmra pmdec parallax rv]\n\n"
                         "\"3C 273\" 12:29:06.70 +02:03:08.6   # a quasar\n"
                         "Barnard 17:57:48.5 +04:41:36 -798.58 10328.12 548.31 -110.6\n"
                         "\"" + std::string(60, 'x') + "\" 1 2\n";
  const std::vector<sources::Source> s = sources::read_catalog(path);
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0].name, "3C 273");
  EXPECT_STREQ(s[0].star.starname, "3C 273");
  EXPECT_DOUBLE_EQ(s[1].star.promodec, 10328.12);
  EXPECT_DOUBLE_EQ(s[1].star.radialvelocity, -110.6);
  // The name is kept whole; the catalog entry holds what it can.
  EXPECT_EQ(s[2].name.size(), 60u);
  EXPECT_EQ(std::string(s[2].star.starname), std::string(50, 'x'));
  using namespace std::string_literals;
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"A 1 2 3\n", "line 1: not NAME RA DEC [PMRA PMDEC PARALLAX RV]"},
      {"ok 1 2\nB 25 2\n", "line 2: right ascension '25' is outside 0 to 24 h"},
      {"\"open 1 2\n", "line 1: a name's quote is not closed"},
      {"A 1 2 x 0 0 0\n", "line 1: proper motion in right ascension 'x' is not a number"},
      {"ok 1 2\nA 1 2\0 x\n"s, "line 2: a NUL byte"},
      {"# nothing\n", "no source"}};
  for (const auto &[text, why] : bad) {
    std::ofstream(path) << text;
    EXPECT_EQ(failure([&] { sources::read_catalog(path); }),
              "--catalog: 'sources-test.catalog': " + why)
        << text;
  }
  std::remove(path);
  EXPECT_EQ(failure([] { sources::read_catalog("no-such.catalog"); }),
            "--catalog: cannot open 'no-such.catalog': No such file or directory");
}

// ----- against NOVAS 3.1 ---------------------------------------------------------------

// Every window of the six reference sources for the three antennas (NOVAS
// 3.1's pointing every 2 s, each checker's rule, every change bisected to
// 0.1 ms) with its bounds, edges within a millisecond, the highest
// altitude the true maximum: at or above the reference's highest sample,
// within 1e-4 degree of it where the source culminates inside the window,
// within what one 2-second step can climb (0.01 degree) where the window
// is cut while the source still rises.
TEST(SourceWindows, TheReference) {
  const auto got = rows(run({"--catalog", kCatalog, "--format", "tsv", kFirst, kLast}));
  std::map<std::string, std::vector<std::vector<std::string>>> by;
  for (const auto &r : got)
    by[r[0] + " " + r[1]].push_back(r);
  std::ifstream in(kData + "/sources/sources-2030.windows.tsv");
  std::string line;
  std::getline(in, line);
  int matched = 0;
  double worst = 0.0;
  while (std::getline(in, line)) {
    const std::vector<std::string> want = tsv_fields(line);
    const auto &same = by[want[0] + " " + want[1]];
    const std::size_t n = static_cast<std::size_t>(std::atoi(want[2].c_str()));
    ASSERT_LE(n, same.size()) << line;
    const std::vector<std::string> &w = same[n - 1];
    SCOPED_TRACE(line);
    for (const auto &[g, r] : {std::pair{4, 3}, std::pair{6, 4}}) {
      const double d = std::fabs(std::atof(w[static_cast<std::size_t>(g)].c_str()) -
                                 std::atof(want[static_cast<std::size_t>(r)].c_str()));
      EXPECT_LE(d, 1e-3);
      worst = std::max(worst, d);
    }
    EXPECT_EQ(w[8], want[5]);
    EXPECT_EQ(w[9], want[6]);
    const double highest = std::atof(w[10].c_str()), sample = std::atof(want[7].c_str());
    EXPECT_GE(highest, sample - 1e-6);
    const bool at_edge = w[12] == w[4] || w[12] == w[6];
    EXPECT_LE(highest, sample + (at_edge ? 1e-2 : 1e-4));
    ++matched;
  }
  EXPECT_EQ(matched, static_cast<int>(got.size()));
  EXPECT_GT(matched, 60);
  std::printf("largest edge difference from the reference: %.6f s\n", worst);
}

// The pointing the track prints, at every whole hour of the three days,
// within 1e-8 degree of NOVAS's (the angle between the two directions).
TEST(SourceWindows, PointingAgreesWithNovas) {
  const auto got = rows(run({"--catalog", kCatalog, "--track", "3600", "--format", "tsv", kFirst, kLast}));
  std::map<std::string, std::pair<double, double>> track;
  for (const auto &r : got)
    track[r[0] + " " + r[1] + " " + r[3].substr(0, r[3].find('.'))] = {std::strtod(r[4].c_str(), nullptr),
                                                                         std::strtod(r[5].c_str(), nullptr)};
  std::ifstream in(kData + "/sources/sources-2030.pointing.tsv");
  std::string line;
  std::getline(in, line);
  int compared = 0;
  double worst = 0.0;
  while (std::getline(in, line)) {
    const std::vector<std::string> f = tsv_fields(line);
    const auto it = track.find(f[0] + " " + f[1] + " " + f[2]);
    ASSERT_NE(it, track.end()) << line;
    const double deg = M_PI / 180.0;
    const double alt = std::strtod(f[3].c_str(), nullptr) * deg, az = std::strtod(f[4].c_str(), nullptr) * deg;
    const double alt2 = it->second.first * deg, az2 = it->second.second * deg;
    const double separation = std::hypot(alt - alt2, std::cos(alt) * std::remainder(az - az2, 2 * M_PI)) / deg;
    EXPECT_LE(separation, 1e-8) << line;
    worst = std::max(worst, separation);
    ++compared;
  }
  EXPECT_EQ(compared, 1314);
  std::printf("largest pointing difference from NOVAS: %.3g degree\n", worst);
}

// At every whole minute of the three days, each checker's rule, given the
// pointing as the track prints it, answers can_point, and can_point holds
// exactly where the minute lies in a window (but within a millisecond of
// an edge); the checker programs themselves answer so on a sample.
TEST(SourceWindows, TheCheckersAgreeAtEveryMinute) {
  const auto windows = rows(run({"--catalog", kCatalog, "--format", "tsv", kFirst, kLast}));
  const auto track = rows(run({"--catalog", kCatalog, "--track", "60", "--format", "tsv", kFirst, kLast}));
  const limits::LimitRule rules[limits::kAntennaCount] = {limits::azel_accepts, limits::elev_accepts,
                                                          limits::polar_accepts};
  int agreed = 0, spawned = 0, n = 0;
  for (const auto &r : track) {
    const int a = r[1] == "azel" ? 0 : r[1] == "elev" ? 1 : 2;
    const double t = std::atof(r[3].c_str());
    const limits::Pointing p{std::strtod(r[4].c_str(), nullptr), std::strtod(r[5].c_str(), nullptr)};
    const bool can_point = r[6] == "true";
    ASSERT_EQ(can_point, rules[a](p)) << r[0] << " " << r[3];
    bool inside = false, near = false;
    for (const auto &w : windows) {
      if (w[0] != r[0] || w[1] != r[1])
        continue;
      const double s = std::atof(w[4].c_str()), e = std::atof(w[6].c_str());
      inside = inside || (t >= s && t <= e);
      near = near || std::fabs(t - s) <= 1e-3 || std::fabs(t - e) <= 1e-3;
    }
    if (!near) {
      EXPECT_EQ(can_point, inside) << r[0] << " " << r[1] << " " << r[3];
      ++agreed;
    }
    if (n++ % 97 == 0) {
      const kit_test::SpawnResult c =
          kit_test::spawn_program(std::string(KIT_BIN_DIR) + "/" + r[1] + "limits",
                                  {r[1].c_str(), r[4].c_str(), r[5].c_str()});
      EXPECT_EQ(c.status == 0, can_point) << r[0] << " " << r[1] << " " << r[3];
      ++spawned;
    }
  }
  EXPECT_GT(agreed, 70000);
  EXPECT_GT(spawned, 700);
}

// ----- the gates ------------------------------------------------------------------------

// With --night and --tracked, every piece lies inside a window of its
// source and antenna, a night and a tracking window, an edge set by a gate
// is named by it, and every overlap of the three of a second or more is a
// piece.
TEST(SourceWindows, NightAndTrackedPieces) {
  const std::string orbit = kData + "/windows/heo.org";
  const char *from = "2030-03-01T00:00Z", *to = "2030-03-05T00:00Z";
  utc::Instant first, last;
  ASSERT_TRUE(utc::Instant::parse(from, first));
  ASSERT_TRUE(utc::Instant::parse(to, last));
  const auto plain = rows(run({"--catalog", kCatalog, "--format", "tsv", from, to}));
  const auto pieces = rows(run({"--catalog", kCatalog, "--night", "--tracked", orbit, "--format", "tsv",
                                from, to}));
  std::vector<std::pair<double, double>> night, tracking;
  NightSearch nights(first.unix_seconds(), last.unix_seconds());
  for (Night n; nights.next(n);)
    night.emplace_back(n.start, n.end);
  const kit_test::CapturedRun passes = kit_test::run_captured(
      run_passwindows, "passwindows", {"--station", "any", "--format", "tsv", orbit, from, to});
  for (const auto &w : rows(passes))
    tracking.emplace_back(std::atof(w[3].c_str()), std::atof(w[7].c_str()));
  ASSERT_GT(pieces.size(), 3u);
  ASSERT_GT(night.size(), 3u);
  ASSERT_GT(tracking.size(), 1u);
  const auto within = [](double a, double b, const std::vector<std::pair<double, double>> &ws) {
    for (const auto &[s, e] : ws)
      if (a >= s - 1e-3 && b <= e + 1e-3)
        return true;
    return false;
  };
  for (const auto &p : pieces) {
    const double a = std::atof(p[4].c_str()), b = std::atof(p[6].c_str());
    std::vector<std::pair<double, double>> own;
    for (const auto &w : plain)
      if (w[0] == p[0] && w[1] == p[1])
        own.emplace_back(std::atof(w[4].c_str()), std::atof(w[6].c_str()));
    EXPECT_TRUE(within(a, b, own)) << p[0] << " " << p[1] << " " << p[4];
    EXPECT_TRUE(within(a, b, night)) << p[0] << " " << p[4];
    EXPECT_TRUE(within(a, b, tracking)) << p[0] << " " << p[4];
    for (const std::string &bound : {p[8], p[9]})
      EXPECT_TRUE(bound == "day" || bound == "track" || bound == "start" || bound == "end" ||
                  bound == "altitude" || bound == "azimuth" || bound == "hour-angle" ||
                  bound == "declination")
          << bound;
  }
  int overlaps = 0;
  for (const auto &w : plain)
    for (const auto &[ns, ne] : night)
      for (const auto &[ts, te] : tracking) {
        const double s = std::max({std::atof(w[4].c_str()), ns, ts});
        const double e = std::min({std::atof(w[6].c_str()), ne, te});
        if (e - s < 1.0)
          continue;
        ++overlaps;
        bool found = false;
        for (const auto &p : pieces)
          found = found || (p[0] == w[0] && p[1] == w[1] && std::fabs(std::atof(p[4].c_str()) - s) <= 1e-3 &&
                            std::fabs(std::atof(p[6].c_str()) - e) <= 1e-3);
        EXPECT_TRUE(found) << w[0] << " " << w[1] << " " << s;
      }
  EXPECT_EQ(overlaps, static_cast<int>(pieces.size()));
  EXPECT_GT(overlaps, 3);
}

} // namespace

// ----- the rows -------------------------------------------------------------------------

// The text table fits 100 columns, with the combinations' bounds and names
// as long as leave room for them (8 characters beside a combination's
// bounds, 18 beside an antenna's; a longer name widens its rows), for
// windows and for events.
TEST(SourceWindows, TextFitsOneHundredColumns) {
  const std::string combined = "text-test-1.catalog", single = "text-test-2.catalog";
  std::ofstream(combined) << "\"eight ch\" 16.716336083 39.810276111\n"
                             "S 18.012689972 78.467782778\n";
  std::ofstream(single) << "\"eighteen character\" 16.716336083 39.810276111\n";
  for (const std::vector<std::string> &args :
       {std::vector<std::string>{"--catalog", kCatalog, kFirst, kLast},
        {"--catalog", combined, "--antenna", "all", "--antenna", "any", "--antenna", "polar", kFirst,
         kLast},
        {"--catalog", combined, "--events", "--antenna", "any", "--antenna", "azel", kFirst, kLast},
        {"--catalog", single, kFirst, kLast}}) {
    const kit_test::CapturedRun r = run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(r.out);
    int lines = 0;
    std::size_t widest = 0;
    for (std::string line; std::getline(in, line); ++lines)
      widest = std::max(widest, line.size());
    EXPECT_LE(widest, 100u) << r.out;
    EXPECT_GE(widest, 90u) << r.out;
    EXPECT_GT(lines, 10);
  }
  std::remove(combined.c_str());
  std::remove(single.c_str());
}

// ----- the search's step --------------------------------------------------------------

namespace {

// The windows the search finds with samples `step` seconds apart.
struct Collected : sources::SourceSink {
  std::vector<sources::SourceWindow> windows;
  void window(const sources::SourceWindow &w) override { windows.push_back(w); }
  void event(const sources::SourceEvent &) override {}
};

std::vector<sources::SourceWindow> searched(const std::vector<sources::Source> &catalog, double step,
                                            short int ref_option) {
  sources::SourceSettings settings;
  settings.start = 1906502400.0; // 2030-06-01
  settings.end = settings.start + 4 * 86400.0;
  settings.step = step;
  settings.ref_option = ref_option;
  Collected sink;
  sources::SourceSearch(catalog, settings, sink).run();
  std::sort(sink.windows.begin(), sink.windows.end(), [](const auto &x, const auto &y) {
    return std::tie(x.source, x.stream, x.start.t) < std::tie(y.source, y.stream, y.start.t);
  });
  return sink.windows;
}

} // namespace

// Sources that graze each limit (the altitudes' 8, 82.5 and 88.5 degrees at
// culmination, the mount's declinations -37 and 77 moved by the refraction,
// the azimuth's keep-out near the zenith): the hourly samples, with the
// margins no source can bring to zero left unrefined, find the windows that
// samples a minute apart find, with their bounds, edges within a
// millisecond.
TEST(SourceSearch, HourlySamplesFindWhatMinuteSamplesFind) {
  std::vector<sources::Source> catalog;
  const double lat = sources::kObservingSite.latitude;
  for (const double dec : {lat - 90.0 + 8.0 + 0.02, lat - 90.0 + 8.0 - 0.02, lat + 82.5 - 90.0 + 0.01,
                           lat + 90.0 - 82.5 - 0.01, lat + 1.5, lat - 1.5, -37.3, -36.8, -37.0,
                           76.7, 77.3, 77.0, 45.0, 0.0})
    for (const double ra : {3.0, 15.0})
      catalog.push_back(sources::make_source("S", ra, dec));
  for (const short int ref_option : {1, 0}) {
    const auto hourly = searched(catalog, 3600.0, ref_option);
    const auto minutely = searched(catalog, 60.0, ref_option);
    ASSERT_EQ(hourly.size(), minutely.size()) << ref_option;
    ASSERT_GT(hourly.size(), 100u);
    for (std::size_t i = 0; i < hourly.size(); ++i) {
      const auto &h = hourly[i], &m = minutely[i];
      EXPECT_EQ(h.source, m.source);
      EXPECT_EQ(h.stream, m.stream);
      EXPECT_NEAR(h.start.t, m.start.t, 1e-3) << h.source << " " << h.stream;
      EXPECT_NEAR(h.end.t, m.end.t, 1e-3) << h.source << " " << h.stream;
      EXPECT_STREQ(h.start_bound, m.start_bound);
      EXPECT_STREQ(h.end_bound, m.end_bound);
    }
  }
}
