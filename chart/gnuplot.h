// gnuplot.h - a gnuplot script drawn by gnuplot, every write and its every
// word checked (the chart library).
#ifndef KIT_CHART_GNUPLOT_H
#define KIT_CHART_GNUPLOT_H

#include <string>

#include "picture_file.h"

namespace chart {

// ---------------------------------------------------------------------------
// draw: runs gnuplot (found on PATH) on a script.
//
// Given:   svg      whether the picture is an SVG (else a PNG)
//          script   the script, handed to gnuplot through a pipe that it
//                   reads as the file /dev/fd/3 (its standard input is
//                   /dev/null)
//          picture  where gnuplot's standard output goes
// gnuplot's messages go to a private file beside the picture.  gnuplot says
// nothing about a script of the kit's making that draws, and exits 0 after
// some faults (a plot with no valid point), so any message is a failure.
// Throws kit::Failure: "gnuplot is not installed (Debian package
// gnuplot-nox)"; "gnuplot could not draw the chart: MESSAGE" (the last
// line it wrote, or its exit status or signal when it said nothing); "gnuplot
// drew nothing (is the disk full?)" for an empty picture, "gnuplot's picture
// is cut short (is the disk full?)" for one that does not end as a PNG or an
// SVG ends (its IEND chunk, "</svg>"): gnuplot says nothing of a write that
// fails.  While gnuplot runs, a hangup, an interrupt or a termination of
// this process ends gnuplot too (PictureFile's handler).
// ---------------------------------------------------------------------------
void draw(bool svg, const std::string &script, PictureFile &picture);

} // namespace chart

#endif
