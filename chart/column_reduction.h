// column_reduction.h - the samples of a chart's curves that its pixel
// columns show: in each column, the lowest and the highest value of each
// curve (the chart library).
#ifndef KIT_CHART_COLUMN_REDUCTION_H
#define KIT_CHART_COLUMN_REDUCTION_H

#include <cstddef>
#include <vector>

namespace chart {

// ---------------------------------------------------------------------------
// column_extremes: which samples to draw.
//
// Given:   t        the samples' instants, in ascending order
//          series   curves, each a value per sample (not a number: no value)
//          from, to the axis' span (from < to)
//          columns  the pixel columns across it (at least 1)
// Returned (function value):
//   the indices of the samples to draw, ascending: every sample when there
//   are no more than 2 x columns x series of them; otherwise, in each
//   column, the samples of each curve's lowest and highest value (the
//   earliest of equal ones) and the column's first and last sample, so that
//   a curve drawn through them covers every pixel the whole curve covers:
//   no pass of a low orbit is lost from a year's chart, as plain
//   subsampling would lose it.  Samples outside [from, to] count in the
//   nearest column.
// ---------------------------------------------------------------------------
std::vector<std::size_t> column_extremes(const std::vector<double> &t,
                                         const std::vector<std::vector<double>> &series,
                                         double from, double to, int columns);

} // namespace chart

#endif
