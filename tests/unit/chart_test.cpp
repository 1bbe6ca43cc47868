// chart_test.cpp - the pieces a chart is laid out with: the time axis'
// ticks for any era and span, the curves reduced to the pixel columns, the
// labels that fit, and the texts handed to gnuplot.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "chart_script.h"
#include "column_reduction.h"
#include "label_placement.h"
#include "time_axis.h"
#include "utc_instant.h"

namespace {

double at(const char *iso) {
  utc::Instant i;
  EXPECT_TRUE(utc::Instant::parse(iso, i)) << iso;
  return i.unix_seconds();
}

std::string labels(const std::vector<chart::Tick> &ticks) {
  std::string s;
  for (const chart::Tick &t : ticks) {
    std::string l = t.label;
    for (char &c : l)
      if (c == '\n')
        c = '|';
    s += l + " ";
  }
  return s;
}

TEST(TimeTicks, AdaptToTheSpan) {
  // Three hours: every half hour, with the date under the time.
  EXPECT_EQ(labels(chart::time_ticks(at("2016-11-05T03:30Z"), at("2016-11-05T06:30Z"), 12)),
            "03:30|05 Nov 04:00|05 Nov 04:30|05 Nov 05:00|05 Nov 05:30|05 Nov 06:00|05 Nov 06:30|05 Nov ");
  // Nine days: every day at midnight, with the year.
  EXPECT_EQ(labels(chart::time_ticks(at("2016-11-01T00:00Z"), at("2016-11-09T23:59Z"), 12)),
            "01 Nov|2016 02 Nov|2016 03 Nov|2016 04 Nov|2016 05 Nov|2016 06 Nov|2016 07 Nov|2016 "
            "08 Nov|2016 09 Nov|2016 ");
  // Two months: from the first of each month, every five days, none
  // crowding the next month's first.
  EXPECT_EQ(labels(chart::time_ticks(at("2016-01-01"), at("2016-02-29T23:00Z"), 13)),
            "01 Jan|2016 06 Jan|2016 11 Jan|2016 16 Jan|2016 21 Jan|2016 26 Jan|2016 01 Feb|2016 "
            "06 Feb|2016 11 Feb|2016 16 Feb|2016 21 Feb|2016 26 Feb|2016 ");
  // A year: every two months, from January.
  EXPECT_EQ(labels(chart::time_ticks(at("2030-01-01"), at("2030-12-31T23:59Z"), 10)),
            "Jan|2030 Mar|2030 May|2030 Jul|2030 Sep|2030 Nov|2030 ");
  // A century: every twenty years, at multiples of twenty.
  EXPECT_EQ(labels(chart::time_ticks(at("1990-06-01"), at("2090-06-01"), 8)),
            "2000 2020 2040 2060 2080 ");
  // Less than a minute: its two ends.
  EXPECT_EQ(labels(chart::time_ticks(at("2016-11-05T06:00:10Z"), at("2016-11-05T06:00:40Z"), 10)),
            "06:00:10|05 Nov 06:00:40|05 Nov ");
}

TEST(TimeTicks, AnyEra) {
  // Before 1970 (negative Unix seconds) the days are still the calendar's.
  EXPECT_EQ(labels(chart::time_ticks(at("1969-12-30T12:00Z"), at("1970-01-02T12:00Z"), 4)),
            "31 Dec|1969 01 Jan|1970 02 Jan|1970 ");
  EXPECT_EQ(labels(chart::time_ticks(at("0001-01-01"), at("0001-01-01T12:00Z"), 3)),
            "00:00|01 Jan 06:00|01 Jan 12:00|01 Jan ");
  EXPECT_EQ(labels(chart::time_ticks(at("0001-01-01"), at("0003-01-01"), 3)),
            "0001 0002 0003 ");
  EXPECT_EQ(labels(chart::time_ticks(at("9999-03-01"), at("9999-12-31T23:59Z"), 4)),
            "Apr|9999 Jul|9999 Oct|9999 ");
  // A year before 0 in ISO 8601's expanded form, never "-002".
  EXPECT_EQ(chart::year_text(-2), "-0002");
  EXPECT_EQ(chart::year_text(12345), "+12345");
  EXPECT_EQ(chart::year_text(0), "0000");
  EXPECT_EQ(labels(chart::time_ticks(at("-0003-06-01"), at("-0001-06-01"), 3)), "-0002 -0001 ");
}

TEST(TimeTicks, NeverMoreThanRoomAndInOrder) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> start(at("0001-01-01"), at("9000-01-01"));
  std::uniform_real_distribution<double> log_span(1.0, std::log10(900.0 * 365 * 86400));
  for (int k = 0; k < 2000; ++k) {
    const double from = start(random), to = from + std::pow(10.0, log_span(random));
    const int most = 2 + k % 14;
    const std::vector<chart::Tick> ticks = chart::time_ticks(from, to, most);
    ASSERT_LE(static_cast<int>(ticks.size()), most) << from << " " << to;
    ASSERT_GE(ticks.size(), 1u) << from << " " << to << " " << most;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
      ASSERT_GE(ticks[i].t, from);
      ASSERT_LE(ticks[i].t, to);
      if (i > 0) {
        ASSERT_GT(ticks[i].t, ticks[i - 1].t);
      }
    }
  }
}

TEST(ColumnExtremes, FewSamplesAreAllKept) {
  const std::vector<double> t = {0, 1, 2, 3};
  const std::vector<std::vector<double>> series = {{1, 2, 3, 4}};
  EXPECT_EQ(chart::column_extremes(t, series, 0, 3, 2), (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST(ColumnExtremes, NoPassIsLostFromAYear) {
  // A year of 60-s samples of a low orbit's elevation: below the horizon
  // but for a pass of five minutes every 97 minutes, each with its own
  // height; 1,000 columns.
  std::vector<double> t, elevation, distance;
  for (int i = 0; i < 525600; ++i) {
    t.push_back(i * 60.0);
    const int phase = i % 97;
    elevation.push_back(phase < 5 ? 1.0 + (i / 97) % 13 + phase : -40.0 + 0.001 * (i % 7));
    distance.push_back(std::isnan(elevation.back()) ? 0 : 7000.0 + phase);
  }
  elevation[1000] = NAN;
  const std::vector<std::size_t> kept =
      chart::column_extremes(t, {elevation, distance}, t.front(), t.back(), 1000);
  EXPECT_LE(kept.size(), 1000u * 6);
  EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
  // In each column, the highest and the lowest elevation are kept.
  std::vector<double> high(1000, -1e9), low(1000, 1e9), kept_high(1000, -1e9), kept_low(1000, 1e9);
  const auto column = [&](double x) {
    return std::min(999, static_cast<int>(std::floor(x * 1000 / t.back())));
  };
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (std::isnan(elevation[i]))
      continue;
    high[column(t[i])] = std::max(high[column(t[i])], elevation[i]);
    low[column(t[i])] = std::min(low[column(t[i])], elevation[i]);
  }
  for (const std::size_t i : kept) {
    ASSERT_FALSE(std::isnan(elevation[i]) && i != 1000);
    kept_high[column(t[i])] = std::max(kept_high[column(t[i])], elevation[i]);
    kept_low[column(t[i])] = std::min(kept_low[column(t[i])], elevation[i]);
  }
  EXPECT_EQ(high, kept_high);
  EXPECT_EQ(low, kept_low);
}

TEST(PlaceLabels, NoneOverlapsNoneLeavesTheFrame) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> x(0, 1600), y(0, 600), rank(0, 90);
  std::vector<chart::LabelBox> boxes;
  for (int k = 0; k < 3000; ++k)
    boxes.push_back({x(random), y(random), 20.0 + k % 40, 18.0, rank(random)});
  const chart::Frame frame{100, 1500, 50, 550};
  const std::vector<bool> written = chart::place_labels(boxes, frame);
  int count = 0;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (!written[i])
      continue;
    ++count;
    const chart::LabelBox &a = boxes[i];
    EXPECT_GE(a.x - a.width / 2, frame.left);
    EXPECT_LE(a.x + a.width / 2, frame.right);
    EXPECT_GE(a.y, frame.bottom);
    EXPECT_LE(a.y + a.height, frame.top);
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      if (!written[j])
        continue;
      const chart::LabelBox &b = boxes[j];
      const bool meet = std::abs(a.x - b.x) < (a.width + b.width) / 2 && a.y < b.y + b.height &&
                        b.y < a.y + a.height;
      ASSERT_FALSE(meet) << i << " " << j;
    }
  }
  // Thinned, not emptied: a box that meets none written would have been
  // written itself.
  EXPECT_GT(count, 100);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const chart::LabelBox &a = boxes[i];
    if (written[i] || a.x - a.width / 2 < frame.left || a.x + a.width / 2 > frame.right ||
        a.y < frame.bottom || a.y + a.height > frame.top)
      continue;
    bool blocked = false;
    for (std::size_t j = 0; j < boxes.size() && !blocked; ++j) {
      const chart::LabelBox &b = boxes[j];
      blocked = written[j] && std::abs(a.x - b.x) < (a.width + b.width) / 2 &&
                a.y < b.y + b.height && b.y < a.y + a.height;
    }
    ASSERT_TRUE(blocked) << i;
  }
}

TEST(PlaceLabels, TheHigherRankWins) {
  // Two labels over each other: the higher culmination keeps its text;
  // boxes that only touch are both written; one beyond the edge is not.
  const std::vector<chart::LabelBox> boxes = {
      {500, 100, 40, 20, 30.0}, {510, 105, 40, 20, 60.0}, {550, 105, 40, 20, 10.0},
      {1495, 100, 40, 20, 90.0}};
  EXPECT_EQ(chart::place_labels(boxes, {0, 1500, 0, 600}),
            (std::vector<bool>{false, true, true, false}));
}

TEST(GnuplotText, NothingIsReadAsCode) {
  EXPECT_EQ(chart::gnuplot_string("a\"b`c$(d)\\n\t"),
            "\"a\\042b\\140c\\044\\050d\\051\\134n\\011\"");
  EXPECT_EQ(chart::gnuplot_string("3C 273"), "\"\\063C \\062\\067\\063\"");
  // What XML does not admit, shown as \xHH; UTF-8 as it is.
  EXPECT_EQ(chart::displayable("a\tb\x7f\xff\xc3\xa9\xef\xbf\xbe]]>]>"),
            "a\\x09b\\x7F\\xFF\xc3\xa9\\xEF\\xBF\\xBE]]\\x3E]>");
  EXPECT_EQ(chart::displayable("\xe0\x80\xaf\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82"),
            "\\xE0\\x80\\xAF\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80\\xE2\\x82");
  EXPECT_EQ(chart::displayable("3C 273 \xf0\x9f\x94\xad"), "3C 273 \xf0\x9f\x94\xad");
  EXPECT_EQ(chart::grouped(1234567), "1,234,567");
  EXPECT_EQ(chart::grouped(999), "999");
  EXPECT_EQ(chart::grouped(100000), "100,000");
}

} // namespace
