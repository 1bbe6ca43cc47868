// passrange_test.cpp - passrange's own functions (passrange_functions):
// the orbit record reader, and the report (request_from_arguments and
// run_report) on whole orbit files against output computed with NOVAS 3.1
// (tests/data/orbits): every-record output byte for byte, every listed
// nearest-record and closest-approach query, long paths, and the elevation
// on a station's vertical and at the station itself; the program itself
// without an argument zero and on a full device.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "captured_run.h"
#include "novas_kit.h"
#include "passrange.h"
#include "spawn_program.h"
#include "utc_instant.h"

namespace {

// Reads all records of an orbit text; returns them and whether reading
// ended with the stream at its end (rather than at an unreadable record).
struct Scan {
  std::vector<OrbitRecord> records;
  bool at_end;
};

Scan scan(const std::string &text) {
  Scan s{{}, false};
  std::string buf = text;
  std::FILE *f = fmemopen(buf.data(), buf.size(), "r");
  if (f == nullptr) {
    ADD_FAILURE() << "fmemopen failed";
    return s;
  }
  OrbitRecord r;
  while (read_orbit_record(f, r))
    s.records.push_back(r);
  int c = 0;
  while ((c = std::fgetc(f)) != EOF && (c == ' ' || c == '\n'))
    ;
  s.at_end = c == EOF;
  std::fclose(f);
  return s;
}

// The record time of one record, or LLONG_MIN when it is refused.
long long record_time_of(const std::string &timestamp) {
  const Scan s = scan(timestamp + " 1 2 3 4 5 6\n");
  return s.records.size() == 1 ? s.records[0].stamp.record_time() : LLONG_MIN;
}

TEST(PassrangeReader, FieldsAreAStreamAcrossLinesAndTabs) {
  const Scan s = scan("2016-11-04T04:00:00.000\t10000.0\n 20000.0\n\n"
                      "30000.0 1.0 2.0 3.0 2016-11-04T04:01:00.250 10060.0 "
                      "20120.0 30180.0\n1.0 2.0 -3.5e0\n");
  ASSERT_EQ(s.records.size(), 2u);
  EXPECT_TRUE(s.at_end);
  const OrbitRecord &a = s.records[0];
  EXPECT_EQ(a.stamp.year(), 2016);
  EXPECT_EQ(a.stamp.month(), 11);
  EXPECT_EQ(a.stamp.day(), 4);
  EXPECT_EQ(a.stamp.hour(), 4);
  EXPECT_EQ(a.stamp.minute(), 0);
  EXPECT_EQ(a.stamp.second(), 0.0);
  EXPECT_EQ(a.x, 10000.0);
  EXPECT_EQ(a.y, 20000.0);
  EXPECT_EQ(a.z, 30000.0);
  EXPECT_EQ(a.vx, 1.0);
  EXPECT_EQ(a.vy, 2.0);
  EXPECT_EQ(a.vz, 3.0);
  EXPECT_EQ(a.stamp.record_time(), 1478232000);
  const OrbitRecord &b = s.records[1];
  EXPECT_EQ(b.stamp.minute(), 1);
  EXPECT_EQ(b.stamp.second(), 0.25);
  EXPECT_EQ(b.vz, -3.5);
  EXPECT_EQ(b.stamp.record_time(), 1478232060);
}

TEST(PassrangeReader, ScanEndsAtFirstIncompleteRecord) {
  const std::string good =
      "2016-11-04T04:00:00.000 1 2 3 4 5 6\n";
  // header line first
  EXPECT_EQ(scan("Orbit of the spacecraft\n" + good).records.size(), 0u);
  // a blank before a timestamp separator
  EXPECT_EQ(scan(good + "2016 -11-04T04:01:00 1 2 3 4 5 6\n" + good)
                .records.size(),
            1u);
  // text where a number is expected
  EXPECT_EQ(scan(good + "2016-11-04T04:01:00 1 2 x 4 5 6\n" + good)
                .records.size(),
            1u);
  // a record cut short by the end of the file
  const Scan cut = scan(good + "2016-11-04T04:01:00 1 2 3 4 5");
  EXPECT_EQ(cut.records.size(), 1u);
  EXPECT_TRUE(cut.at_end);
  // nothing at all, or white space only
  EXPECT_EQ(scan("").records.size(), 0u);
  EXPECT_EQ(scan(" \n\t\n").records.size(), 0u);
}

TEST(PassrangeReader, RecordTimeTruncatesTheSecondAndNormalises) {
  EXPECT_EQ(record_time_of("2016-11-04T04:00:00.000"), 1478232000);
  EXPECT_EQ(record_time_of("2016-11-04T03:59:59.900"), 1478231999);
  EXPECT_EQ(record_time_of("2016-11-04T03:59:60.000"), 1478232000);
  EXPECT_EQ(record_time_of("2016-11-04T04:00:12.5"), 1478232012);
  // towards zero, not down: -0.5 s is second 0
  EXPECT_EQ(record_time_of("2016-11-04T04:00:-0.5"), 1478232000);
  EXPECT_EQ(record_time_of("2016-11-04T04:00:-1.5"), 1478231999);
  EXPECT_EQ(record_time_of("2016-13-01T00:00:00"), 1483228800);
  EXPECT_EQ(record_time_of("2016-03-00T00:00:00"), 1456704000);
  // one second before the epoch is a time like any other
  EXPECT_EQ(record_time_of("1969-12-31T23:59:59"), -1);
}

TEST(PassrangeReader, TimestampWithoutUnixTimeEndsTheScan) {
  for (const char *stamp :
       {"2016-11-04T04:00:nan", "2016-11-04T04:00:inf",
        "2016-11-04T04:00:1e300", "2016-11-04T04:00:-1e300",
        "2016-11-04T04:00:2147483648", "-2147483648-11-04T04:00:00",
        "2016--2147483648-04T04:00:00",
        "2147483647-2147483647-04T04:00:00",
        // Numbers beyond int: never wrapped into a plausible field
        // (4294969312 is 2016 modulo 2^32, 4294967307 is 11).
        "4294969312-11-04T04:00:00", "2016-4294967307-04T04:00:00",
        "2016-11-4294967300T04:00:00", "2016-11-04T4294967300:00:00",
        "2016-11-04T04:4294967296:00", "2147483648-11-04T04:00:00",
        "-2147483649-11-04T04:00:00",
        "99999999999999999999999-11-04T04:00:00",
        // The Julian date takes 16-bit fields: 67552 is 2016 modulo 2^16.
        "67552-11-04T04:00:00", "32768-01-01T00:00:00",
        "-32769-01-01T00:00:00", "2016-32768-04T04:00:00",
        "2016--32769-04T04:00:00", "2016-11-32768T04:00:00",
        "2016-11--32769T04:00:00"}) {
    EXPECT_EQ(record_time_of(stamp), LLONG_MIN) << stamp;
  }
  EXPECT_EQ(record_time_of("2016-11-04T04:00:2147483647.9"),
            1478232000LL + 2147483647LL);
  // The widest 16-bit fields are still read; hours and minutes are not
  // limited to 16 bits (the Julian date takes them as a decimal hour).
  EXPECT_EQ(record_time_of("32767-01-01T00:00:00"), 971859427200LL);
  EXPECT_EQ(record_time_of("-32768-01-01T00:00:00"), -1096225401600LL);
  EXPECT_EQ(record_time_of("2016-32767-01T00:00:00"),
            record_time_of("4746-07-01T00:00:00"));
  EXPECT_EQ(record_time_of("2016-01-32767T00:00:00"),
            record_time_of("2016-01-01T00:00:00") + 32766LL * 86400);
  EXPECT_EQ(record_time_of("2016-01-01T32768:00:00"),
            record_time_of("2016-01-01T00:00:00") + 32768LL * 3600);
}

const std::string kProgram = std::string(KIT_BIN_DIR) + "/passrange";
const std::string kOrbits = std::string(KIT_TEST_DATA) + "/orbits";

std::string read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

using kit_test::split_lines;

// What a run of the report wrote and returned.
struct ReportRun {
  int status;
  std::string out;
  std::string err;
};

std::string read_stream(std::FILE *f) {
  std::string text;
  std::rewind(f);
  char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
    text.append(buf, n);
  return text;
}

// The tool's own report (request_from_arguments and run_report, what main
// calls after the argument count check) on an orbit file with the given
// further arguments, its standard output and error captured.
ReportRun run(const std::string &orbit, const std::vector<std::string> &args = {}) {
  std::vector<const char *> argv = {"passrange", orbit.c_str()};
  for (const std::string &a : args)
    argv.push_back(a.c_str());
  std::fflush(stdout);
  std::fflush(stderr);
  std::FILE *out = std::tmpfile();
  std::FILE *err = std::tmpfile();
  const int saved_out = dup(1), saved_err = dup(2);
  dup2(fileno(out), 1);
  dup2(fileno(err), 2);
  const int status = run_report(
      argv[1], request_from_arguments(static_cast<int>(argv.size()), argv.data()));
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(saved_out, 1);
  dup2(saved_err, 2);
  close(saved_out);
  close(saved_err);
  ReportRun r{status, read_stream(out), read_stream(err)};
  std::fclose(out);
  std::fclose(err);
  return r;
}

// Every-record output of an orbit file equals its reference byte for byte;
// on a difference, names the first differing line instead of dumping both.
void expect_every_record_output(const std::string &stem) {
  SCOPED_TRACE(stem);
  const ReportRun r = run(kOrbits + "/" + stem + ".org");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const std::string want = read_file(kOrbits + "/" + stem + ".every.out");
  if (r.out == want)
    return;
  const std::vector<std::string> got_lines = split_lines(r.out);
  const std::vector<std::string> want_lines = split_lines(want);
  std::size_t i = 0;
  while (i < got_lines.size() && i < want_lines.size() &&
         got_lines[i] == want_lines[i])
    ++i;
  ADD_FAILURE() << "output differs from line " << i + 1 << " on: expected "
                << want_lines.size() << " lines, got " << got_lines.size()
                << "\n  expected: "
                << (i < want_lines.size() ? want_lines[i] : "(end)")
                << "\n  got:      "
                << (i < got_lines.size() ? got_lines[i] : "(end)");
}

// Every query of a reference table (arguments, TAB, expected line without
// its newline) prints exactly that line and ends with status 0.  Returns the
// number of queries run.
std::size_t expect_query_lines(const std::string &stem) {
  const std::vector<std::string> queries =
      split_lines(read_file(kOrbits + "/" + stem + ".queries.tsv"));
  const std::string orbit = kOrbits + "/" + stem + ".org";
  std::size_t differing = 0;
  for (const std::string &q : queries) {
    const std::size_t tab = q.find('\t');
    if (tab == std::string::npos) {
      ADD_FAILURE() << "query line without TAB: " << q;
      continue;
    }
    std::vector<std::string> args;
    std::istringstream words(q.substr(0, tab));
    for (std::string w; words >> w;)
      args.push_back(w);
    const ReportRun r = run(orbit, args);
    const std::string want = q.substr(tab + 1) + "\n";
    if (r.out != want || r.status != 0 || !r.err.empty()) {
      ++differing;
      ADD_FAILURE() << stem << " " << q.substr(0, tab) << ": status "
                    << r.status << "\n  expected: " << want
                    << "  got:      " << r.out << r.err;
    }
  }
  EXPECT_EQ(differing, 0u);
  return queries.size();
}

TEST(PassrangeEveryRecord, OrbitA) { expect_every_record_output("orbit-a"); }

TEST(PassrangeEveryRecord, OrbitC) { expect_every_record_output("orbit-c"); }

TEST(PassrangeEveryRecord, EdgeFiles) {
  std::vector<std::string> stems;
  for (const auto &e : std::filesystem::directory_iterator(kOrbits + "/edge"))
    if (e.path().extension() == ".org")
      stems.push_back("edge/" + e.path().stem().string());
  ASSERT_EQ(stems.size(), 6u) << "edge orbit files missing";
  for (const std::string &stem : stems)
    expect_every_record_output(stem);
}

TEST(PassrangeQueries, OrbitA) { EXPECT_EQ(expect_query_lines("orbit-a"), 554u); }

TEST(PassrangeQueries, OrbitC) { EXPECT_EQ(expect_query_lines("orbit-c"), 541u); }

// Without any argument, not even an invocation name (the kernel may supply
// an empty one), the usage text names the program itself.
TEST(PassrangeUsage, EmptyArgumentVector) {
  const kit_test::SpawnResult r = kit_test::spawn_program(kProgram, {});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "Usage: passrange KQ140225-161120.org  # compute distances and "
            "elevations in each line of the input orbit file\n"
            "  or\n"
            "       passrange KQ140225-161120.org 1478232000 1478235600 # "
            "compute distance and elevations for the smallest geocentric "
            "distance within the specified timerange\n");
}

// The orbit file's path is held whole, however long: read, and named whole
// in the open-failure message.
TEST(PassrangePath, LongPathIsHeldWhole) {
  const std::string root = kit_test::make_temp_dir();
  std::string dir = root;
  for (char c : {'a', 'b', 'c'}) {
    dir += "/" + std::string(200, c);
    ASSERT_TRUE(std::filesystem::create_directory(dir)) << dir;
  }
  const std::string orbit = dir + "/orbit.org";
  std::filesystem::copy_file(kOrbits + "/edge/malformed-fifth.org", orbit);
  ASSERT_GT(orbit.size(), 600u);

  ReportRun r = run(orbit);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, read_file(kOrbits + "/edge/malformed-fifth.every.out"));

  const std::string missing = dir + "/missing.org";
  r = run(missing);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Error opening orbit file " + missing + " \n");
  std::filesystem::remove_all(root);
}

// Report lines that cannot be written are a failure, in every mode.
TEST(PassrangeOutput, FullDeviceIsAFailure) {
  const std::string orbit = kOrbits + "/edge/malformed-fifth.org";
  for (const std::vector<const char *> &argv :
       {std::vector<const char *>{"passrange", orbit.c_str()},
        std::vector<const char *>{"passrange", orbit.c_str(), "1477958470"},
        std::vector<const char *>{"passrange", orbit.c_str(), "1477958400",
                                  "1477958580"}}) {
    const kit_test::SpawnResult r =
        kit_test::spawn_program(kProgram, argv, {}, "/dev/full");
    EXPECT_EQ(r.status, 1) << argv.size() - 2 << " arguments after the file";
    EXPECT_EQ(r.err, "Error writing the report to standard output\n");
  }
}

// Spacecraft placed relative to a station on GCRS axes at
// 2016-11-04T04:00:00 UTC: at the station plus k times its up vector.  Near
// the vertical the cosine of the zenith angle rounds beyond +-1 for some k
// (for 0.37 km steps a few in every dozen), which must not give a NaN.
class PassrangeStationVertical : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = kit_test::make_temp_dir();
    const double jd = julian_date(2016, 11, 4, 4.0);
    double position[2][3] = {{882.87984013, -4924.4823080099995, 3944.13068519},
                             {2916.948887, 2248.6482429999996, 5190.099798}};
    double up[2][3] = {
        {0.13822607745500268, -0.7709903907572531, 0.6216649973027126},
        {0.45629468620828334, 0.35175324771948163, 0.8173523181938627}};
    for (int s = 0; s < 2; ++s) {
      ASSERT_EQ(ter2cel(jd, 0.0, 69.184, 1, 0, 0, 0.0, 0.0, position[s],
                        station_[s]),
                0);
      ASSERT_EQ(ter2cel(jd, 0.0, 69.184, 1, 0, 0, 0.0, 0.0, up[s], up_[s]), 0);
    }
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // The report lines, in every-record mode, for the spacecraft at rest at
  // station s + k * up for each k.
  std::vector<std::string> lines_for(int s, const std::vector<double> &ks) {
    const std::string orbit = dir_ + "/vertical.org";
    std::FILE *f = std::fopen(orbit.c_str(), "w");
    EXPECT_NE(f, nullptr);
    if (f == nullptr)
      return {};
    for (double k : ks)
      std::fprintf(f, "2016-11-04T04:00:00.000 %.17g %.17g %.17g 0 0 0\n",
                   station_[s][0] + k * up_[s][0],
                   station_[s][1] + k * up_[s][1],
                   station_[s][2] + k * up_[s][2]);
    std::fclose(f);
    const ReportRun r = run(orbit);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    std::vector<std::string> lines = split_lines(r.out);
    EXPECT_EQ(lines.size(), ks.size());
    return lines;
  }

  // The elevation field of station s (5 wide, after the Julian date, three
  // 13-wide distances and three blanks).
  static std::string elevation(const std::string &line, int s) {
    const std::size_t at = 58 + 6 * static_cast<std::size_t>(s);
    return line.size() >= at + 5 ? line.substr(at, 5) : "(short line)";
  }

  static std::vector<double> steps(double sign) {
    std::vector<double> ks;
    for (int i = 1; i <= 60; ++i)
      ks.push_back(sign * 0.37 * i);
    for (double k : {1000.0, 36000.0, 400000.0})
      ks.push_back(sign * k);
    return ks;
  }

  std::string dir_;
  double station_[2][3] = {};
  double up_[2][3] = {};
};

TEST_F(PassrangeStationVertical, StraightAboveIsPlus90) {
  for (int s = 0; s < 2; ++s) {
    const std::vector<double> ks = steps(+1.0);
    const std::vector<std::string> lines = lines_for(s, ks);
    for (std::size_t i = 0; i < lines.size() && i < ks.size(); ++i)
      EXPECT_EQ(elevation(lines[i], s), "+90.0")
          << "TS" << s + 1 << " k " << ks[i] << ": " << lines[i];
  }
}

TEST_F(PassrangeStationVertical, StraightBelowIsMinus90) {
  for (int s = 0; s < 2; ++s) {
    const std::vector<double> ks = steps(-1.0);
    const std::vector<std::string> lines = lines_for(s, ks);
    for (std::size_t i = 0; i < lines.size() && i < ks.size(); ++i)
      EXPECT_EQ(elevation(lines[i], s), "-90.0")
          << "TS" << s + 1 << " k " << ks[i] << ": " << lines[i];
  }
}

// At a station itself the direction is undefined: distance 0, and the
// elevation is not a number rather than an invented value.
TEST_F(PassrangeStationVertical, AtTheStationElevationIsNotANumber) {
  for (int s = 0; s < 2; ++s) {
    const std::vector<std::string> lines = lines_for(s, {0.0});
    ASSERT_EQ(lines.size(), 1u);
    const std::string field = elevation(lines[0], s);
    EXPECT_TRUE(field == " +nan" || field == " -nan") << lines[0];
    EXPECT_EQ(lines[0].substr(13 + 14 * static_cast<std::size_t>(s), 14),
              "      0.000000")
        << lines[0];
  }
}


// ----- the guard of the fitted Earth rotation --------------------------------

void expect_same_fields(const ReportLine &got, const ReportLine &want) {
  EXPECT_EQ(got.julian_date, want.julian_date);
  EXPECT_EQ(got.distance1, want.distance1);
  EXPECT_EQ(got.distance2, want.distance2);
  EXPECT_EQ(got.geocentric, want.geocentric);
  EXPECT_EQ(got.elevation1, want.elevation1);
  EXPECT_EQ(got.elevation2, want.elevation2);
}

// Records found by search whose TS1 distance (the first three) or elevation
// (the last) lies so near a rounding boundary that the fitted rotation alone
// would print another last digit: the guard recomputes them, and every field
// is then the exact rotation's to the bit.
TEST(PassrangeGuard, FieldsNearARoundingBoundaryAreRecomputedExactly) {
  const Scan s = scan(
      "2016-11-04T00:39:00.000 4483.2726167059882 -2258.2690561179647 "
      "3945.5551328268293 0 0 0\n"
      "2016-11-04T00:50:00.000 4654.0168457128457 -2054.5360383302032 "
      "3998.6644344000888 0 0 0\n"
      "2016-11-04T09:34:00.000 -1733.6908020631995 5517.9134755684099 "
      "4568.8624249315853 0 0 0\n"
      "2016-11-04T13:10:00.000 -5484.949796594562 1820.5205395191113 "
      "4574.7773140335594 0 0 0\n");
  ASSERT_EQ(s.records.size(), 4u);
  ter2cel_stream stream;
  ter2cel_stream_init(&stream);
  for (const OrbitRecord &r : s.records) {
    SCOPED_TRACE(r.stamp.hour() * 100 + r.stamp.minute());
    const ReportLine fast = report_line(r, &stream);
    const ReportLine exact = report_line(r, nullptr);
    EXPECT_TRUE(fast.recomputed);
    EXPECT_FALSE(exact.recomputed);
    expect_same_fields(fast, exact);
  }
}

// Within 10 km of a station the direction turns too fast with the station's
// position for any margin on the elevation: the line is always recomputed.
TEST(PassrangeGuard, NearAStationTheLineIsRecomputed) {
  double station[3];
  double ts2[3] = {2916.948887, 2248.6482429999996, 5190.099798};
  ASSERT_EQ(ter2cel(julian_date(2016, 11, 4, 4.0), 0.0, 69.184, 1, 0, 0, 0.0,
                    0.0, ts2, station),
            0);
  ter2cel_stream stream;
  ter2cel_stream_init(&stream);
  for (const double offset : {0.0, 3.0, 9.9, 10.1}) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "2016-11-04T04:00:00 %.17g %.17g %.17g 0 0 0\n",
                  station[0] + offset, station[1], station[2]);
    const Scan s = scan(text);
    ASSERT_EQ(s.records.size(), 1u);
    SCOPED_TRACE(offset);
    const ReportLine fast = report_line(s.records[0], &stream);
    const ReportLine exact = report_line(s.records[0], nullptr);
    if (offset < 10.0) {
      EXPECT_TRUE(fast.recomputed);
      EXPECT_EQ(fast.distance2, exact.distance2);
      EXPECT_EQ(std::isnan(fast.elevation2), offset == 0.0);
      if (offset != 0.0) {
        EXPECT_EQ(fast.elevation2, exact.elevation2);
      }
    } else {
      EXPECT_FALSE(fast.recomputed);
    }
  }
}

// On an ordinary orbit the guard is rare, and the lines it leaves to the fit
// print as the exact rotation's.  (A margin grown by mistake would recompute
// most lines and still print them right; this catches it.)
TEST(PassrangeGuard, RareOnAnOrdinaryOrbit) {
  const Scan s = scan(read_file(kOrbits + "/orbit-a.org"));
  ASSERT_GT(s.records.size(), 10000u);
  ter2cel_stream stream;
  ter2cel_stream_init(&stream);
  std::size_t recomputed = 0, differing = 0;
  for (const OrbitRecord &r : s.records) {
    const ReportLine fast = report_line(r, &stream);
    const ReportLine exact = report_line(r, nullptr);
    recomputed += fast.recomputed;
    char a[128], b[128];
    for (const auto &[line, out] : {std::pair{&fast, a}, std::pair{&exact, b}})
      std::snprintf(out, sizeof a, "%13lf %13lf %+5.1lf %+5.1lf",
                    line->distance1, line->distance2, line->elevation1,
                    line->elevation2);
    differing += std::strcmp(a, b) != 0;
  }
  EXPECT_EQ(differing, 0u);
  EXPECT_LT(recomputed, s.records.size() / 100) << recomputed << " recomputed";
}

} // namespace

// ----- orbit ephemeris messages ------------------------------------------------------

namespace {

const std::string kData = KIT_TEST_DATA;

// The queries of a report: every record, records nearest a few instants,
// and closest approaches over a few windows, of an orbit whose records run
// from first to last.
std::vector<std::vector<std::string>> report_queries(long long first, long long last) {
  std::vector<std::vector<std::string>> q = {{}};
  for (const long long t : {first, first + 7, first + 1000, (first + last) / 2, last, last + 1700})
    q.push_back({std::to_string(t)});
  for (const auto &[a, b] : {std::pair{first, last}, {first + 500, first + 4000},
                             {(first + last) / 2, last + 100}})
    q.push_back({std::to_string(a), std::to_string(b)});
  return q;
}

// An orbit file's records as a message on GCRF axes in a time system that
// is UTC shifted by `offset` seconds, the epochs shifted in decimal.
std::string as_message(const std::string &orbit, const char *system, double offset) {
  std::ifstream in(orbit);
  std::vector<std::string> data;
  for (std::string line; std::getline(in, line);) {
    if (line.empty())
      continue;
    const std::size_t blank = line.find(' ');
    utc::Instant t;
    EXPECT_TRUE(utc::Instant::parse(line.substr(0, blank).c_str(), t)) << line;
    std::string epoch = utc::iso_text(t.unix_seconds() + offset);
    epoch.pop_back(); // the Z
    data.push_back(epoch + line.substr(blank));
  }
  std::string m = "CCSDS_OEM_VERS = 2.0\nCREATION_DATE = 2026-12-09T00:00:00\n"
                  "ORIGINATOR = PASSKIT TESTS\n\nMETA_START\nOBJECT_NAME = TEST\n"
                  "OBJECT_ID = 2030-999A\nCENTER_NAME = EARTH\nREF_FRAME = GCRF\n"
                  "TIME_SYSTEM = " + std::string(system) + "\nSTART_TIME = " +
                  data.front().substr(0, data.front().find(' ')) + "\nSTOP_TIME = " +
                  data.back().substr(0, data.back().find(' ')) + "\nMETA_STOP\n\n";
  for (const std::string &d : data)
    m += d + "\n";
  return m;
}

// Each line's numbers within one unit of their last printed digit of the
// other's, the Julian dates equal: a message in another frame gives its
// orbit file's states to 1e-6 km.
void expect_within_last_digit(const std::string &got, const std::string &want) {
  const std::vector<std::string> g = split_lines(got), w = split_lines(want);
  ASSERT_EQ(g.size(), w.size());
  for (std::size_t i = 0; i < g.size(); ++i) {
    std::istringstream a(g[i]), b(w[i]);
    std::string x, y;
    a >> x;
    b >> y;
    EXPECT_EQ(x, y) << i;
    for (int k = 0; k < 5 && a >> x && b >> y; ++k) {
      const double unit = k < 3 ? 1e-6 : 0.1;
      EXPECT_LE(std::fabs(std::stod(x) - std::stod(y)), unit * 1.0001) << g[i] << " / " << w[i];
    }
  }
}

} // namespace

// A message on GCRF axes gives the orbit file's report byte for byte in
// every mode, in UTC and in the time systems shifted from it in decimal;
// a message on other axes, each line within its last digit.
TEST(PassrangeMessages, TheOrbitFilesReports) {
  const std::string leo = kData + "/windows/leo.org";
  const auto queries = report_queries(1907712000, 1907798400);
  for (const auto &q : queries) {
    SCOPED_TRACE(q.empty() ? "every record" : q[0]);
    const ReportRun want = run(leo, q), got = run(kData + "/oem/leo-gcrf-utc.oem", q);
    EXPECT_EQ(got.status, want.status);
    EXPECT_EQ(got.out, want.out);
    EXPECT_EQ(got.err, want.err);
  }
  for (const auto &[system, offset] : {std::pair{"TT", 69.184}, {"TAI", 37.0}, {"GPS", 18.0},
                                       {"UT1", 0.0}}) {
    const std::string path = std::string("passrange-test-") + system + ".oem";
    std::ofstream(path) << as_message(leo, system, offset);
    for (const auto &q : {queries[0], queries[3], queries[8]}) {
      SCOPED_TRACE(system);
      const ReportRun want = run(leo, q), got = run(path, q);
      EXPECT_EQ(got.status, 0);
      EXPECT_EQ(got.out, want.out);
      EXPECT_EQ(got.err, "");
    }
    std::remove(path.c_str());
  }
  expect_within_last_digit(run(kData + "/oem/leo-eme2000-tt.oem").out, run(leo).out);
  expect_within_last_digit(run(kData + "/oem/heo-itrf-gps.oem").out,
                           run(kData + "/windows/heo.org").out);
  // Only the useable span: days 2 to 7 of the eight, Julian dates
  // 2462562.5 to 2462568.5.
  std::string useable;
  for (const std::string &line : split_lines(run(kData + "/windows/heo.org").out)) {
    const double jd = std::stod(line);
    if (jd >= 2462562.5 && jd <= 2462568.5)
      useable += line + "\n";
  }
  EXPECT_EQ(split_lines(useable).size(), 8641u);
  expect_within_last_digit(run(kData + "/oem/heo-eme2000-tdb.oem").out, useable);
}
