// column_reduction.cpp - the extremes of each curve in each pixel column.
#include "column_reduction.h"

#include <algorithm>
#include <cmath>

namespace chart {

std::vector<std::size_t> column_extremes(const std::vector<double> &t,
                                         const std::vector<std::vector<double>> &series,
                                         double from, double to, int columns) {
  const std::size_t n = t.size();
  std::vector<std::size_t> kept;
  if (n <= 2 * static_cast<std::size_t>(columns) * std::max<std::size_t>(series.size(), 1)) {
    kept.resize(n);
    for (std::size_t i = 0; i < n; ++i)
      kept[i] = i;
    return kept;
  }
  const double scale = columns / (to - from);
  const auto column_of = [&](double x) {
    const double c = std::floor((x - from) * scale);
    return c < 0.0 ? 0 : c >= columns ? columns - 1 : static_cast<int>(c);
  };
  std::vector<std::size_t> low(series.size()), high(series.size());
  const auto keep_column = [&](std::size_t first, std::size_t last) {
    kept.push_back(first);
    for (std::size_t s = 0; s < series.size(); ++s) {
      if (low[s] != n)
        kept.push_back(low[s]);
      if (high[s] != n)
        kept.push_back(high[s]);
    }
    kept.push_back(last);
  };
  std::size_t first = 0;
  int column = column_of(t[0]);
  std::fill(low.begin(), low.end(), n);
  std::fill(high.begin(), high.end(), n);
  for (std::size_t i = 0; i < n; ++i) {
    const int c = column_of(t[i]);
    if (c != column) {
      keep_column(first, i - 1);
      first = i;
      column = c;
      std::fill(low.begin(), low.end(), n);
      std::fill(high.begin(), high.end(), n);
    }
    for (std::size_t s = 0; s < series.size(); ++s) {
      const double v = series[s][i];
      if (std::isnan(v))
        continue;
      if (low[s] == n || v < series[s][low[s]])
        low[s] = i;
      if (high[s] == n || v > series[s][high[s]])
        high[s] = i;
    }
  }
  keep_column(first, n - 1);
  std::sort(kept.begin(), kept.end());
  kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
  return kept;
}

} // namespace chart
