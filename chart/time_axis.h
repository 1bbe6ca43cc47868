// time_axis.h - the ticks of a chart's time axis, placed and labelled by
// the kit's own calendar for any era (the chart library).
#ifndef KIT_CHART_TIME_AXIS_H
#define KIT_CHART_TIME_AXIS_H

#include <string>
#include <vector>

namespace chart {

// A tick: its instant (Unix seconds) and its label, one or two lines
// ("06:00\n05 Nov", "05 Nov\n2016", "Nov\n2016", "2016").
struct Tick {
  double t;
  std::string label;
};

// The year as the axis writes it: four digits for years 0 to 9999 ("0001",
// "2016"), a sign and the digits beyond ("-0002", "+12345").
std::string year_text(int year);

// ---------------------------------------------------------------------------
// time_ticks: the ticks of a time axis.
//
// Given:   from, to  the axis' span, Unix seconds (from < to, both within
//          the years -32768 to 32767)
//          most      the most ticks the axis has room for (at least 2)
// Returned (function value):
//   the ticks of the finest step that gives at most `most` of them in
//   [from, to], in time order: minutes and hours (1, 2, 5, 10, 15, 30
//   minutes; 1, 2, 3, 6, 12 hours) from each UTC midnight, labelled with
//   the time of day and the date; days (1, 2, 5, 10) from the first of
//   each month, labelled with the date and the year; months (1, 2, 3, 6)
//   from January, labelled with the month and the year; years (1, 2, 5,
//   10, ... 10000) at multiples of the step, labelled with the year.  A
//   span shorter than the finest step gets its two ends as ticks.
// ---------------------------------------------------------------------------
std::vector<Tick> time_ticks(double from, double to, int most);

} // namespace chart

#endif
