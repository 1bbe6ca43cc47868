// chart_data.cpp - a chart's data from the kit's searches.
#include "chart_data.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "column_reduction.h"
#include "failure.h"
#include "interval_source.h"
#include "night_gate.h"
#include "options.h"
#include "orbit_file.h"
#include "source_search.h"
#include "utc_instant.h"

namespace chart {

namespace {

// The windows of TS1, TS2 and any, as the search closes them.
class WindowList : public tracking::WindowSink {
public:
  void window(const tracking::Window &w) override {
    if (w.stream == tracking::kAny)
      any.push_back({{w.aos.t, w.aos_bound}, {w.los.t, w.los_bound}, w.pass});
    else
      stations.push_back(w);
  }
  void event(const tracking::PassEvent &) override {}
  std::vector<tracking::Window> stations;
  std::vector<windows::Interval> any;
};

// A source's windows at the three antennas, as bars of one part.
class BarList : public sources::SourceSink {
public:
  BarList(BarPart part, std::vector<SourceBar> &bars) : part_(part), bars_(bars) {}
  void window(const sources::SourceWindow &w) override {
    if (w.stream < limits::kAntennaCount)
      bars_.push_back({w.source, w.stream, part_, w.start.t, w.end.t});
  }
  void event(const sources::SourceEvent &) override {}

private:
  BarPart part_;
  std::vector<SourceBar> &bars_;
};

std::string span_text(const ChartRequest &r) {
  return r.span_given ? " from " + utc::iso_text(r.start) + " to " + utc::iso_text(r.end) : "";
}

// The records from START to END and the stations' windows; the windows of
// any, for the sources' tracked parts, from a search of their own when the
// stations' are cut by the nights (the tracking is the tracking, day or
// night).  Returns the span the file's records cover of START to END.
std::pair<double, double> read_orbit(const ChartRequest &r, ChartData &d,
                                     std::vector<windows::Interval> &any) {
  WindowList list, tracking_list;
  tracking::SearchSettings settings = r.search;
  settings.start = r.start;
  settings.end = r.end;
  for (int k = 0; k < tracking::kStationCount; ++k)
    settings.wanted[k] = r.stations[k];
  settings.wanted[tracking::kAny] = !r.sources.empty() && !r.night;
  settings.wanted[tracking::kBoth] = false;
  tracking::SearchSettings tracking_settings = settings;
  for (bool &w : tracking_settings.wanted)
    w = false;
  tracking_settings.wanted[tracking::kAny] = true;
  NightSource nights(r.end, "--night");
  windows::Gate gate(nights);
  if (r.night)
    settings.gate = &gate;
  tracking::PassSearch search(settings, list);
  std::unique_ptr<tracking::PassSearch> tracking_search;
  if (!r.sources.empty() && r.night)
    tracking_search = std::make_unique<tracking::PassSearch>(tracking_settings, tracking_list);
  tracking::OrbitFile file(r.orbit, 1);
  ter2cel_stream stream;
  ter2cel_stream_init(&stream);
  bool searching = true;
  double first = NAN, last = NAN; // the records read so far
  for (tracking::StateNode node; file.next(node);) {
    if (std::isnan(first))
      first = node.t;
    if (node.t >= r.start && node.t <= r.end) {
      const ReportLine line = report_line(file.record(), &stream);
      if (line.status != 0)
        throw kit::Failure("the Earth's rotation failed (ter2cel error " +
                           std::to_string(line.status) + ") at " + utc::iso_text(node.t));
      d.t.push_back(node.t);
      d.lines.push_back(line);
      d.breaks.push_back(d.t.size() > 1 &&
                         (node.after_break || node.t - last > settings.max_gap));
    }
    last = node.t;
    if (searching) {
      searching = search.add(node);
      if (tracking_search)
        tracking_search->add(node);
    }
    if (!searching && node.t > r.end)
      break;
  }
  if (searching) {
    search.finish();
    if (tracking_search)
      tracking_search->finish();
  }
  if (d.t.empty())
    throw kit::Failure("no orbit record in " + cli::quoted(r.orbit) + span_text(r));
  d.windows = std::move(list.stations);
  any = std::move(tracking_search ? tracking_list.any : list.any);
  return {std::max(first, r.start), std::min(last, r.end)};
}

void source_parts(const ChartRequest &r, ChartData &d, const std::vector<windows::Interval> &any) {
  const std::string problem = night_span_problem(d.from, d.to);
  if (!problem.empty())
    throw kit::Failure("--source: the chart's span lies outside the solar ephemeris: sources are placed from " +
                       utc::iso_text(kFirstNightInstant) + " to " + utc::iso_text(kLastNightInstant));
  // The altitudes, at least two samples a pixel column or one each half hour.
  const std::vector<sources::Site> sites = {sources::kObservingSite, sources::kMountSite};
  sources::Sky sky(r.sources, sites, 1);
  const double step = std::min((d.to - d.from) / (2.0 * r.columns), 1800.0);
  const long long samples = static_cast<long long>(std::ceil((d.to - d.from) / step)) + 1;
  for (int site = 0; site < 2; ++site) {
    std::vector<double> t;
    std::vector<std::vector<double>> altitude(r.sources.size());
    std::vector<sources::Pointed> at;
    for (long long k = 0; k < samples; ++k) {
      const double s = k + 1 == samples ? d.to : d.from + static_cast<double>(k) * step;
      sky.all_at(s, site, at);
      t.push_back(s);
      for (std::size_t i = 0; i < at.size(); ++i)
        altitude[i].push_back(at[i].altitude);
    }
    for (std::size_t i = 0; i < r.sources.size(); ++i) {
      SourceCurve c{static_cast<int>(i), site, {}, {}};
      for (const std::size_t k : column_extremes(t, {altitude[i]}, d.from, d.to, r.columns)) {
        c.t.push_back(t[k]);
        c.altitude.push_back(altitude[i][k]);
      }
      d.curves.push_back(std::move(c));
    }
  }
  // The windows, and their parts at night and while tracked: each
  // source's and antenna's windows combined with the nights and with the
  // stations' windows (any), as a search cut by those gates cuts them.
  sources::SourceSettings s;
  s.start = d.from;
  s.end = d.to;
  for (int k = 0; k < sources::kSourceStreams; ++k)
    s.wanted[k] = k < limits::kAntennaCount;
  std::vector<SourceBar> whole;
  BarList bars(BarPart::window, whole);
  sources::SourceSearch search(r.sources, s, bars);
  search.run();
  std::vector<windows::Interval> nights;
  for (const Night &n : d.nights)
    nights.push_back({{n.start, windows::kDay}, {n.end, windows::kDay}, 0});
  for (std::size_t i = 0; i < r.sources.size(); ++i)
    for (int a = 0; a < limits::kAntennaCount; ++a) {
      std::vector<windows::Interval> list;
      for (const SourceBar &b : whole)
        if (b.source == static_cast<int>(i) && b.antenna == a) {
          d.bars.push_back(b);
          list.push_back({{b.from, windows::kStart}, {b.to, windows::kEnd}, 0});
        }
      const std::pair<BarPart, const std::vector<windows::Interval> *> gates[] = {
          {BarPart::night, &nights}, {BarPart::tracked, &any}};
      for (const auto &[part, gate] : gates)
        for (const windows::Interval &w : windows::combine(windows::Combination::Op::all, list, *gate))
          d.bars.push_back({static_cast<int>(i), a, part, w.start.t, w.end.t});
    }
}

} // namespace

ChartData gather(const ChartRequest &r) {
  ChartData d;
  std::vector<windows::Interval> any;
  // The time axis: the span given, where the records cover it (a window
  // cut there by START or END is seen cut), else the records'.
  const std::pair<double, double> covered = read_orbit(r, d, any);
  d.from = r.span_given ? covered.first : d.t.front();
  d.to = r.span_given ? covered.second : d.t.back();
  if (d.from == d.to) {
    d.from -= 300.0;
    d.to += 300.0;
  }
  d.nights_problem = night_span_problem(d.from, d.to);
  if (d.nights_problem.empty()) {
    NightSearch search(d.from, d.to);
    for (Night n; search.next(n);)
      d.nights.push_back(n);
  }
  if (!r.sources.empty())
    source_parts(r, d, any);
  return d;
}

} // namespace chart
