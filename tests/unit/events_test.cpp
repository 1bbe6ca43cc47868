// events_test.cpp - the events library: UTC instants read, written and
// turned into Julian dates; the crossing search on functions whose events
// are known in closed form; the three row formats.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "crossing_search.h"
#include "instant.h"
#include "novas_kit.h"
#include "options.h"
#include "table.h"

namespace {

using events::EventKind;

TEST(Instant, ReadsUnixSecondsAndIso8601) {
  double t = 0.0;
  EXPECT_TRUE(events::parse_instant("1478324950", t));
  EXPECT_EQ(t, 1478324950.0);
  EXPECT_TRUE(events::parse_instant("-86400.25", t));
  EXPECT_EQ(t, -86400.25);
  EXPECT_TRUE(events::parse_instant("2016-11-05T06:00:00Z", t));
  EXPECT_EQ(t, 1478325600.0);
  EXPECT_TRUE(events::parse_instant("2016-11-05T06:00:00.25", t));
  EXPECT_EQ(t, 1478325600.25);
  EXPECT_TRUE(events::parse_instant("2000-02-29T23:59:59.999Z", t));
  EXPECT_EQ(t, 951868799.999);
  EXPECT_TRUE(events::parse_instant("1969-12-31T23:59:59Z", t));
  EXPECT_EQ(t, -1.0);
  // Anything else is refused, and leaves t as it was.
  t = 42.0;
  for (const char *bad :
       {"", "x", "12x", "1e5", "inf", "nan", "0x10", " 12", "+", "1.2.3", "1e13",
        "2016-11-05", "2016-11-05T06:00", "2016-11-05T06:00:00ZZ", "2016-11-05T06:00:00+01:00",
        "2016-13-05T06:00:00Z", "2017-02-29T06:00:00Z", "2016-11-31T00:00:00Z",
        "2016-11-05T24:00:00Z", "2016-11-05T06:60:00Z", "2016-11-05T06:00:60Z",
        "2016-11-05T06:00:00.Z", "2016-11-05 06:00:00Z", "16-11-05T06:00:00Z"}) {
    EXPECT_FALSE(events::parse_instant(bad, t)) << bad;
    EXPECT_EQ(t, 42.0) << bad;
  }
}

TEST(Instant, WritesMillisecondsInBothForms) {
  EXPECT_EQ(events::iso_utc(1478326354.567), "2016-11-05T06:12:34.567Z");
  EXPECT_EQ(events::unix_seconds(1478326354.567), "1478326354.567");
  // Rounded once to the millisecond, so that the two forms agree and no
  // second reads 60.
  EXPECT_EQ(events::iso_utc(1478326379.9996), "2016-11-05T06:13:00.000Z");
  EXPECT_EQ(events::unix_seconds(1478326379.9996), "1478326380.000");
  EXPECT_EQ(events::iso_utc(-0.0004), "1970-01-01T00:00:00.000Z");
  EXPECT_EQ(events::iso_utc(-1.5), "1969-12-31T23:59:58.500Z");
  EXPECT_EQ(events::unix_seconds(-1.5), "-1.500");
  EXPECT_EQ(events::iso_utc(4102444800.0), "2100-01-01T00:00:00.000Z");
  // A duration is the difference of the times as written.
  EXPECT_EQ(events::seconds_between(1529631890.1974, 1529661466.9336), "29576.737");
  EXPECT_EQ(events::seconds_between(10.0, 10.0), "0.000");
}

TEST(Instant, CalendarRoundTrip) {
  // Every day's start over 1700-2300 and back.
  for (std::int64_t days = -98000; days <= 121000; days += 7) {
    const events::CivilTime c = events::civil_from_unix(days * 86400.0 + 3723.5);
    EXPECT_EQ(events::days_from_civil(c.year, c.month, c.day), days);
    EXPECT_EQ(c.hour, 1);
    EXPECT_EQ(c.minute, 2);
    EXPECT_EQ(c.second, 3.5);
  }
}

// The Julian date of an instant is the one the astronomical tools form: at
// a whole minute sunguard's, at a record's timestamp passrange's.
TEST(Instant, JulianDateAsTheToolsFormIt) {
  EXPECT_EQ(events::utc_julian_date(1478232000.0), julian_date(2016, 11, 4, 4.0));
  EXPECT_EQ(events::utc_julian_date(1529625600.0 + 4800.0),
            julian_date(2018, 6, 22, 1 + 20 / 60.0));
  EXPECT_EQ(events::utc_julian_date(1478232000.0 + 59.25),
            julian_date(2016, 11, 4, (4 + 0 / 60.0) + 59.25 / 3600.0));
  EXPECT_EQ(events::utc_julian_date(1478232000.0 + 3599.0),
            julian_date(2016, 11, 4, (4 + 59 / 60.0) + 59.0 / 3600.0));
}

// ----- the crossing search ---------------------------------------------------

struct Function {
  std::function<double(double)> value, rate;
  events::Sample operator()(double t) const { return {t, value(t), rate(t)}; }
};

// The events of a function sampled every `step` seconds over [from, to].
std::vector<events::Event> scan(const Function &f, double from, double to, double step,
                                const events::Search &search = {}) {
  std::vector<events::Event> found;
  events::Sample a = f(from);
  for (double t = from; t < to;) {
    const double next = std::fmin(t + step, to);
    const events::Sample b = f(next);
    events::step_events(a, b, [&f](double x) { return f(x); }, search, found);
    a = b;
    t = next;
  }
  return found;
}

// sin t - 0.5: rises at pi/6 + 2 pi k, sets at 5 pi/6 + 2 pi k, maxima at
// pi/2 + 2 pi k, minima at 3 pi/2 + 2 pi k.
TEST(CrossingSearch, FindsKnownCrossingsAndExtremaInOrder) {
  const Function f{[](double t) { return std::sin(t) - 0.5; },
                   [](double t) { return std::cos(t); }};
  const std::vector<events::Event> e = scan(f, 0.0, 4 * M_PI, 0.3);
  const double pi = M_PI;
  const std::vector<std::pair<EventKind, double>> want = {
      {EventKind::rise, pi / 6},          {EventKind::maximum, pi / 2},
      {EventKind::set, 5 * pi / 6},       {EventKind::minimum, 3 * pi / 2},
      {EventKind::rise, 2 * pi + pi / 6}, {EventKind::maximum, 2 * pi + pi / 2},
      {EventKind::set, 2 * pi + 5 * pi / 6}, {EventKind::minimum, 2 * pi + 3 * pi / 2}};
  ASSERT_EQ(e.size(), want.size());
  for (std::size_t i = 0; i < e.size(); ++i) {
    EXPECT_EQ(e[i].kind, want[i].first) << i;
    EXPECT_NEAR(e[i].at.t, want[i].second, 1e-6) << i;
    if (e[i].kind == EventKind::rise || e[i].kind == EventKind::set) {
      EXPECT_TRUE(events::inside(e[i].at)) << i;
    }
  }
}

// A graze: the value is above zero for one second around its maximum,
// between two samples that are both below.  Just below zero, nothing.
TEST(CrossingSearch, GrazingMaximumBetweenSamples) {
  for (const double top : {1e-4, -1e-4}) {
    const Function f{[top](double t) { return top - 4e-4 * (t - 31.3) * (t - 31.3); },
                     [](double t) { return -8e-4 * (t - 31.3); }};
    events::Search search;
    search.maxima = false;
    const std::vector<events::Event> e = scan(f, 0.0, 100.0, 20.0, search);
    if (top < 0) {
      EXPECT_TRUE(e.empty());
      continue;
    }
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].kind, EventKind::rise);
    EXPECT_EQ(e[1].kind, EventKind::set);
    EXPECT_NEAR(e[0].at.t, 30.8, 1e-6);
    EXPECT_NEAR(e[1].at.t, 31.8, 1e-6);
  }
}

// A value that is zero exactly at a sample counts as inside: the rise is
// that instant, reported once.
TEST(CrossingSearch, ZeroAtASampleIsInsideAndReportedOnce) {
  const Function f{[](double t) { return t - 10.0; }, [](double) { return 1.0; }};
  const std::vector<events::Event> e = scan(f, 0.0, 20.0, 5.0);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].kind, EventKind::rise);
  EXPECT_EQ(e[0].at.t, 10.0);
}

// A rate that is exactly zero at a sample puts the extremum there, found
// once: in the step that ends at it, not in the one that starts there.
TEST(CrossingSearch, ExtremumExactlyAtASample) {
  const Function f{[](double t) { return 1.0 - (t - 10.0) * (t - 10.0); },
                   [](double t) { return -2.0 * (t - 10.0); }};
  const std::vector<events::Event> e = scan(f, 0.0, 20.0, 5.0);
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].kind, EventKind::rise);
  EXPECT_EQ(e[1].kind, EventKind::maximum);
  EXPECT_EQ(e[1].at.t, 10.0);
  EXPECT_EQ(e[2].kind, EventKind::set);
}

// Not a number counts as outside and does not derail the refinement.
TEST(CrossingSearch, NotANumberIsOutside) {
  const Function f{[](double t) { return t < 3.0 ? NAN : t - 5.0; },
                   [](double) { return 1.0; }};
  const std::vector<events::Event> e = scan(f, 0.0, 10.0, 10.0);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_NEAR(e[0].at.t, 5.0, 1e-6);
}

// ----- rows -----------------------------------------------------------------

std::string table_text(events::Format format, bool with_row) {
  char *text = nullptr;
  std::size_t size = 0;
  std::FILE *out = open_memstream(&text, &size);
  events::Table t(out, format,
                  {{"station", 7, false}, {"pass", 4, true}, {"range_km", 8, true}});
  if (with_row) {
    t.row({events::value("TS1"), events::value("1"), events::value("2776.082")});
    t.row({events::value("a\"b\\c\td"), events::value("12"), events::none()});
  }
  EXPECT_TRUE(t.finish());
  std::fclose(out);
  std::string s(text, size);
  std::free(text);
  return s;
}

TEST(Table, ThreeFormats) {
  EXPECT_EQ(table_text(events::Format::text, true),
            "station  pass  range_km\n"
            "TS1         1  2776.082\n"
            "a\"b\\c\td    12         -\n");
  EXPECT_EQ(table_text(events::Format::tsv, true),
            "station\tpass\trange_km\nTS1\t1\t2776.082\na\"b\\c\td\t12\t\n");
  EXPECT_EQ(table_text(events::Format::json, true),
            "{\"station\":\"TS1\",\"pass\":1,\"range_km\":2776.082}\n"
            "{\"station\":\"a\\\"b\\\\c\\u0009d\",\"pass\":12,\"range_km\":null}\n");
  // No row: the header alone, or nothing at all in JSON Lines.
  EXPECT_EQ(table_text(events::Format::tsv, false), "station\tpass\trange_km\n");
  EXPECT_EQ(table_text(events::Format::json, false), "");
  events::Format f;
  EXPECT_TRUE(events::parse_format("json", f));
  EXPECT_EQ(f, events::Format::json);
  EXPECT_FALSE(events::parse_format("csv", f));
  EXPECT_FALSE(events::parse_format("JSON", f));
}

TEST(Options, NumbersAndAssignments) {
  double v = 7.0;
  EXPECT_TRUE(events::parse_number("-12.5", v));
  EXPECT_EQ(v, -12.5);
  for (const char *bad : {"", "1x", "inf", "nan", "1e999", " "}) {
    EXPECT_FALSE(events::parse_number(bad, v)) << bad;
    EXPECT_EQ(v, -12.5);
  }
  // A quoted text stays on one line whatever it holds.
  EXPECT_EQ(events::quoted("a b"), "'a b'");
  EXPECT_EQ(events::quoted("it's\\n\n\t\x7f"), "'it\\'s\\\\n\\x0a\\x09\\x7f'");
  std::string name, value;
  EXPECT_TRUE(events::split_assignment("TS1=10=x", name, value));
  EXPECT_EQ(name, "TS1");
  EXPECT_EQ(value, "10=x");
  EXPECT_FALSE(events::split_assignment("10", name, value));
}

} // namespace
