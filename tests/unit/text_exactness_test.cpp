// Unit tests: passrange's report line written with std::to_chars and the
// orbit records read with std::from_chars are the C library's, byte for
// byte and bit for bit.  The differential checks run on a sample here;
// KIT_EXACTNESS_VALUES asks for more values (bench/exactness runs tens of
// millions).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "orbit_reader.h"
#include "report_text.h"
#include "text_exactness.h"

namespace {

std::uint64_t sample(std::uint64_t fallback) {
  const char *v = std::getenv("KIT_EXACTNESS_VALUES");
  return v != nullptr && *v != '\0' ? std::strtoull(v, nullptr, 10) : fallback;
}

std::string line(double a, double b, double c, double d, double e, double f) {
  char text[tracking::kReportTextMax];
  return std::string(text, tracking::report_text(a, b, c, d, e, f, text));
}

// The first record of text as OrbitReader reads it without its rules.
bool first_record(const std::string &text, OrbitRecord &r) {
  std::FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  if (f == nullptr)
    return false;
  bool read;
  {
    tracking::OrbitReader reader(f, tracking::OrbitReader::Rules{});
    read = reader.next(r) == tracking::OrbitReader::Status::record;
  }
  std::fclose(f);
  return read;
}

TEST(ReportText, SignsZerosAndWidths) {
  // printf's bytes, written out: a negative zero keeps its sign, a
  // negative value that rounds to zero too, a non-negative elevation
  // takes "+", a distance fills 13 columns and overflows them.
  EXPECT_EQ(line(2457700.5, 0.0, -0.0, 1234567.1234565, -0.0, 0.0),
            "2457700.50000      0.000000     -0.000000 1234567.123457    -0.0  +0.0 \n");
  EXPECT_EQ(line(-0.0, -1e-7, 123456789.0, 5.5, -0.04, 0.05),
            "-0.00000     -0.000000 123456789.000000      5.500000    -0.0  +0.1 \n");
  EXPECT_EQ(line(0.25, 0.0000005, 0.0000015, 1e-300, 0.25, -0.25),
            "0.25000      0.000000      0.000002      0.000000    +0.2  -0.2 \n");
  EXPECT_EQ(line(1.0, 2.0, 3.0, 4.0, 90.0, -90.0),
            "1.00000      2.000000      3.000000      4.000000   +90.0 -90.0 \n");
  EXPECT_EQ(line(NAN, -NAN, INFINITY, -INFINITY, -NAN, NAN),
            "nan          -nan           inf          -inf    -nan  +nan \n");
}

TEST(ReportText, HugeValuesWholly) {
  char expected[tracking::kReportTextMax];
  const double big = 1.7976931348623157e308;
  const int n = std::snprintf(expected, sizeof expected, tracking::kReportFormat, -big, -big,
                              big, -big, big, -big);
  ASSERT_GT(n, 6 * 309);
  EXPECT_EQ(line(-big, -big, big, -big, big, -big), std::string(expected, static_cast<std::size_t>(n)));
}

TEST(ReportText, SameBytesAsSnprintf) {
  const exactness::Outcome o = exactness::check_report_text(20261209, sample(600000));
  EXPECT_EQ(o.mismatches, 0u) << o.first;
  EXPECT_GE(o.values, sample(600000));
}

TEST(OrbitReading, WhatFromCharsWouldMisread) {
  // Each number is one std::from_chars reads otherwise than fscanf (or not
  // at all); the reader gives fscanf's value.
  OrbitRecord r;
  ASSERT_TRUE(first_record("2016-11-04T10:00:00.5 0x1p3 1e-400 +1 1e 1e-310 -1e-400\n", r));
  EXPECT_EQ(r.x, 8.0);
  EXPECT_EQ(r.y, 0.0);
  EXPECT_EQ(r.z, 1.0);
  EXPECT_EQ(r.vx, 1.0);
  EXPECT_EQ(r.vy, 1e-310);
  EXPECT_EQ(r.vz, 0.0);
  EXPECT_TRUE(std::signbit(r.vz));
  ASSERT_TRUE(first_record("2016-11-04T10:00:00.5 inf -nan 1.5-2 5 6\n", r));
  EXPECT_TRUE(std::isinf(r.x));
  EXPECT_TRUE(std::isnan(r.y));
  EXPECT_EQ(r.z, 1.5);
  EXPECT_EQ(r.vx, -2.0);
  EXPECT_EQ(r.vz, 6.0);
  ASSERT_TRUE(first_record("2016- +11-04T10:00:00.5\n1\n2\t3\v4\f5\r6", r));
  EXPECT_EQ(r.stamp.month(), 11);
  EXPECT_EQ(r.vz, 6.0);
}

TEST(OrbitReading, SameRecordsAsFscanf) {
  const exactness::Outcome o = exactness::check_orbit_reading(20261209, sample(300000));
  EXPECT_EQ(o.mismatches, 0u) << o.first;
  EXPECT_GE(o.values, sample(300000));
}

} // namespace
