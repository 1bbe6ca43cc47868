// chart_data.h - what a chart of an orbit shows, from the kit's own
// searches: passrange's report of each record, the stations' windows, the
// site's nights, and the sources' altitudes and windows (the chart
// library).
#ifndef KIT_CHART_CHART_DATA_H
#define KIT_CHART_CHART_DATA_H

#include <limits>
#include <string>
#include <vector>

#include "catalog.h"
#include "night_search.h"
#include "pass_search.h"
#include "passrange.h"

namespace chart {

// What to chart.
struct ChartRequest {
  std::string orbit;                   // the orbit file, "-" standard input
  double start = -std::numeric_limits<double>::infinity(); // Unix seconds
  double end = std::numeric_limits<double>::infinity();
  bool span_given = false;
  bool stations[tracking::kStationCount] = {true, true};
  tracking::SearchSettings search;     // minimum elevations and masks
  bool night = false;                  // the windows' parts at night only
  std::vector<sources::Source> sources;
  int columns = 1600;                  // the pixel columns of the time axis
};

// A source's altitude at a site over the chart, reduced to the pixel
// columns (column_extremes).
struct SourceCurve {
  int source;
  int site;                            // 0 azel's and elev's, 1 polar's
  std::vector<double> t, altitude;     // Unix seconds, degrees
};

// A part of a source's window at an antenna: the window, its part at
// night, its part while a station tracks the spacecraft.
enum class BarPart { window = 0, night = 1, tracked = 2 };
struct SourceBar {
  int source, antenna;
  BarPart part;
  double from, to;
};

struct ChartData {
  // The records from START to END: their instants and report lines.
  std::vector<double> t;
  std::vector<ReportLine> lines;
  std::vector<bool> breaks;            // a gap in the data before record i
                                       // (further apart than the search's
                                       // --max-gap, or a message's break)
  double from = 0.0, to = 0.0;         // the time axis: START to END where
                                       // the records cover it, else the
                                       // records' span; 10 minutes around
                                       // a single instant
  std::vector<tracking::Window> windows; // TS1's and TS2's, in time order
  std::vector<Night> nights;           // over the time axis
  std::string nights_problem;          // why there are none, when they
                                       // cannot be computed
  std::vector<SourceCurve> curves;
  std::vector<SourceBar> bars;
};

// ---------------------------------------------------------------------------
// gather: a chart's data.
//
// The orbit file is read once (tracking::OrbitFile, a single record
// allowed): each record from START to END gets passrange's report line
// (report_line, along one rotation stream), and every record feeds the
// window search (tracking::PassSearch with the request's settings, cut by
// the nights when asked).  The time axis is START to END where the file's
// records cover them, else the charted records' span; the nights are the
// night search's over it.  Each source is placed (sources::Sky) at both
// sites at steps of at most half a pixel column or 30 minutes and reduced
// to the columns; its
// windows at each antenna are the source search's over the time axis, and
// their parts at night and while tracked those windows intersected with
// the nights and with the stations' windows (any; not cut by the nights,
// whatever --night does to the stations' windows), as sourcewindows' gates
// cut them.
// Throws kit::Failure: the orbit file's faults as OrbitFile names them, "no
// orbit record ..." when none lies in the span, a record whose Earth
// rotation fails, sources over a span the solar ephemeris does not serve.
// ---------------------------------------------------------------------------
ChartData gather(const ChartRequest &request);

} // namespace chart

#endif
