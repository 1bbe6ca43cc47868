// pass_search.cpp - passwindows' search: sampling the stations' view
// between records, bracketing and refining each change, and handing the
// changes, instant by instant, to the streams they make.
#include "pass_search.h"

#include <algorithm>
#include <cmath>

#include "failure.h"
#include "time_scale_settings.h"
#include "utc_instant.h"

namespace tracking {

namespace {

// A step turns the line of sight by at most this much (radians)...
constexpr double kStepAngle = 0.1;
// ...and is never shorter than this (seconds).
constexpr double kMinStep = 1e-3;
// Events are refined to this (seconds).
constexpr double kTolerance = 1e-6;
// With a mask, a stretch that may hold a crossing is halved down to this
// (seconds): any stretch in view this long or longer is found.
constexpr double kMaskResolution = 0.25;

// The order of simultaneous changes: a station's rise before its
// culmination before its set, the stations in turn, the gate last.
enum class Change { rise, culmination, set, limit_in, limit_out, gate_opens, gate_closes };

// Who changes, in the order of simultaneous changes: the stations, the
// antennas' limits, the gate.
constexpr int kFirstAntenna = kStationCount;
constexpr int kGate = kStationCount + limits::kAntennaCount;

struct Pending {
  double t;
  int who;   // a station, kFirstAntenna + an antenna, or kGate
  Change change;
  int term;  // an antenna's limit
  windows::Bound bound; // a limit's or the gate's
};

// The streams PassStreams lists: the stations' and combinations', then the
// antennas'.
struct Wanted {
  bool streams[kAllStreams];
  explicit Wanted(const SearchSettings &s) {
    for (int k = 0; k < kStreamCount; ++k)
      streams[k] = s.wanted[k];
    for (int a = 0; a < limits::kAntennaCount; ++a)
      streams[kAntennaStream + a] = s.antennas[a];
  }
};

events::Search crossings_only() {
  events::Search s;
  s.maxima = s.minima = false;
  s.tolerance = kTolerance;
  return s;
}

} // namespace

PassSearch::PassSearch(const SearchSettings &settings, WindowSink &sink)
    : settings_(settings), sink_(sink),
      streams_(Wanted(settings).streams, settings.gate != nullptr, sink) {
  const bool combined = settings_.wanted[kAny] || settings_.wanted[kBoth];
  bool antennas = false;
  for (const bool a : settings_.antennas)
    antennas = antennas || a;
  for (int s = 0; s < kStationCount; ++s) {
    station_needed_[s] = settings_.wanted[s] || combined || (s == kTs1 && antennas);
    visibility_[s] = {settings_.min_elevation[s], settings_.mask[s]};
  }
  ter2cel_stream_init(&rotation_stream_);
}

// An antenna's limits on the spacecraft's pointing from TS1: its elevation
// and azimuth with their rates (the sine's on the vertical, where the
// elevation's is infinite).
void PassSearch::limit_terms(int antenna, const Geometry &g,
                             limits::LimitTerm (&terms)[limits::kMaxTerms]) const {
  const Look &l = g.look[kTs1];
  const double rate = std::isfinite(l.elevation_rate) ? l.elevation_rate : l.sine_rate;
  limits::antenna_terms(static_cast<limits::Antenna>(antenna), {l.elevation_deg, l.azimuth_deg},
                        {rate, l.azimuth_rate}, terms);
}

// The track's instants in [from, to] not yet given, with the geometry there.
void PassSearch::track_until(double from, double to) {
  if (!(settings_.track_step > 0.0))
    return;
  for (;;) {
    const double t = track_start_ + static_cast<double>(next_track_) * settings_.track_step;
    if (!(t <= to) || t > settings_.end)
      return;
    ++next_track_;
    if (t >= from && t >= settings_.start)
      sink_.track(t, evaluate(t).look);
  }
}

PassSearch::Geometry PassSearch::evaluate(double t) {
  for (auto g = computed_.rbegin(); g != computed_.rend(); ++g)
    if (g->t == t)
      return *g;
  ++evaluations_;
  const State s = hermite(from_, to_, t);
  // At a record its own Julian date, from its fields as passrange forms
  // it; between records the instant's.
  const double jd = t == from_.t && !std::isnan(from_.jd) ? from_.jd
                    : t == to_.t && !std::isnan(to_.jd)   ? to_.jd
                                                          : utc::julian_date_of(t);
  const double jd_ut1 = kit::kTimeScales.jd_ut1(jd);
  StationFrames frames;
  if (rotate_station_frames(jd_ut1, &rotation_stream_, frames) != 0)
    throw kit::Failure("the Earth's rotation failed");
  Geometry g;
  g.t = t;
  for (int k = 0; k < kStationCount; ++k)
    if (station_needed_[k])
      g.look[k] = look_angles(s.p, s.v, frames.station[k], frames.pole);
  computed_.push_back(g);
  return computed_.back();
}

// The next step from a sample: a tenth of a radian of turn of the line of
// sight at the fastest station.
double PassSearch::step_after(const Geometry &g) const {
  double step = std::numeric_limits<double>::infinity();
  for (int k = 0; k < kStationCount; ++k) {
    if (!station_needed_[k])
      continue;
    const Look &l = g.look[k];
    // Where the geometry is not a number (a spacecraft at the station)
    // there is nothing to follow.
    if (!std::isfinite(l.sight_rate))
      continue;
    if (l.sight_rate > 0.0)
      step = std::min(step, kStepAngle / l.sight_rate);
  }
  return std::max(step, kMinStep);
}

bool PassSearch::add(const StateNode &node) {
  if (done_)
    return false;
  const double start = settings_.start, end = settings_.end;
  const StateNode previous = to_;
  const bool first = records_++ == 0;
  if (first)
    track_start_ = std::isfinite(settings_.track_start) ? settings_.track_start : node.t;
  from_ = first ? node : previous;
  to_ = node;
  computed_.clear();
  if (first || node.after_break || node.t - previous.t > settings_.max_gap) {
    if (segment_active_) {
      from_ = to_ = previous;
      end_segment(previous.t, windows::kGap);
    }
    from_ = to_ = node;
    computed_.clear();
    if (node.t >= start && node.t <= end) {
      start_segment(node.t, first || node.t == start ? windows::kStart : windows::kGap);
      track_until(node.t, node.t);
    }
  } else {
    const double lo = std::max(previous.t, start), hi = std::min(node.t, end);
    if (lo <= hi) {
      if (!segment_active_)
        start_segment(lo, windows::kStart);
      search(lo, hi);
      track_until(lo, hi);
    }
  }
  // What goes on to the span's end is cut there, on a record or between
  // two.
  if (node.t >= end) {
    if (segment_active_)
      end_segment(end, windows::kEnd);
    streams_.release_all();
    done_ = true;
    return false;
  }
  return true;
}

void PassSearch::finish() {
  if (done_)
    return;
  if (segment_active_)
    end_segment(std::min(to_.t, settings_.end), windows::kEnd);
  streams_.release_all();
  done_ = true;
}

void PassSearch::search(double from, double to) {
  Geometry a = evaluate(from);
  while (a.t < to) {
    const double next = std::min(a.t + step_after(a), to);
    // Only the step's own geometry is kept: its start and what it finds.
    computed_.erase(computed_.begin(), computed_.end() - 1);
    const Geometry b = evaluate(next);
    process_step(a, b);
    a = b;
  }
}

// The rises and sets of a station with a mask between two samples: a
// stretch that may hold a crossing is halved, down to kMaskResolution,
// where a change of sign between the ends is refined.
void PassSearch::masked_crossings(int k, const Geometry &a, const Geometry &b,
                                  std::vector<events::Event> &found) {
  const auto value = [this, k](const Geometry &g) {
    return events::Sample{g.t, visibility_[k].margin(g.look[k]), 0.0};
  };
  const events::Sample va = value(a), vb = value(b);
  const bool defined = !std::isnan(va.value) && !std::isnan(vb.value);
  if (defined && !visibility_[k].may_cross(a.look[k], b.look[k]))
    return;
  if (!defined || b.t - a.t <= kMaskResolution) {
    if (events::inside(va) != events::inside(vb))
      events::step_events(va, vb, [&](double t) { return value(evaluate(t)); },
                          crossings_only(), found);
    return;
  }
  const Geometry m = evaluate(a.t + (b.t - a.t) / 2);
  masked_crossings(k, a, m, found);
  masked_crossings(k, m, b, found);
}

void PassSearch::process_step(const Geometry &a, const Geometry &b) {
  std::vector<Pending> pending;
  std::vector<events::Event> found;
  for (int k = 0; k < kStationCount; ++k) {
    if (!station_needed_[k])
      continue;
    // The elevation above the threshold, whose sign is the window; its
    // rate, or the sine's on the vertical where the elevation's is
    // infinite.
    const auto above = [this, k](const Geometry &g) {
      const Look &l = g.look[k];
      const double rate = std::isfinite(l.elevation_rate) ? l.elevation_rate : l.sine_rate;
      return events::Sample{g.t, visibility_[k].margin(l), rate};
    };
    const auto elevation = [k](const Geometry &g) {
      return events::Sample{g.t, g.look[k].elevation_deg, g.look[k].sine_rate};
    };
    found.clear();
    if (visibility_[k].mask != nullptr)
      masked_crossings(k, a, b, found);
    else
      events::step_events(above(a), above(b), [&](double t) { return above(evaluate(t)); },
                          crossings_only(), found);
    events::Search culminations;
    culminations.crossings = culminations.minima = false;
    culminations.tolerance = kTolerance;
    events::step_events(elevation(a), elevation(b),
                        [&](double t) { return elevation(evaluate(t)); }, culminations, found);
    for (const events::Event &e : found)
      pending.push_back({e.at.t, k,
                         e.kind == events::EventKind::maximum ? Change::culmination
                         : e.kind == events::EventKind::rise  ? Change::rise
                                                              : Change::set,
                         0, nullptr});
  }
  for (int antenna = 0; antenna < limits::kAntennaCount; ++antenna) {
    if (!settings_.antennas[antenna])
      continue;
    const int n = limits::term_count(static_cast<limits::Antenna>(antenna));
    for (int j = 0; j < n; ++j) {
      const auto term = [this, antenna, j](const Geometry &g) {
        limits::LimitTerm terms[limits::kMaxTerms];
        limit_terms(antenna, g, terms);
        return events::Sample{g.t, terms[j].value, terms[j].rate};
      };
      found.clear();
      events::step_events(term(a), term(b), [&](double t) { return term(evaluate(t)); },
                          crossings_only(), found);
      limits::LimitTerm terms[limits::kMaxTerms];
      limit_terms(antenna, b, terms);
      for (const events::Event &e : found)
        pending.push_back({e.at.t, kFirstAntenna + antenna,
                           e.kind == events::EventKind::rise ? Change::limit_in : Change::limit_out, j,
                           terms[j].bound});
    }
  }
  if (settings_.gate != nullptr) {
    std::vector<windows::GateChange> changes;
    settings_.gate->changes(a.t, b.t, changes);
    for (const windows::GateChange &c : changes)
      pending.push_back({c.t, kGate, c.inside ? Change::gate_opens : Change::gate_closes, 0,
                         c.bound});
  }
  std::stable_sort(pending.begin(), pending.end(), [](const Pending &x, const Pending &y) {
    if (x.t != y.t)
      return x.t < y.t;
    if (x.who != y.who)
      return x.who < y.who;
    return x.change < y.change;
  });

  // Each instant's changes, with the geometry found there.
  for (std::size_t i = 0; i < pending.size();) {
    const double t = pending[i].t;
    const Geometry g = evaluate(t);
    for (; i < pending.size() && pending[i].t == t; ++i) {
      const Pending &p = pending[i];
      switch (p.change) {
      case Change::rise:
      case Change::set: {
        // What the station's edge crossed: its minimum elevation or its
        // mask, as the threshold at the instant's azimuth tells.
        windows::Bound bound;
        visibility_[p.who].threshold(g.look[p.who].azimuth_deg, &bound);
        streams_.station(p.who, p.change == Change::rise, bound);
        break;
      }
      case Change::culmination:
        streams_.culmination(p.who);
        break;
      case Change::limit_in:
      case Change::limit_out:
        streams_.limit(p.who - kFirstAntenna, p.term, p.change == Change::limit_in, p.bound);
        break;
      case Change::gate_opens:
      case Change::gate_closes:
        streams_.gate(p.change == Change::gate_opens, p.bound);
        break;
      }
    }
    streams_.end_instant(t, g.look);
  }
}

void PassSearch::start_segment(double t, windows::Bound bound) {
  segment_active_ = true;
  const Geometry g = evaluate(t);
  for (int k = 0; k < kStationCount; ++k)
    if (station_needed_[k])
      streams_.station(k, visibility_[k].margin(g.look[k]) >= 0.0, bound);
  for (int a = 0; a < limits::kAntennaCount; ++a) {
    if (!settings_.antennas[a])
      continue;
    limits::LimitTerm terms[limits::kMaxTerms];
    limit_terms(a, g, terms);
    for (int j = 0; j < limits::term_count(static_cast<limits::Antenna>(a)); ++j)
      streams_.limit(a, j, terms[j].value >= 0.0, terms[j].bound);
  }
  if (settings_.gate != nullptr)
    streams_.gate(settings_.gate->inside_at(t), windows::kDay);
  streams_.coverage(true, bound);
  streams_.end_instant(t, g.look);
}

void PassSearch::end_segment(double t, windows::Bound bound) {
  const Geometry g = evaluate(t);
  for (int k = 0; k < kStationCount; ++k)
    if (station_needed_[k])
      streams_.station(k, false, bound);
  for (int a = 0; a < limits::kAntennaCount; ++a)
    if (settings_.antennas[a])
      for (int j = 0; j < limits::term_count(static_cast<limits::Antenna>(a)); ++j)
        streams_.limit(a, j, false, bound);
  streams_.coverage(false, bound);
  streams_.end_instant(t, g.look);
  segment_active_ = false;
}

} // namespace tracking
