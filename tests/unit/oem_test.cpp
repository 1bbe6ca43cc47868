// oem_test.cpp - the reader of orbit ephemeris messages (the oem library):
// the four reference messages written from the windows orbits (tests/data/
// oem) against those orbit files as the kit's own reader gives them; each
// frame and time system on states and epochs worked out by hand; every
// refusal with its line; segments that overlap, meet and leave a gap; a
// message read from a pipe; the forms producers write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "oem.h"
#include "oem_source.h"
#include "orbit_record.h"

namespace {

const std::string kData = KIT_TEST_DATA;

// What reading a message gave: its records, its error, and whether the
// error came before any record.
struct Read {
  std::vector<oem::OemRecord> records;
  std::string error;
  bool checked; // the first pass accepted the message
};

Read read_stream(std::FILE *f, const std::string &already_read = {}) {
  Read out{{}, "", false};
  oem::OemReader reader(f, "message", already_read);
  out.checked = reader.check();
  oem::OemRecord r;
  while (reader.next(r))
    out.records.push_back(r);
  out.error = reader.error();
  return out;
}

Read read_text(const std::string &text) {
  std::string buf = text;
  std::FILE *f = fmemopen(buf.data(), buf.size(), "r");
  if (f == nullptr) {
    ADD_FAILURE() << "fmemopen failed";
    return {};
  }
  Read out = read_stream(f);
  std::fclose(f);
  return out;
}

Read read_file(const std::string &path) {
  std::FILE *f = std::fopen(path.c_str(), "r");
  if (f == nullptr) {
    ADD_FAILURE() << "cannot open " << path;
    return {};
  }
  Read out = read_stream(f);
  std::fclose(f);
  return out;
}

// A record of an orbit file with its timestamp's fields, as a message's
// state has them.
struct FileRecord {
  int year, month, day, hour, minute;
  double second;
  std::int64_t unixsec;
  double x, y, z, vx, vy, vz;
};

std::vector<FileRecord> orbit_file(const std::string &path) {
  std::vector<FileRecord> records;
  std::FILE *f = std::fopen(path.c_str(), "r");
  if (f == nullptr) {
    ADD_FAILURE() << "cannot open " << path;
    return records;
  }
  OrbitRecord r;
  while (read_orbit_record(f, r))
    records.push_back({r.stamp.year(), r.stamp.month(), r.stamp.day(), r.stamp.hour(),
                       r.stamp.minute(), r.stamp.second(), r.stamp.record_time(), r.x, r.y, r.z,
                       r.vx, r.vy, r.vz});
  std::fclose(f);
  return records;
}

// text with its first occurrence of from replaced by to.
std::string with(std::string text, const std::string &from, const std::string &to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos)
    text.replace(at, from.size(), to);
  return text;
}

// A small message: one GCRF/UTC segment of four records every 20 s.
// Lines: 1-3 the header, 5 META_START, 6-12 the metadata, 13 META_STOP,
// 14-17 the data.
const std::string kHeader = "CCSDS_OEM_VERS = 2.0\n"
                            "CREATION_DATE = 2026-12-09T00:00:00\n"
                            "ORIGINATOR = PASSKIT TESTS\n"
                            "\n";
std::string meta(const std::string &frame, const std::string &system,
                 const std::string &start, const std::string &stop) {
  return "META_START\n"
         "OBJECT_NAME = TEST\n"
         "OBJECT_ID = 2030-999A\n"
         "CENTER_NAME = EARTH\n"
         "REF_FRAME = " + frame + "\n"
         "TIME_SYSTEM = " + system + "\n"
         "START_TIME = " + start + "\n"
         "STOP_TIME = " + stop + "\n"
         "META_STOP\n";
}
const std::string kData4 = "2030-06-15T00:00:00 7000 0 0 0 7.5 0\n"
                           "2030-06-15T00:00:20 6999 150 1 -0.1 7.5 0.1\n"
                           "2030-06-15T00:00:40 6998 300 2 -0.2 7.5 0.2\n"
                           "2030-06-15T00:01:00 6997 450 3 -0.3 7.5 0.3\n";
const std::string kSmall =
    kHeader + meta("GCRF", "UTC", "2030-06-15T00:00:00", "2030-06-15T00:01:00") + kData4;

double distance(double ax, double ay, double az, double bx, double by, double bz) {
  return std::sqrt((ax - bx) * (ax - bx) + (ay - by) * (ay - by) + (az - bz) * (az - bz));
}

// ---------------------------------------------------------------------------
// The reference messages against their orbit files.
// ---------------------------------------------------------------------------

// Epochs bit for bit, positions and velocities within the printing of the
// message's states: 1e-6 km and 1e-9 km/s per component, so at most
// sqrt(3)/2 of that per vector after any rotation, plus (ITRF) the
// rotation's share of the position's rounding in the velocity, 7.3e-5 rad/s
// times 8.7e-7 km.  Returns the largest differences found.
struct Largest {
  double position, velocity;
};

Largest compare(const std::vector<oem::OemRecord> &got,
                const std::vector<FileRecord> &want) {
  Largest d{0.0, 0.0};
  EXPECT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i) {
    const oem::OemRecord &g = got[i];
    const FileRecord &w = want[i];
    if (!(g.year == w.year && g.month == w.month && g.day == w.day &&
          g.hour == w.hour && g.minute == w.minute && g.second == w.second &&
          g.unixsec == w.unixsec)) {
      ADD_FAILURE() << "record " << i << " (line " << g.line << "): " << g.year << "-"
                    << g.month << "-" << g.day << "T" << g.hour << ":" << g.minute << ":"
                    << g.second << ", not the orbit file's second " << w.second;
      return d;
    }
    EXPECT_EQ(g.continues, i > 0) << "line " << g.line;
    d.position = std::max(d.position, distance(g.x, g.y, g.z, w.x, w.y, w.z));
    d.velocity = std::max(d.velocity, distance(g.vx, g.vy, g.vz, w.vx, w.vy, w.vz));
  }
  return d;
}

TEST(OemReference, GcrfUtcGivesTheOrbitFileBitForBit) {
  const Read r = read_file(kData + "/oem/leo-gcrf-utc.oem");
  const std::vector<FileRecord> want = orbit_file(kData + "/windows/leo.org");
  EXPECT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), want.size());
  ASSERT_EQ(want.size(), 4321u);
  for (std::size_t i = 0; i < want.size(); ++i) {
    const oem::OemRecord &g = r.records[i];
    const FileRecord &w = want[i];
    ASSERT_TRUE(g.year == w.year && g.month == w.month && g.day == w.day &&
                g.hour == w.hour && g.minute == w.minute && g.second == w.second &&
                g.unixsec == w.unixsec && g.x == w.x && g.y == w.y && g.z == w.z &&
                g.vx == w.vx && g.vy == w.vy && g.vz == w.vz)
        << "record " << i << ", line " << g.line;
    EXPECT_EQ(g.line, static_cast<long>(i) + 19);
    EXPECT_EQ(g.continues, i > 0);
  }
}

TEST(OemReference, Eme2000TtTwoSegmentsGiveTheOrbitFile) {
  const Read r = read_file(kData + "/oem/leo-eme2000-tt.oem");
  EXPECT_EQ(r.error, "");
  const Largest d = compare(r.records, orbit_file(kData + "/windows/leo.org"));
  std::printf("leo-eme2000-tt: largest position difference %.3g km, velocity %.3g km/s\n",
              d.position, d.velocity);
  EXPECT_LE(d.position, 0.87e-6);
  EXPECT_LE(d.velocity, 0.87e-9);
  // The shared epoch 12:00:00 comes once, from the second segment.
  const auto shared = std::find_if(r.records.begin(), r.records.end(),
                                   [](const oem::OemRecord &x) {
                                     return x.unixsec == 1907755200;
                                   });
  ASSERT_NE(shared, r.records.end());
  EXPECT_EQ(shared->line, 2205);
  EXPECT_EQ((shared - 1)->line, 2178);
}

TEST(OemReference, ItrfGpsThreeSegmentsGiveTheOrbitFile) {
  const Read r = read_file(kData + "/oem/heo-itrf-gps.oem");
  EXPECT_EQ(r.error, "");
  const Largest d = compare(r.records, orbit_file(kData + "/windows/heo.org"));
  std::printf("heo-itrf-gps: largest position difference %.3g km, velocity %.3g km/s\n",
              d.position, d.velocity);
  EXPECT_LE(d.position, 0.87e-6);
  EXPECT_LE(d.velocity, 0.87e-9 + 7.3e-5 * 0.87e-6);
}

TEST(OemReference, Eme2000TdbGivesItsUseableSpanOnly) {
  const Read r = read_file(kData + "/oem/heo-eme2000-tdb.oem");
  EXPECT_EQ(r.error, "");
  std::vector<FileRecord> want = orbit_file(kData + "/windows/heo.org");
  // 2030-03-02T00:00:00Z to 2030-03-08T00:00:00Z.
  std::erase_if(want, [](const FileRecord &w) {
    return w.unixsec < 1898640000 || w.unixsec > 1899158400;
  });
  ASSERT_EQ(want.size(), 8641u);
  const Largest d = compare(r.records, want);
  std::printf("heo-eme2000-tdb: largest position difference %.3g km, velocity %.3g km/s\n",
              d.position, d.velocity);
  EXPECT_LE(d.position, 0.87e-6);
  EXPECT_LE(d.velocity, 0.87e-9);
}

// ---------------------------------------------------------------------------
// Frames on states worked out by hand.
// ---------------------------------------------------------------------------

constexpr double kArcsec = 3.141592653589793 / 648000.0;

// One record of a GCRF/UTC message with the frame and state given.
oem::OemRecord one_state(const std::string &frame, const std::string &epoch,
                         const std::string &state) {
  const Read r = read_text(kHeader + meta(frame, "UTC", epoch, epoch) + epoch + " " +
                           state + "\n");
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.records.size(), 1u);
  return r.records.empty() ? oem::OemRecord{} : r.records[0];
}

// The frame bias's angles (xi0 -0.0166170", eta0 -0.0068192", da0
// -0.01460"): the dynamical z axis lies at (xi0, eta0) from the GCRS pole,
// its x axis at da0 about the pole.
TEST(OemFrames, Eme2000ByTheFrameBias) {
  const double xi0 = -0.0166170 * kArcsec, eta0 = -0.0068192 * kArcsec,
               da0 = -0.01460 * kArcsec;
  const oem::OemRecord r = one_state("EME2000", "2030-06-15T00:00:00",
                                     "0 0 10000 1 0 0");
  EXPECT_NEAR(r.x, 10000 * xi0, 1e-15);
  EXPECT_NEAR(r.y, 10000 * eta0, 1e-15);
  // The diagonal to second order: 1 - (xi0^2 + eta0^2) / 2, 1 - (da0^2 +
  // xi0^2) / 2.
  EXPECT_NEAR(r.z, 10000 * (1 - (xi0 * xi0 + eta0 * eta0) / 2), 2e-12);
  EXPECT_NEAR(r.vx, 1 - (da0 * da0 + xi0 * xi0) / 2, 2e-16);
  EXPECT_LT(r.z, 10000.0);
  EXPECT_LT(r.vx, 1.0);
  EXPECT_NEAR(r.vy, da0, 1e-20);
  EXPECT_NEAR(r.vz, -xi0, 1e-20);
  // J2000 is EME2000's other name; GCRF and ICRF are used as they are.
  const oem::OemRecord j = one_state("J2000", "2030-06-15T00:00:00", "0 0 10000 1 0 0");
  EXPECT_TRUE(j.x == r.x && j.y == r.y && j.z == r.z && j.vy == r.vy);
  for (const char *frame : {"GCRF", "ICRF", "icrf"}) {
    const oem::OemRecord g = one_state(frame, "2030-06-15T00:00:00",
                                       "0.1 -0.2 10000 1 2e-3 -3");
    EXPECT_TRUE(g.x == 0.1 && g.y == -0.2 && g.z == 10000 && g.vx == 1 &&
                g.vy == 2e-3 && g.vz == -3)
        << frame;
  }
}

// A point on the terrestrial equator at longitude 0 (90): its right
// ascension on GCRS axes is the Earth rotation angle (plus 90 degrees), 2 pi (0.7790572732640 +
// 1.00273781191135448 (JD(UT1) - 2451545)) (IERS Conventions 2003), but for
// the place of the celestial intermediate origin on GCRS axes, a few
// milliarcseconds near J2000 (the kit's UT1 is UTC); its height above the
// GCRS equator is the pole's offset, at most the nutation's 11".  At rest
// on the Earth, it moves at omega R due east.
TEST(OemFrames, ItrfByTheEarthsRotation) {
  const double pi = 3.141592653589793;
  const double radius = 6378.137, omega = 7.2921158553e-5;
  const struct {
    const char *frame, *epoch;
    double days; // from J2000
  } cases[] = {{"ITRF", "2000-01-01T12:00:00", 0.0},
               {"ITRF-93", "2000-01-01T18:00:00", 0.25},
               {"ITRF-97", "2000-001T06:00:00", -0.25},
               {"ITRF2000", "2000-01-02T00:00:00", 0.5},
               {"itrf2014", "2000-01-01T12:00:00", 0.0}};
  for (const auto &c : cases) {
    for (const double longitude : {0.0, 90.0}) {
      const oem::OemRecord r = one_state(c.frame, c.epoch,
                                         longitude == 0.0 ? "6378.137 0 0 0 0 0"
                                                          : "0 6378.137 0 0 0 0");
      const double era = 2 * pi * (0.7790572732640 + 1.00273781191135448 * c.days) +
                         longitude * pi / 180;
      const double off = std::remainder(std::atan2(r.y, r.x) - era, 2 * pi);
      EXPECT_LT(std::fabs(off), 0.01 * kArcsec) << c.frame << " " << c.epoch;
      EXPECT_LT(std::fabs(r.z), radius * 11 * kArcsec) << c.epoch;
      EXPECT_NEAR(std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z), radius, 1e-9);
      EXPECT_NEAR(r.vx, -omega * radius * std::sin(era), 1e-6) << c.epoch;
      EXPECT_NEAR(r.vy, omega * radius * std::cos(era), 1e-6) << c.epoch;
      EXPECT_LT(std::fabs(r.vz), omega * radius * 11 * kArcsec) << c.epoch;
    }
  }
}

// ---------------------------------------------------------------------------
// Time systems: epochs shifted by the known offsets, exactly.
// ---------------------------------------------------------------------------

oem::OemRecord one_epoch(const std::string &system, const std::string &epoch) {
  const Read r = read_text(kHeader + meta("GCRF", system, epoch, epoch) + epoch +
                           " 7000 0 0 0 7.5 0\n");
  EXPECT_EQ(r.error, "") << system << " " << epoch;
  EXPECT_EQ(r.records.size(), 1u) << system << " " << epoch;
  return r.records.empty() ? oem::OemRecord{} : r.records[0];
}

void expect_utc(const oem::OemRecord &r, int year, int month, int day, int hour,
                int minute, double second, long long unixsec) {
  EXPECT_EQ(r.year, year);
  EXPECT_EQ(r.month, month);
  EXPECT_EQ(r.day, day);
  EXPECT_EQ(r.hour, hour);
  EXPECT_EQ(r.minute, minute);
  EXPECT_EQ(r.second, second);
  EXPECT_EQ(r.unixsec, unixsec);
}

TEST(OemTimeSystems, FixedOffsetsAreExact) {
  // 2016-11-05T00:00:00Z is Unix 1478304000.
  expect_utc(one_epoch("UTC", "2016-11-05T00:00:00.000"), 2016, 11, 5, 0, 0, 0.0, 1478304000);
  expect_utc(one_epoch("TT", "2016-11-05T00:01:09.184"), 2016, 11, 5, 0, 0, 0.0, 1478304000);
  expect_utc(one_epoch("TAI", "2016-11-05T00:00:37"), 2016, 11, 5, 0, 0, 0.0, 1478304000);
  expect_utc(one_epoch("GPS", "2016-11-05T00:00:18Z"), 2016, 11, 5, 0, 0, 0.0, 1478304000);
  expect_utc(one_epoch("UT1", "2016-11-05T00:00:00"), 2016, 11, 5, 0, 0, 0.0, 1478304000);
  // Day of the year 310 of 2016 is 5 November; lower-case names.
  expect_utc(one_epoch("tt", "2016-310T00:01:09.184"), 2016, 11, 5, 0, 0, 0.0, 1478304000);
  // The TT second 10.184 is UTC's whole second 1, not 0.999...
  expect_utc(one_epoch("TT", "2016-11-05T00:01:10.184000000000"), 2016, 11, 5, 0, 0, 1.0,
             1478304001);
  // A converted second is the double of its decimal text.
  expect_utc(one_epoch("TT", "2016-11-05T00:01:09.284"), 2016, 11, 5, 0, 0, 0.1, 1478304000);
  expect_utc(one_epoch("TAI", "2016-11-05T00:00:37.000000000001"), 2016, 11, 5, 0, 0,
             1e-12, 1478304000);
  // Across the end of a year: TT 2017-01-01T00:01:08 is UTC 58.816 s
  // before midnight.
  expect_utc(one_epoch("TT", "2017-001T00:01:08"), 2016, 12, 31, 23, 59, 58.816, 1483228798);
}

// TDB - TT is at most 1.7 ms: a TDB epoch lands within that of the TT one,
// on a whole microsecond.
TEST(OemTimeSystems, TdbWithinItsPeriodicTermsToTheMicrosecond) {
  for (const char *epoch : {"2016-11-05T00:01:09.184", "2030-03-01T00:01:09.184",
                            "2030-09-01T00:01:09.184", "1990-01-01T00:01:09.184"}) {
    const oem::OemRecord tt = one_epoch("TT", epoch);
    const oem::OemRecord tdb = one_epoch("TDB", epoch);
    const double shift =
        static_cast<double>(tdb.unixsec - tt.unixsec) +
        ((tdb.second - std::trunc(tdb.second)) - (tt.second - std::trunc(tt.second)));
    EXPECT_LE(std::fabs(shift), 1.7e-3) << epoch;
    EXPECT_GT(std::fabs(shift), 0.0) << epoch;
    const double microseconds = tdb.second * 1e6;
    EXPECT_EQ(microseconds, std::round(microseconds)) << epoch;
  }
  // Early March TDB runs ahead of TT by about 1.4 ms (the reference
  // message's first epoch), early September behind by about as much.
  EXPECT_EQ(one_epoch("TDB", "2030-03-01T00:01:09.185388").second, 0.0);
  const double september = one_epoch("TDB", "2030-09-01T00:01:09.184").second;
  EXPECT_GT(september, 1e-3);
  EXPECT_LT(september, 1.7e-3);
}

// ---------------------------------------------------------------------------
// Refusals: one line each, with the line, and no record after them.
// ---------------------------------------------------------------------------

struct Refusal {
  std::string text;
  std::string error;
};

void expect_refused_before_any_record(const std::vector<Refusal> &cases) {
  for (const Refusal &c : cases) {
    const Read r = read_text(c.text);
    EXPECT_FALSE(r.checked) << c.error;
    EXPECT_TRUE(r.records.empty()) << c.error;
    EXPECT_EQ(r.error, c.error);
  }
}

TEST(OemRefusals, Header) {
  const std::string m = meta("GCRF", "UTC", "2030-06-15T00:00:00", "2030-06-15T00:01:00");
  expect_refused_before_any_record({
      {"", "line 1: no CCSDS_OEM_VERS: the message is empty"},
      {"\n  \n", "line 2: no CCSDS_OEM_VERS: the message is empty"},
      {"<?xml version=\"1.0\"?>\n<oem>\n", "line 1: the XML form (CCSDS 505.0) is not read"},
      {"\n <oem id=\"CCSDS_OEM_VERS\" version=\"2.0\">\n",
       "line 2: the XML form (CCSDS 505.0) is not read"},
      {"COMMENT first\n" + kHeader + m + kData4,
       "line 1: the message does not begin with CCSDS_OEM_VERS"},
      {with(kSmall, "= 2.0", "= 4.0"), "line 1: CCSDS_OEM_VERS \"4.0\" is not read (1.0, 2.0 and 3.0 are)"},
      {with(kSmall, "CREATION_DATE = 2026-12-09T00:00:00\n", ""),
       "line 4: CREATION_DATE missing from the header"},
      {with(kSmall, "ORIGINATOR = PASSKIT TESTS\n", ""),
       "line 4: ORIGINATOR missing from the header"},
      {with(kSmall, "ORIGINATOR = PASSKIT TESTS\n", "ORIGINATOR = A\nORIGINATOR = B\n"),
       "line 4: ORIGINATOR repeated (first at line 3)"},
      {with(kSmall, "ORIGINATOR = PASSKIT TESTS\n", "ORIGINATOR = A\nOBJECT_NAME = B\n"),
       "line 4: unknown keyword \"OBJECT_NAME\" in the header"},
      {with(kSmall, "ORIGINATOR = PASSKIT TESTS\n", "ORIGINATOR =\n"),
       "line 3: ORIGINATOR has no value"},
      {with(kSmall, "2026-12-09T00:00:00", "yesterday"),
       "line 2: CREATION_DATE \"yesterday\" is not of the form YYYY-MM-DDThh:mm:ss or "
       "YYYY-DDDThh:mm:ss"},
      {with(kSmall, "\nMETA_START", "\n2030-06-15T00:00:00 1 2 3 4 5 6\nMETA_START"),
       "line 5: expected a header keyword or META_START"},
      {kHeader, "line 4: the header is followed by no segment (META_START)"},
  });
}

TEST(OemRefusals, Metadata) {
  expect_refused_before_any_record({
      {with(kSmall, "OBJECT_ID = 2030-999A\n", ""),
       "line 12: OBJECT_ID missing from the metadata (META_START at line 5)"},
      {with(kSmall, "CENTER_NAME = EARTH\n", ""),
       "line 12: CENTER_NAME missing from the metadata (META_START at line 5)"},
      {with(kSmall, "START_TIME = 2030-06-15T00:00:00\n", ""),
       "line 12: START_TIME missing from the metadata (META_START at line 5)"},
      {with(kSmall, "TIME_SYSTEM = UTC\n", "TIME_SYSTEM = UTC\nTIME_SYSTEM = UTC\n"),
       "line 11: TIME_SYSTEM repeated (first at line 10)"},
      {with(kSmall, "META_STOP\n", ""), "line 5: META_START without META_STOP"},
      {with(kSmall, "META_STOP\n" + kData4, ""), "line 5: META_START without META_STOP"},
      {with(kSmall, "OBJECT_NAME = TEST", "OBJECT_NAME = TEST\nMESSAGE_ID = X"),
       "line 7: unknown keyword \"MESSAGE_ID\" in the metadata"},
      {with(kSmall, "OBJECT_NAME = TEST", "OBJECT_NAME = TEST\nsome text"),
       "line 7: expected a metadata keyword or META_STOP"},
      {with(kSmall, "CENTER_NAME = EARTH", "CENTER_NAME = MOON"),
       "line 8: CENTER_NAME \"MOON\" is not read: states about the EARTH only"},
      {with(kSmall, "REF_FRAME = GCRF", "REF_FRAME = TOD"),
       "line 9: REF_FRAME \"TOD\" is not read (GCRF, ICRF, EME2000, J2000 and ITRF are)"},
      {with(kSmall, "REF_FRAME = GCRF", "REF_FRAME = TEME"),
       "line 9: REF_FRAME \"TEME\" is not read (GCRF, ICRF, EME2000, J2000 and ITRF are)"},
      {with(kSmall, "REF_FRAME = GCRF", "REF_FRAME = ITRF-1993"),
       "line 9: REF_FRAME \"ITRF-1993\" is not read (GCRF, ICRF, EME2000, J2000 and ITRF are)"},
      {with(kSmall, "TIME_SYSTEM = UTC", "TIME_SYSTEM = TCB"),
       "line 10: TIME_SYSTEM \"TCB\" is not read (UTC, TAI, TT, GPS, TDB and UT1 are)"},
      {with(kSmall, "STOP_TIME = 2030-06-15T00:01:00", "STOP_TIME = 2030-06-14T00:01:00"),
       "line 12: STOP_TIME precedes START_TIME"},
      {with(kSmall, "STOP_TIME = 2030-06-15T00:01:00", "STOP_TIME = 2030-02-30T00:01:00"),
       "line 12: STOP_TIME \"2030-02-30T00:01:00\" has no such day"},
      {with(kSmall, "STOP_TIME = 2030-06-15T00:01:00",
            "STOP_TIME = 2030-06-15T00:01:00\nUSEABLE_START_TIME = 2030-06-16T00:00:00"),
       "line 13: USEABLE_START_TIME lies outside START_TIME..STOP_TIME"},
      {with(kSmall, "STOP_TIME = 2030-06-15T00:01:00",
            "STOP_TIME = 2030-06-15T00:01:00\nINTERPOLATION_DEGREE = three"),
       "line 13: INTERPOLATION_DEGREE \"three\" is not a whole number"},
      {kSmall + "META_STOP\n", "line 18: META_STOP without META_START"},
      {kSmall + "OBJECT_NAME = OTHER\n",
       "line 18: keyword \"OBJECT_NAME\" among the data lines (metadata begins with "
       "META_START)"},
  });
}

TEST(OemRefusals, CovarianceForm) {
  const std::string rows = "1\n2 3\n4 5 6\n7 8 9 10\n11 12 13 14 15\n16 17 18 19 20 21\n";
  const std::string block = "COVARIANCE_START\nEPOCH = 2030-06-15T00:00:00\n"
                            "COV_REF_FRAME = RTN\n" + rows;
  // Sound: two matrices, the second without its frame.
  const Read sound = read_text(kSmall + block + "EPOCH = 2030-06-15T00:01:00\n" + rows +
                               "COVARIANCE_STOP\n");
  EXPECT_EQ(sound.error, "");
  EXPECT_EQ(sound.records.size(), 4u);
  expect_refused_before_any_record({
      {kSmall + block, "line 18: COVARIANCE_START without COVARIANCE_STOP"},
      {kSmall + with(block, "4 5 6\n", "4 5\n") + "COVARIANCE_STOP\n",
       "line 23: covariance row 3 has 2 numbers, 3 expected"},
      {kSmall + with(block, "16 17 18 19 20 21\n", "") + "COVARIANCE_STOP\n",
       "line 26: the covariance matrix ends after row 5 of 6"},
      {kSmall + with(block, "EPOCH = 2030-06-15T00:00:00\nCOV_REF_FRAME = RTN\n", "") +
           "COVARIANCE_STOP\n",
       "line 19: a covariance matrix begins with EPOCH"},
      {kSmall + with(block, "7 8 9 10", "7 8 nan 10") + "COVARIANCE_STOP\n",
       "line 24: \"nan\" is not a finite number"},
      {kSmall + block + "7\nCOVARIANCE_STOP\n",
       "line 27: a covariance matrix has 6 rows: EPOCH or COVARIANCE_STOP expected"},
      {kSmall + block + "COVARIANCE_STOP\n2030-06-15T00:01:20 1 2 3 4 5 6\n",
       "line 28: a data line after the covariance block (data lines come before "
       "COVARIANCE_START)"},
      {kSmall + with(block, "COV_REF_FRAME", "CX_X") + "COVARIANCE_STOP\n",
       "line 20: unknown keyword \"CX_X\" in a covariance block"},
  });
}

// A bad data line is refused when the second pass reaches it: the records
// before it have been given.
TEST(OemRefusals, DataLines) {
  const struct {
    std::string line;
    std::size_t given;
    std::string error;
  } cases[] = {
      {"2030-06-15T00:00:40 6998 300 2 -0.2 7.5", 2,
       "line 16: a data line has 7 fields (EPOCH X Y Z X_DOT Y_DOT Z_DOT) or 10 (with "
       "X_DDOT Y_DDOT Z_DDOT); this one has 6"},
      {"2030-06-15T00:00:40 6998 300 2 -0.2 7.5 0.2 0 0", 2,
       "line 16: a data line has 7 fields (EPOCH X Y Z X_DOT Y_DOT Z_DOT) or 10 (with "
       "X_DDOT Y_DDOT Z_DDOT); this one has 9"},
      {"2030-06-15T00:00:40 6998 300 2 -0.2 7.5 0.2 0 0 0 0", 2,
       "line 16: a data line has 7 fields (EPOCH X Y Z X_DOT Y_DOT Z_DOT) or 10 (with "
       "X_DDOT Y_DDOT Z_DDOT); this one has more than 10"},
      {"2030-06-15T00:00:40 6998 inf 2 -0.2 7.5 0.2", 2, "line 16: Y \"inf\" is not a finite number"},
      {"2030-06-15T00:00:40 6998 300 -NaN -0.2 7.5 0.2", 2,
       "line 16: Z \"-NaN\" is not a finite number"},
      {"2030-06-15T00:00:40 6998 300 2 -0.2 1e999 0.2", 2,
       "line 16: Y_DOT \"1e999\" is not a finite number"},
      {"2030-06-15T00:00:40 6998 300 2 -0.2 7.5 0.2 0 0 -1e400", 2,
       "line 16: Z_DDOT \"-1e400\" is not a finite number"},
      {"2030-06-15T00:00:40 6998 300 2 -0.2 7,5 0.2", 2, "line 16: Y_DOT \"7,5\" is not a number"},
      {"2030-06-15T00:00:40 6998 0x10 2 -0.2 7.5 0.2", 2, "line 16: Y \"0x10\" is not a number"},
      {"2030-06-15T00:01:40 6998 300 2 -0.2 7.5 0.2", 2,
       "line 16: the epoch \"2030-06-15T00:01:40\" lies outside its segment's "
       "START_TIME..STOP_TIME (META_START at line 5)"},
      {"2030-06-15T00:00:10 6998 300 2 -0.2 7.5 0.2", 2,
       "line 16: the epoch \"2030-06-15T00:00:10\" does not follow the epoch of line 15"},
      {"2030-06-15T00:00:20 6998 300 2 -0.2 7.5 0.2", 2,
       "line 16: a different state at the epoch of line 15"},
      {"2030-06-15T00:00:40.1234567890123 6998 300 2 -0.2 7.5 0.2", 2,
       "line 16: the epoch \"2030-06-15T00:00:40.1234567890123\" has more than 12 "
       "decimals of the second"},
      {"2030-06-15T24:00:40 6998 300 2 -0.2 7.5 0.2", 2,
       "line 16: the epoch \"2030-06-15T24:00:40\" has an hour, minute or second out "
       "of range"},
      {"2030-06-15T00:00:60 6998 300 2 -0.2 7.5 0.2", 2,
       "line 16: the epoch \"2030-06-15T00:00:60\" has an hour, minute or second out "
       "of range"},
      {"2030-06-15T00:00:40Q 6998 300 2 -0.2 7.5 0.2", 2,
       "line 16: the epoch \"2030-06-15T00:00:40Q\" is not of the form "
       "YYYY-MM-DDThh:mm:ss or YYYY-DDDThh:mm:ss"},
      {"2030-06-15 00:00:40 6998 300 2 -0.2 7.5 0.2", 2,
       "line 16: a data line has 7 fields (EPOCH X Y Z X_DOT Y_DOT Z_DOT) or 10 (with "
       "X_DDOT Y_DDOT Z_DDOT); this one has 8"},
      {"some words", 2, "line 16: a data line has 7 fields (EPOCH X Y Z X_DOT Y_DOT "
                        "Z_DOT) or 10 (with X_DDOT Y_DDOT Z_DDOT); this one has 2"},
  };
  const std::string good = "2030-06-15T00:00:40 6998 300 2 -0.2 7.5 0.2";
  for (const auto &c : cases) {
    const Read r = read_text(with(kSmall, good, c.line));
    EXPECT_TRUE(r.checked) << c.line;
    EXPECT_EQ(r.records.size(), c.given) << c.line;
    EXPECT_EQ(r.error, c.error);
  }
  // The reader gives nothing more after an error.
  std::string text = with(kSmall, good, "2030-06-15T00:00:40 6998 x 2 -0.2 7.5 0.2");
  std::FILE *f = fmemopen(text.data(), text.size(), "r");
  ASSERT_NE(f, nullptr);
  oem::OemReader reader(f, "m");
  oem::OemRecord r;
  EXPECT_TRUE(reader.next(r));
  EXPECT_TRUE(reader.next(r));
  EXPECT_FALSE(reader.next(r));
  EXPECT_FALSE(reader.next(r));
  EXPECT_EQ(reader.error(), "line 16: Y \"x\" is not a number");
  std::fclose(f);
}

// A state too large to turn (its rotated components overflow) is refused
// rather than given as infinite; on GCRF axes the same numbers are taken.
TEST(OemRefusals, HugeStates) {
  const std::string huge = "2030-06-15T00:00:40 1.7976931348623157e308 "
                           "1.7976931348623157e308 1.7976931348623157e308 -0.2 7.5 0.2";
  const std::string good = "2030-06-15T00:00:40 6998 300 2 -0.2 7.5 0.2";
  for (const char *frame : {"EME2000", "ITRF"}) {
    const Read r = read_text(with(with(kSmall, good, huge), "GCRF", frame));
    EXPECT_EQ(r.records.size(), 2u) << frame;
    EXPECT_EQ(r.error, "line 16: the state is too large to turn to GCRS axes") << frame;
  }
  const Read r = read_text(with(kSmall, good, huge));
  EXPECT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), 4u);
  EXPECT_EQ(r.records[2].x, 1.7976931348623157e308);
}

// Damaged messages (bytes changed, lines cut, the message cut anywhere)
// are read to an end or to one error line, never past a crash or a hang;
// what is given stays in strictly increasing time.
TEST(OemRefusals, DamagedMessagesEndInOneErrorLine) {
  const std::string base =
      with(kSmall, "STOP_TIME = 2030-06-15T00:01:00",
           "STOP_TIME = 2030-06-15T00:01:00\nUSEABLE_START_TIME = 2030-06-15T00:00:10") +
      "COVARIANCE_START\nEPOCH = 2030-06-15T00:00:00\n1\n2 3\n4 5 6\n7 8 9 10\n"
      "11 12 13 14 15\n16 17 18 19 20 21\nCOVARIANCE_STOP\n" +
      meta("ITRF", "TDB", "2030-06-15T00:03:00", "2030-06-15T00:04:00") +
      "2030-06-15T00:03:00 7000 0 0 0 7.5 0\n2030-06-15T00:04:00 7000 0 0 0 7.5 0\n";
  ASSERT_EQ(read_text(base).error, "");
  const char bytes[] = {'\0', '\n', ' ', '=', '-', '9', 'e', '.', 'T', 'Z', '\xff', 'A'};
  std::uint64_t state = 7;
  const auto next = [&state](std::uint64_t n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (state >> 33) % n;
  };
  int refused = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string text = base;
    for (int k = 0, changes = 1 + static_cast<int>(next(3)); k < changes && !text.empty();
         ++k) {
      const std::size_t at = next(text.size());
      switch (next(3)) {
      case 0:
        text[at] = bytes[next(sizeof bytes)];
        break;
      case 1:
        text.erase(at, 1 + next(8));
        break;
      default:
        text.resize(at);
        break;
      }
    }
    const Read r = read_text(text);
    for (std::size_t k = 1; k < r.records.size(); ++k)
      EXPECT_TRUE(r.records[k - 1].unixsec < r.records[k].unixsec ||
                  (r.records[k - 1].unixsec == r.records[k].unixsec &&
                   r.records[k - 1].second < r.records[k].second));
    if (!r.error.empty()) {
      ++refused;
      EXPECT_EQ(r.error.rfind("line ", 0), 0u) << r.error;
      EXPECT_EQ(r.error.find('\n'), std::string::npos) << r.error;
    }
  }
  EXPECT_GT(refused, 1000);
}

// A line beyond the buffer is refused by its number, not read in part.
TEST(OemRefusals, LineLongerThanTheBuffer) {
  const Read r = read_text(kSmall + "COMMENT " +
                           std::string(oem::MessageSource::kLongestLine + 1, 'x') + "\n");
  EXPECT_EQ(r.error, "line 18: longer than 1048576 characters");
}

// ---------------------------------------------------------------------------
// Segments: overlapping, meeting, leaving a gap; the useable span.
// ---------------------------------------------------------------------------

std::string segment(const std::string &start, const std::string &stop,
                    const std::vector<std::string> &epochs, double x) {
  std::string s = meta("GCRF", "UTC", start, stop);
  for (const std::string &e : epochs)
    s += e + " " + std::to_string(x) + " 0 0 0 7.5 0\n";
  return s;
}

TEST(OemSegments, MeetingSegmentsGiveTheSharedEpochOnceAndNoBreak) {
  const Read r = read_text(
      kHeader +
      segment("2030-06-15T00:00:00", "2030-06-15T00:00:40",
              {"2030-06-15T00:00:00", "2030-06-15T00:00:20", "2030-06-15T00:00:40"}, 1) +
      segment("2030-06-15T00:00:40", "2030-06-15T00:01:20",
              {"2030-06-15T00:00:40", "2030-06-15T00:01:00", "2030-06-15T00:01:20"}, 2));
  EXPECT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), 5u);
  const double x[] = {1, 1, 2, 2, 2};
  const bool continues[] = {false, true, true, true, true};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(r.records[i].unixsec, 1907712000 + 20 * i);
    EXPECT_EQ(r.records[i].x, x[i]) << i;
    EXPECT_EQ(r.records[i].continues, continues[i]) << i;
  }
}

TEST(OemSegments, TheLaterOfOverlappingSegmentsHoldsFromItsStart) {
  const Read r = read_text(
      kHeader +
      segment("2030-06-15T00:00:00", "2030-06-15T00:01:00",
              {"2030-06-15T00:00:00", "2030-06-15T00:00:20", "2030-06-15T00:00:40",
               "2030-06-15T00:01:00"},
              1) +
      segment("2030-06-15T00:00:30", "2030-06-15T00:01:30",
              {"2030-06-15T00:00:30", "2030-06-15T00:00:50", "2030-06-15T00:01:10"}, 2));
  EXPECT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), 5u);
  const long long t[] = {0, 20, 30, 50, 70};
  const double x[] = {1, 1, 2, 2, 2};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(r.records[i].unixsec, 1907712000 + t[i]) << i;
    EXPECT_EQ(r.records[i].x, x[i]) << i;
    EXPECT_EQ(r.records[i].continues, i > 0) << i;
  }
  // A later segment that begins before an earlier one would hide it: the
  // segments are refused, at the later one's META_START.
  const Read inside = read_text(
      kHeader +
      segment("2030-06-15T00:01:00", "2030-06-15T00:02:00",
              {"2030-06-15T00:01:00", "2030-06-15T00:02:00"}, 1) +
      segment("2030-06-15T00:00:00", "2030-06-15T00:01:30",
              {"2030-06-15T00:00:00", "2030-06-15T00:01:30"}, 2));
  EXPECT_EQ(inside.error.substr(0, 60), "line 16: this segment's useable span begins before the one o");
  EXPECT_EQ(inside.records.size(), 0u);
}

TEST(OemSegments, AGapBetweenSegmentsIsABreak) {
  const Read r = read_text(
      kHeader +
      segment("2030-06-15T00:00:00", "2030-06-15T00:00:20",
              {"2030-06-15T00:00:00", "2030-06-15T00:00:20"}, 1) +
      segment("2030-06-15T00:00:20.000000000001", "2030-06-15T00:01:00",
              {"2030-06-15T00:00:40", "2030-06-15T00:01:00"}, 2));
  EXPECT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), 4u);
  const bool continues[] = {false, true, false, true};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(r.records[i].continues, continues[i]) << i;
  EXPECT_EQ(r.records[2].line, 25);
}

TEST(OemSegments, OnlyTheUseableSpanIsGiven) {
  const Read r = read_text(with(kSmall, "STOP_TIME = 2030-06-15T00:01:00",
                                "STOP_TIME = 2030-06-15T00:01:00\n"
                                "USEABLE_START_TIME = 2030-06-15T00:00:10\n"
                                "USEABLE_STOP_TIME = 2030-06-15T00:00:40"));
  EXPECT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), 2u);
  EXPECT_EQ(r.records[0].unixsec, 1907712020);
  EXPECT_FALSE(r.records[0].continues);
  EXPECT_EQ(r.records[1].unixsec, 1907712040);
  EXPECT_TRUE(r.records[1].continues);
}

// ---------------------------------------------------------------------------
// Streams and the forms producers write.
// ---------------------------------------------------------------------------

// The message written into a pipe by another thread: the reader spools it
// and gives the records of the same message read from memory.
TEST(OemStreams, APipeIsSpooled) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const std::string text = kSmall + "COMMENT " + std::string(300000, 'c') + "\n";
  std::thread writer([&] {
    std::size_t done = 0;
    while (done < text.size()) {
      const ssize_t n = write(fds[1], text.data() + done, text.size() - done);
      if (n <= 0)
        break;
      done += static_cast<std::size_t>(n);
    }
    close(fds[1]);
  });
  std::FILE *f = fdopen(fds[0], "r");
  ASSERT_NE(f, nullptr);
  // The caller's first bytes, taken to tell the message's form.
  char first[64];
  ASSERT_EQ(std::fread(first, 1, sizeof first, f), sizeof first);
  EXPECT_TRUE(oem::looks_like_oem(first, sizeof first));
  const Read piped = read_stream(f, std::string(first, sizeof first));
  writer.join();
  std::fclose(f);
  const Read memory = read_text(text);
  EXPECT_EQ(piped.error, "");
  ASSERT_EQ(piped.records.size(), 4u);
  ASSERT_EQ(memory.records.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(piped.records[i].unixsec, memory.records[i].unixsec);
    EXPECT_EQ(piped.records[i].y, memory.records[i].y);
    EXPECT_EQ(piped.records[i].line, 14 + i);
  }
}

// The spool goes to $TMPDIR: one that cannot take it is named.
TEST(OemStreams, TheSpoolHonoursTmpdir) {
  const char *old = std::getenv("TMPDIR");
  const std::string saved = old != nullptr ? old : "";
  setenv("TMPDIR", "/nonexistent-oem-spool", 1);
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(write(fds[1], kSmall.data(), kSmall.size()),
            static_cast<ssize_t>(kSmall.size()));
  close(fds[1]);
  std::FILE *f = fdopen(fds[0], "r");
  ASSERT_NE(f, nullptr);
  const Read r = read_stream(f);
  std::fclose(f);
  if (old != nullptr)
    setenv("TMPDIR", saved.c_str(), 1);
  else
    unsetenv("TMPDIR");
  EXPECT_TRUE(r.records.empty());
  EXPECT_EQ(r.error, "cannot make a temporary file in /nonexistent-oem-spool to hold "
                     "the message: No such file or directory");
}

// A regular file already read from by the caller: its first bytes handed
// over, the rest read from where the stream stands, and read again.
TEST(OemStreams, ARegularFileAfterTheCallersFirstBytes) {
  std::FILE *f = std::fopen((kData + "/oem/leo-gcrf-utc.oem").c_str(), "r");
  ASSERT_NE(f, nullptr);
  char first[4096];
  ASSERT_EQ(std::fread(first, 1, sizeof first, f), sizeof first);
  const Read r = read_stream(f, std::string(first, sizeof first));
  std::fclose(f);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.records.size(), 4321u);
}

TEST(OemForms, AsProducersWriteThem) {
  const std::string text =
      "\xEF\xBB\xBF\r\n  CCSDS_OEM_VERS=3.0\r\n"
      "COMMENT written by a producer, comments before CREATION_DATE\r\n"
      "CREATION_DATE   =   2026-343T00:00:00.000Z\r\n"
      "ORIGINATOR= SOMEONE\r\n"
      "MESSAGE_ID = ID-1\r\n"
      "CLASSIFICATION = public, no restriction\r\n"
      "META_START\r\n"
      "COMMENT aligned columns\r\n"
      "OBJECT_NAME          = TEST\r\n"
      "OBJECT_ID            = 2030-999A\r\n"
      "CENTER_NAME          = Earth\r\n"
      "REF_FRAME            = gcrf\r\n"
      "REF_FRAME_EPOCH      = 2000-01-01T12:00:00\r\n"
      "TIME_SYSTEM          = utc\r\n"
      "START_TIME           = 2030-06-15T00:00:00.000000000000Z\r\n"
      "STOP_TIME            = 2030-06-15T00:00:40Z\r\n"
      "INTERPOLATION        = Lagrange\r\n"
      "INTERPOLATION_DEGREE = 7\r\n"
      "META_STOP\r\n"
      "\r\n"
      "COMMENT in the data\r\n"
      "2030-06-15T00:00:00.000000000000Z   -1.600194956730110e+003  +2.5E3\t\t3 "
      " 0.5   -.25 7.\r\n"
      "2030-06-15T00:00:00.000000000000Z -1.600194956730110e+003 2500 3 0.5 -0.25 7\r\n"
      "2030-06-15T00:00:20.5 1 2 3 4 5 6 1e-3 0.0 -0.0\r\n"
      "2030-166T00:00:40 1 2 3 4 5 6";
  const Read r = read_text(text);
  EXPECT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), 3u);
  EXPECT_EQ(r.records[0].x, -1600.194956730110);
  EXPECT_EQ(r.records[0].y, 2500.0);
  EXPECT_EQ(r.records[0].vy, -0.25);
  EXPECT_EQ(r.records[0].vz, 7.0);
  EXPECT_EQ(r.records[1].second, 20.5);
  EXPECT_EQ(r.records[1].unixsec, 1907712020);
  EXPECT_EQ(r.records[1].line, 25);
  EXPECT_EQ(r.records[2].unixsec, 1907712040);
  EXPECT_EQ(r.records[2].line, 26);
  // Version 1.0, with its comments before CREATION_DATE.
  const Read v1 = read_text(with(with(kSmall, "2.0", "1.0"), "CREATION_DATE",
                                 "COMMENT a\nCOMMENT b\nCREATION_DATE"));
  EXPECT_EQ(v1.error, "");
  EXPECT_EQ(v1.records.size(), 4u);
  // A tiny number is a number (rounded to zero), not an overflow.
  const Read tiny = read_text(with(kSmall, "7000 0 0 0 7.5 0", "7000 1e-400 0 0 7.5 0"));
  EXPECT_EQ(tiny.error, "");
  ASSERT_EQ(tiny.records.size(), 4u);
  EXPECT_EQ(tiny.records[0].y, 0.0);
}

TEST(OemForms, TheMessagesFirstBytes) {
  const auto oem_form = [](const std::string &s) {
    return oem::looks_like_oem(s.data(), s.size());
  };
  const auto xml_form = [](const std::string &s) {
    return oem::looks_like_xml(s.data(), s.size());
  };
  EXPECT_TRUE(oem_form("CCSDS_OEM_VERS = 2.0\n"));
  EXPECT_TRUE(oem_form("\n\n  \tCCSDS_OEM_VERS=3.0"));
  EXPECT_TRUE(oem_form("\xEF\xBB\xBF" "CCSDS_OEM_VERS = 2.0"));
  EXPECT_FALSE(oem_form("COMMENT x\nCCSDS_OEM_VERS = 2.0\n"));
  EXPECT_FALSE(oem_form("CCSDS_OPM_VERS = 2.0\n"));
  EXPECT_FALSE(oem_form("CCSDS_OEM_VERSION = 2.0\n"));
  EXPECT_FALSE(oem_form("2016-11-04T04:00:00.000 1 2 3 4 5 6\n"));
  EXPECT_FALSE(oem_form(""));
  EXPECT_TRUE(xml_form("<?xml version=\"1.0\"?>"));
  EXPECT_TRUE(xml_form("\n <oem id=\"CCSDS_OEM_VERS\">"));
  EXPECT_FALSE(xml_form("CCSDS_OEM_VERS = 2.0\n"));
  EXPECT_FALSE(xml_form("<?xm"));
}

// An exact repeat of a data line is read once; lower-case keyword values.
TEST(OemForms, RepeatedLineAndLowerCaseValues) {
  const std::string repeated = "2030-06-15T00:00:20 6999 150 1 -0.1 7.5 0.1\n";
  std::string text = with(kSmall, repeated, repeated + "2030-06-15T00:00:20.000 6999.0 "
                                                       "150 1 -0.1 7.5 0.10\n");
  text = with(text, "CENTER_NAME = EARTH", "CENTER_NAME = earth");
  text = with(text, "REF_FRAME = GCRF", "REF_FRAME = eme2000");
  text = with(text, "TIME_SYSTEM = UTC", "TIME_SYSTEM = tai");
  const Read r = read_text(text);
  EXPECT_EQ(r.error, "");
  ASSERT_EQ(r.records.size(), 4u);
  EXPECT_EQ(r.records[1].line, 15);
  EXPECT_EQ(r.records[2].line, 17);
  // TAI: every epoch 37 s earlier on UTC.
  EXPECT_EQ(r.records[0].unixsec, 1907712000 - 37);
}

} // namespace
