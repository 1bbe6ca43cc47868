// utc_instant_test.cpp - the kit's UTC instant: read from text, written
// to the millisecond, its calendar both ways, and the Julian date the
// astronomical tools take, from Unix seconds and from a timestamp's fields
// as written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "novas_kit.h"
#include "utc_instant.h"

namespace {

// Unix seconds of a text, or NaN when it does not read (the instant's Unix
// seconds, for the tests that compare them).
bool parse_seconds(const char *text, double &t, std::string *why = nullptr) {
  utc::Instant i;
  if (!utc::Instant::parse(text, i, why))
    return false;
  t = i.unix_seconds();
  return true;
}

TEST(Instant, ReadsUnixSecondsAndIso8601) {
  double t = 0.0;
  const std::vector<std::pair<const char *, double>> good = {
      {"1478324950", 1478324950.0},
      {"-86400.25", -86400.25},
      {"-1e12", -1e12},
      {"+1.5e3", 1500.0},
      {"-.5", -0.5},
      {"2016-11-05T06:00:00Z", 1478325600.0},
      {"2016-11-05T06:00:00.25", 1478325600.25},
      {"2000-02-29T23:59:59.999Z", 951868799.999},
      {"1969-12-31T23:59:59Z", -1.0},
      // The forms users type: no seconds, a date alone (midnight), lower
      // case, a blank for T (RFC 3339), offsets from UTC.
      {"2016-11-05T12:00", 1478347200.0},
      {"2016-11-05", 1478304000.0},
      {"2016-11-05t06:00:00z", 1478325600.0},
      {"2016-11-05 06:00:00Z", 1478325600.0},
      {"2016-11-05T06:00:00+00:00", 1478325600.0},
      {"2016-11-05T01:00:00-05:00", 1478325600.0},
      {"2016-11-05T07:30+0130", 1478325600.0},
      {"2016-11-05T08:00:00+02", 1478325600.0},
      {"0000-01-01", -62167219200.0}};
  for (const auto &[text, want] : good) {
    EXPECT_TRUE(parse_seconds(text, t)) << text;
    EXPECT_EQ(t, want) << text;
  }
  // Anything else is refused, and leaves t as it was.
  t = 42.0;
  for (const char *bad :
       {"", "x", "12x", "1e", "1e+", "inf", "nan", "0x10", " 12", "+", "-", ".", "1.2.3",
        "1e13", "-1.2e12", "2016-11-05T06", "2016-11-05T06:00:00ZZ", "2016-11-05T06:00:00+1",
        "2016-11-05T06:00:00+24:00", "2016-13-05T06:00:00Z", "2017-02-29T06:00:00Z",
        "2016-11-31T00:00:00Z", "2016-11-05T24:00:00Z", "2016-11-05T06:60:00Z",
        "2016-11-05T06:00:60Z", "2016-11-05T06:00:00.Z", "2016-11-05X06:00:00Z",
        "16-11-05T06:00:00Z", "2016-11-050"}) {
    EXPECT_FALSE(parse_seconds(bad, t)) << bad;
    EXPECT_EQ(t, 42.0) << bad;
  }
  // A date that does not exist says so; a malformed text has no reason.
  std::string why;
  EXPECT_FALSE(parse_seconds("2019-02-29", t, &why));
  EXPECT_EQ(why, "there is no such day: 2019-02-29 (28 days in that month)");
  EXPECT_FALSE(parse_seconds("1e13", t, &why));
  EXPECT_EQ(why, "outside the years -32768 to 32767");
  EXPECT_FALSE(parse_seconds("2016-11-05T", t, &why));
  EXPECT_EQ(why, "");
}

// The years the Julian date can take: 16 bits.
TEST(Instant, YearsOfSixteenBits) {
  const double first = -1096225401600.0, end = 971890963200.0; // -32768, 32768
  EXPECT_TRUE(utc::year_fits(first));
  EXPECT_FALSE(utc::year_fits(first - 1e-3));
  EXPECT_TRUE(utc::year_fits(end - 1e-3));
  EXPECT_FALSE(utc::year_fits(end));
  EXPECT_FALSE(utc::year_fits(NAN));
  EXPECT_EQ(utc::Instant::from_unix(end).year(), 32768);
  EXPECT_TRUE(std::isnan(utc::julian_date_of(end)));
  EXPECT_EQ(utc::julian_date_of(end - 0.5), julian_date(32767, 12, 31, 23.0 + 59.0 / 60.0 + 59.5 / 3600.0));
}

TEST(Instant, WritesMillisecondsInBothForms) {
  EXPECT_EQ(utc::iso_text(1478326354.567), "2016-11-05T06:12:34.567Z");
  EXPECT_EQ(utc::unix_text(1478326354.567), "1478326354.567");
  // Rounded once to the millisecond, so that the two forms agree and no
  // second reads 60.
  EXPECT_EQ(utc::iso_text(1478326379.9996), "2016-11-05T06:13:00.000Z");
  EXPECT_EQ(utc::unix_text(1478326379.9996), "1478326380.000");
  EXPECT_EQ(utc::iso_text(-0.0004), "1970-01-01T00:00:00.000Z");
  EXPECT_EQ(utc::iso_text(-1.5), "1969-12-31T23:59:58.500Z");
  EXPECT_EQ(utc::unix_text(-1.5), "-1.500");
  EXPECT_EQ(utc::iso_text(4102444800.0), "2100-01-01T00:00:00.000Z");
  // A duration is the difference of the times as written.
  EXPECT_EQ(utc::seconds_between(1529631890.1974, 1529661466.9336), "29576.737");
  EXPECT_EQ(utc::seconds_between(10.0, 10.0), "0.000");
}

// Years before 0 and after 9999 in the expanded form, read back as written.
TEST(Instant, ExpandedYearsBothWays) {
  const double first = -1096225401600.0, end = 971890963200.0;
  EXPECT_EQ(utc::iso_text(first), "-32768-01-01T00:00:00.000Z");
  EXPECT_EQ(utc::iso_text(end - 1e-3), "+32767-12-31T23:59:59.999Z");
  EXPECT_EQ(utc::iso_text(-62167219200.0 - 86400.0), "-0001-12-31T00:00:00.000Z");
  EXPECT_EQ(utc::iso_text(-62167219200.0), "0000-01-01T00:00:00.000Z");
  EXPECT_EQ(utc::iso_text(253402300800.0), "+10000-01-01T00:00:00.000Z");
  EXPECT_EQ(utc::iso_text(253402300799.0), "9999-12-31T23:59:59.000Z");
  for (const double t : {first, end - 1e-3, -62167219200.0 - 86400.0, -62167219200.0,
                         253402300800.0, 253402300799.0, -12345678901.25}) {
    utc::Instant back;
    ASSERT_TRUE(utc::Instant::parse(utc::iso_text(t).c_str(), back)) << utc::iso_text(t);
    EXPECT_EQ(back.unix_seconds(), t) << utc::iso_text(t);
  }
  utc::Instant i;
  for (const char *bad : {"10000-01-01", "-001-01-01", "+123-01-01", "+123456-01-01", "-32769-12-31",
                          "+32768-01-01"})
    EXPECT_FALSE(utc::Instant::parse(bad, i)) << bad;
  std::string why;
  EXPECT_FALSE(utc::Instant::parse("-0001-02-29", i, &why));
  EXPECT_EQ(why, "there is no such day: -0001-02-29 (28 days in that month)");
}

// The calendar of Unix seconds, and timegm of it back (the two directions
// the instant converts in), over every week of 1700-2300 and years far
// from 1970.
TEST(Instant, CalendarRoundTrip) {
  for (std::int64_t days = -98000; days <= 121000; days += 7) {
    const utc::Instant c = utc::Instant::from_unix(static_cast<double>(days) * 86400.0 + 3723.5);
    const utc::Instant back =
        utc::Instant::from_fields(c.year(), c.month(), c.day(), c.hour(), c.minute(), c.second());
    EXPECT_EQ(back.unix_seconds(), static_cast<double>(days) * 86400.0 + 3723.5);
    EXPECT_EQ(c.hour(), 1);
    EXPECT_EQ(c.minute(), 2);
    EXPECT_EQ(c.second(), 3.5);
  }
  const utc::Instant first = utc::Instant::from_unix(-1096225401600.0);
  EXPECT_EQ(first.year(), -32768);
  EXPECT_EQ(first.month(), 1);
  EXPECT_EQ(first.day(), 1);
}

// The Julian date of an instant is the one the astronomical tools form: at
// a whole minute sunguard's, at a record's timestamp passrange's.
TEST(Instant, JulianDateAsTheToolsFormIt) {
  EXPECT_EQ(utc::julian_date_of(1478232000.0), julian_date(2016, 11, 4, 4.0));
  EXPECT_EQ(utc::julian_date_of(1529625600.0 + 4800.0),
            julian_date(2018, 6, 22, 1 + 20 / 60.0));
  EXPECT_EQ(utc::julian_date_of(1478232000.0 + 59.25),
            julian_date(2016, 11, 4, (4 + 0 / 60.0) + 59.25 / 3600.0));
  EXPECT_EQ(utc::julian_date_of(1478232000.0 + 3599.0),
            julian_date(2016, 11, 4, (4 + 59 / 60.0) + 59.0 / 3600.0));
}

// A timestamp keeps its fields as written: its Julian date is theirs (a
// second of 60 or 59.9, a day past the month's end, run on by julian_date's
// arithmetic), its record time timegm's of the truncated second, its Unix
// seconds that plus the fraction.
TEST(Instant, TimestampFieldsAsWritten) {
  const utc::Instant sixty = utc::Instant::from_fields(2016, 11, 4, 3, 59, 60.0);
  EXPECT_EQ(sixty.second(), 60.0);
  EXPECT_EQ(sixty.record_time(), 1478232000);
  EXPECT_EQ(sixty.julian_date(), julian_date(2016, 11, 4, (3 + 59 / 60.0) + 60.0 / 3600.0));
  const utc::Instant fraction = utc::Instant::from_fields(2016, 11, 4, 4, 0, 59.9);
  EXPECT_EQ(fraction.record_time(), 1478232059);
  EXPECT_EQ(fraction.unix_seconds(), 1478232059.0 + (59.9 - 59.0));
  const utc::Instant february = utc::Instant::of_calendar(2018, 2, 31, 12, 0, 0.0);
  EXPECT_FALSE(february.has_record_time());
  EXPECT_EQ(february.julian_date(), utc::Instant::of_calendar(2018, 3, 3, 12, 0, 0.0).julian_date());
  // No record time for a second beyond int; no Julian date for a year
  // beyond 16 bits.
  EXPECT_FALSE(utc::Instant::from_fields(2016, 1, 1, 0, 0, 3e9).has_record_time());
  EXPECT_FALSE(utc::Instant::from_fields(2016, 1, 1, 0, 0, NAN).has_record_time());
  EXPECT_TRUE(std::isnan(utc::Instant::of_calendar(40000, 1, 1, 0, 0, 0.0).julian_date()));
}

// The record time of a timestamp's fields is timegm's, for fields within
// their ranges (which from_fields counts itself) and beyond them (which
// timegm normalises): every day of the years 1900 to 2100 and of one year
// in 97 over the 16-bit years, at random times of day, and fields one
// beyond each end of their ranges.
TEST(Instant, RecordTimeIsTimegms) {
  const auto timegm_of = [](int year, int month, int day, int hour, int minute, double second) {
    std::tm tm{};
    tm.tm_sec = static_cast<int>(second);
    tm.tm_min = minute;
    tm.tm_hour = hour;
    tm.tm_mday = day;
    tm.tm_mon = month - 1;
    tm.tm_year = year - 1900;
    return static_cast<std::int64_t>(timegm(&tm));
  };
  std::mt19937_64 g(1478232000);
  std::vector<int> years;
  for (int y = 1900; y <= 2100; ++y)
    years.push_back(y);
  for (int y = -32768; y <= 32767; y += 97)
    years.push_back(y);
  years.push_back(32767);
  std::int64_t checked = 0;
  for (const int year : years)
    for (int month = 1; month <= 12; ++month)
      for (int day = 1; day <= 31; ++day) {
        const int hour = static_cast<int>(g() % 24), minute = static_cast<int>(g() % 60);
        const double second = static_cast<double>(g() % 60000) / 1000.0;
        const utc::Instant i = utc::Instant::from_fields(year, month, day, hour, minute, second);
        ASSERT_TRUE(i.has_record_time());
        ASSERT_EQ(i.record_time(), timegm_of(year, month, day, hour, minute, second))
            << year << "-" << month << "-" << day << " " << hour << ":" << minute << ":" << second;
        ASSERT_EQ(i.unix_seconds(),
                  static_cast<double>(i.record_time()) + (second - std::trunc(second)));
        ++checked;
      }
  EXPECT_GT(checked, 100000);
  const struct {
    int year, month, day, hour, minute;
    double second;
  } beyond[] = {{2016, 0, 10, 12, 0, 0.0},   {2016, 13, 10, 12, 0, 0.0},  {2016, 2, 0, 12, 0, 0.0},
                {2016, 2, 30, 12, 0, 0.0},   {2015, 2, 29, 12, 0, 0.0},   {2016, 4, 31, 1, 2, 3.0},
                {2016, 5, 5, -1, 0, 0.0},    {2016, 5, 5, 24, 0, 0.0},    {2016, 5, 5, 5, -1, 0.0},
                {2016, 5, 5, 5, 60, 0.0},    {2016, 5, 5, 5, 5, -0.5},    {2016, 5, 5, 5, 5, -1.5},
                {2016, 12, 31, 23, 59, 60.0}, {2016, 5, 5, 5, 5, 60.5},   {-32769, 1, 1, 0, 0, 0.0},
                {32768, 12, 31, 23, 59, 59.0}, {2016, 5, 5, 5, 5, 59.999999}};
  for (const auto &b : beyond) {
    const utc::Instant i = utc::Instant::from_fields(b.year, b.month, b.day, b.hour, b.minute, b.second);
    ASSERT_TRUE(i.has_record_time());
    EXPECT_EQ(i.record_time(), timegm_of(b.year, b.month, b.day, b.hour, b.minute, b.second))
        << b.year << "-" << b.month << "-" << b.day << " " << b.hour << ":" << b.minute << ":"
        << b.second;
  }
}

} // namespace
