// events_test.cpp - the events library: UTC instants read, written and
// turned into Julian dates; the crossing search on functions whose events
// are known in closed form; the three row formats.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "crossing_search.h"
#include "held_output.h"
#include "instant.h"
#include "novas_kit.h"
#include "options.h"
#include "table.h"

namespace {

using events::EventKind;

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
    EXPECT_TRUE(events::parse_instant(text, t)) << text;
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
    EXPECT_FALSE(events::parse_instant(bad, t)) << bad;
    EXPECT_EQ(t, 42.0) << bad;
  }
  // A date that does not exist says so; a malformed text has no reason.
  std::string why;
  EXPECT_FALSE(events::parse_instant("2019-02-29", t, &why));
  EXPECT_EQ(why, "there is no such day: 2019-02-29 (28 days in that month)");
  EXPECT_FALSE(events::parse_instant("1e13", t, &why));
  EXPECT_EQ(why, "outside the years -32768 to 32767");
  EXPECT_FALSE(events::parse_instant("2016-11-05T", t, &why));
  EXPECT_EQ(why, "");
}

// The years the Julian date can take: 16 bits.
TEST(Instant, YearsOfSixteenBits) {
  const double first = -1096225488000.0, end = 971890963200.0; // -32768, 32768
  EXPECT_TRUE(events::year_fits(first));
  EXPECT_FALSE(events::year_fits(first - 1e-3));
  EXPECT_TRUE(events::year_fits(end - 1e-3));
  EXPECT_FALSE(events::year_fits(end));
  EXPECT_FALSE(events::year_fits(NAN));
  EXPECT_EQ(events::civil_from_unix(end).year, 32768);
  EXPECT_TRUE(std::isnan(events::utc_julian_date(end)));
  EXPECT_EQ(events::utc_julian_date(end - 0.5), julian_date(32767, 12, 31, 23.0 + 59.0 / 60.0 + 59.5 / 3600.0));
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
                  {{"station", 7, false},
                   {"pass", 4, true},
                   {"range_km", 8, true, "range"},
                   {"unix", 4, true, ""}});
  if (with_row) {
    t.row({events::value("TS1"), events::value("1"), events::value("2776.082123", "2776.1"),
           events::value("17")});
    t.row({events::value("a\"b\\c\td\ne"), events::value("12"), events::none(),
           events::none()});
  }
  EXPECT_TRUE(t.finish());
  std::fclose(out);
  std::string s(text, size);
  std::free(text);
  return s;
}

TEST(Table, FourFormats) {
  // The text table: its own headers and values, without the columns it
  // leaves out.
  EXPECT_EQ(table_text(events::Format::text, true),
            "station  pass     range\n"
            "TS1         1    2776.1\n"
            "a\"b\\c\\x09d\\x0ae    12         -\n");
  // tsv: one field per column whatever a value holds.
  EXPECT_EQ(table_text(events::Format::tsv, true),
            "station\tpass\trange_km\tunix\nTS1\t1\t2776.082123\t17\n"
            "a\"b\\\\c\\td\\ne\t12\t\t\n");
  // JSON: one array; JSON Lines: one object a line.
  EXPECT_EQ(table_text(events::Format::json, true),
            "[\n{\"station\":\"TS1\",\"pass\":1,\"range_km\":2776.082123,\"unix\":17},\n"
            "{\"station\":\"a\\\"b\\\\c\\u0009d\\u000ae\",\"pass\":12,\"range_km\":null,"
            "\"unix\":null}\n]\n");
  EXPECT_EQ(table_text(events::Format::jsonl, true),
            "{\"station\":\"TS1\",\"pass\":1,\"range_km\":2776.082123,\"unix\":17}\n"
            "{\"station\":\"a\\\"b\\\\c\\u0009d\\u000ae\",\"pass\":12,\"range_km\":null,"
            "\"unix\":null}\n");
  // No row: the header alone, an empty array, or nothing at all.
  EXPECT_EQ(table_text(events::Format::tsv, false), "station\tpass\trange_km\tunix\n");
  EXPECT_EQ(table_text(events::Format::json, false), "[\n]\n");
  EXPECT_EQ(table_text(events::Format::jsonl, false), "");
  events::Format f;
  EXPECT_TRUE(events::parse_format("jsonl", f));
  EXPECT_EQ(f, events::Format::jsonl);
  EXPECT_FALSE(events::parse_format("csv", f));
  EXPECT_FALSE(events::parse_format("JSON", f));
}

// The cells of instants, durations and numbers: machine text and the text
// table's shorter form.
TEST(Table, Cells) {
  std::vector<events::Cell> row;
  events::time_cells(1478326354.567, row);
  events::time_cells(1478326354.567, row, events::TextTime::time_of_day);
  events::time_cells(NAN, row);
  ASSERT_EQ(row.size(), 6u);
  EXPECT_EQ(row[0].text, "2016-11-05T06:12:34.567Z");
  EXPECT_EQ(row[0].display, "2016-11-05 06:12:34.567");
  EXPECT_EQ(row[1].text, "1478326354.567");
  EXPECT_EQ(row[2].display, "06:12:34.567");
  EXPECT_FALSE(row[4].present);
  EXPECT_FALSE(row[5].present);
  const events::Cell d = events::duration_cell(1478304000.0, 1478304000.0 + 57361.5006);
  EXPECT_EQ(d.text, "57361.501");
  EXPECT_EQ(d.display, "15:56:02");
  const events::Cell n = events::number_cell(-0.0000001, 6, 1);
  EXPECT_EQ(n.text, "0.000000");
  EXPECT_EQ(n.display, "0.0");
  EXPECT_EQ(events::number_cell(83.18212345, 6, 1).text, "83.182123");
  for (const double v : {INFINITY, -INFINITY, NAN})
    EXPECT_FALSE(events::number_cell(v, 6, 1).present);
}

// The command line as getopt_long then reads it: options first, their
// values with them (a negative value included), then the operands, among
// them negative numbers and "-", and whatever follows "--".
TEST(Options, ArrangedWithNegativeNumbersAsOperands) {
  const option longs[] = {{"min-elevation", required_argument, nullptr, 1},
                          {"events", no_argument, nullptr, 2},
                          {"format", required_argument, nullptr, 3},
                          {nullptr, 0, nullptr, 0}};
  std::vector<std::string> args = {"tool", "orbit", "-1e12", "--min-elevation", "-5",
                                   "--ev", "-.5", "-", "--format=tsv", "-h", "--",
                                   "--events", "-h"};
  std::vector<char *> argv;
  for (std::string &a : args)
    argv.push_back(a.data());
  const events::Arguments arranged =
      events::arrange_arguments(static_cast<int>(argv.size()), argv.data(), "h", longs);
  std::vector<std::string> options, operands;
  for (char *a : arranged.options)
    options.push_back(a == nullptr ? "(null)" : a);
  for (char *a : arranged.operands)
    operands.push_back(a);
  EXPECT_EQ(options, (std::vector<std::string>{"tool", "--min-elevation", "-5", "--ev",
                                               "--format=tsv", "-h", "(null)"}));
  EXPECT_EQ(operands,
            (std::vector<std::string>{"orbit", "-1e12", "-.5", "-", "--events", "-h"}));
  // An option whose value is missing stays last, for getopt_long to say so.
  std::vector<std::string> dangling = {"tool", "orbit", "--format"};
  std::vector<char *> dargv;
  for (std::string &a : dangling)
    dargv.push_back(a.data());
  const events::Arguments d = events::arrange_arguments(3, dargv.data(), "h", longs);
  ASSERT_EQ(d.options.size(), 3u);
  EXPECT_STREQ(d.options[1], "--format");
  EXPECT_EQ(d.options[2], nullptr);
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

// ----- held output -----------------------------------------------------------

std::string memory_copy(events::HeldOutput &held, bool &ok) {
  char *text = nullptr;
  std::size_t size = 0;
  std::FILE *out = open_memstream(&text, &size);
  ok = held.copy_to(out);
  std::fclose(out);
  std::string s(text, size);
  std::free(text);
  return s;
}

// Past its memory the output goes to a temporary file in TMPDIR, removed at
// once, and comes back whole; a TMPDIR that cannot take it is a failure,
// not a silent loss.
TEST(HeldOutput, SpillsIntoTmpdirAndComesBackWhole) {
  const char *saved = std::getenv("TMPDIR");
  const std::string keep = saved != nullptr ? saved : "";
  char folder[] = "/tmp/held-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  setenv("TMPDIR", folder, 1);
  std::string want;
  for (int i = 0; i < 20000; ++i)
    want += "row " + std::to_string(i) + "\n";
  {
    events::HeldOutput held(64);
    std::fputs(want.c_str(), held.stream());
    bool ok = false;
    EXPECT_EQ(memory_copy(held, ok), want);
    EXPECT_TRUE(ok) << held.problem();
    EXPECT_EQ(rmdir(folder), 0) << "the temporary file was left in the folder";
  }
  setenv("TMPDIR", "/nonexistent/folder", 1);
  {
    events::HeldOutput held(64);
    std::fputs(want.c_str(), held.stream());
    bool ok = true;
    memory_copy(held, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(held.problem(),
              "cannot make a temporary file in '/nonexistent/folder': No such file or directory");
  }
  // Small output needs no temporary file at all.
  {
    events::HeldOutput held;
    std::fputs("one row\n", held.stream());
    bool ok = false;
    EXPECT_EQ(memory_copy(held, ok), "one row\n");
    EXPECT_TRUE(ok);
  }
  if (saved != nullptr)
    setenv("TMPDIR", keep.c_str(), 1);
  else
    unsetenv("TMPDIR");
}

// With standard output closed, the temporary file never takes its
// descriptor (where copying the output to standard output would copy it
// into itself).
TEST(HeldOutput, NeverOnAStandardDescriptor) {
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  ASSERT_GE(saved, 0);
  close(STDOUT_FILENO);
  bool closed_after = false;
  {
    events::HeldOutput held(0);
    std::fputs("spilled at once\n", held.stream());
    std::fflush(held.stream());
    closed_after = fcntl(STDOUT_FILENO, F_GETFD) == -1;
    bool ok = false;
    const std::string copy = memory_copy(held, ok);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    EXPECT_EQ(copy, "spilled at once\n");
    EXPECT_TRUE(ok);
  }
  EXPECT_TRUE(closed_after);
}

} // namespace
