// chart_script.h - a chart's data as a gnuplot script: the panels, their
// axes and ticks, the curves reduced to the pixel columns, the bars and the
// labels that fit (the chart library).
#ifndef KIT_CHART_CHART_SCRIPT_H
#define KIT_CHART_CHART_SCRIPT_H

#include <string>
#include <vector>

#include "chart_data.h"

namespace chart {

// How the chart looks.
struct ChartLook {
  bool svg = false;                    // SVG, else PNG
  int width = 1600, height = 1000;     // pixels
  std::string orbit_name;              // as given, for the title
  bool stations[tracking::kStationCount] = {true, true};
  std::vector<std::string> source_names;
};

// A gnuplot string of any bytes: double quotes around them, every byte but
// letters and blanks written as an octal escape (digits too: gnuplot would
// read a digit after an escape as part of it), so that nothing in it is
// read as a quote, a backquote, a macro or an escape of its own.
std::string gnuplot_string(const std::string &text);

// A name as a picture can show it: its UTF-8 characters as they are, each
// byte of a control character (a tab, a line end), of U+FFFE or U+FFFF, of
// what is not UTF-8, and the ">" of "]]>" written as \xHH, so that an SVG
// stays well-formed XML.
std::string displayable(const std::string &text);

// An integer with its thousands grouped by commas: "100,000".
std::string grouped(long long n);

// ---------------------------------------------------------------------------
// chart_script: the script that draws the chart.
//
// Given:   data (gather's), look
// Returned (function value): the script, for gnuplot's standard input; it
// writes the picture to its standard output.
//
// The panels, one above the other at fixed places (so that the script knows
// where each pixel lies): the elevations at the stations with their windows
// as bars along the foot (TS1 above TS2) and each culmination marked, its
// highest elevation written where the label fits (place_labels), a maximum
// at an edge that the span, a gap or a day cut drawn as a cut (an open
// mark, no label); the distances, on a logarithmic axis when the largest
// exceeds twenty times the smallest; with sources, their altitudes and, for
// each source and antenna, a row of bars: the window light, its part at
// night dark, its part while tracked under a black strip.  The nights shade
// every panel.  The time axis is numeric (Unix seconds), its ticks placed
// and labelled by time_ticks; the records are those column_extremes keeps.
// The data blocks: $records ("UNIX LINE", LINE passrange's report line),
// $windows ("STATION AOS LOS"), $culminations ("UNIX ELEVATION STATION
// KIND", station 1 or 2, kind 1 labelled, 0 marked, 2 a cut); with sources,
// $curveN ("UNIX ALTITUDE", one per source and site) and $sourcebars ("PART
// ANTENNA FROM TO LOW HIGH SOURCE", part 0 the window, 1 at night, 2 while
// tracked; antennas 0 azel, 1 elev, 2 polar; sources counted from 0).
// ---------------------------------------------------------------------------
std::string chart_script(const ChartData &data, const ChartLook &look);

} // namespace chart

#endif
