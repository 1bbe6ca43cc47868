// window_search.cpp - passwindows' search: sampling the stations' view
// between records, bracketing and refining each change, and the windows'
// states.
#include "window_search.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "crossing_search.h"
#include "instant.h"
#include "time_scale_settings.h"

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

// The order of simultaneous events: a station's rise before its
// culmination before its set, the stations in turn, the gate last.
enum class Change { rise, culmination, set, gate_opens, gate_closes };

struct Pending {
  double t;
  int station; // kStationCount for the gate
  Change change;
};

} // namespace

const char *bound_name(Bound bound) {
  switch (bound) {
  case Bound::elevation:
    return "elevation";
  case Bound::mask:
    return "mask";
  case Bound::start:
    return "start";
  case Bound::end:
    return "end";
  case Bound::gap:
    return "gap";
  case Bound::day:
    return "day";
  }
  return "";
}

WindowSearch::WindowSearch(const SearchSettings &settings, WindowSink &sink)
    : settings_(settings), sink_(sink) {
  const bool combined = settings_.wanted[kAny] || settings_.wanted[kBoth];
  for (int s = 0; s < kStationCount; ++s)
    station_needed_[s] = settings_.wanted[s] || combined;
  ter2cel_stream_init(&rotation_stream_);
}

// The threshold at an azimuth, and what sets it.
double WindowSearch::threshold(int station, double azimuth, Bound *bound) const {
  const double minimum = settings_.min_elevation[station];
  const HorizonMask *mask = settings_.mask[station];
  if (mask != nullptr) {
    const double m = mask->elevation(azimuth);
    if (m > minimum) {
      if (bound != nullptr)
        *bound = Bound::mask;
      return m;
    }
  }
  if (bound != nullptr)
    *bound = Bound::elevation;
  return minimum;
}

WindowSearch::Geometry WindowSearch::evaluate(double t) {
  if (have_last_ && last_.t == t)
    return last_;
  ++evaluations_;
  const State s = hermite(from_, to_, t);
  // At a record its own Julian date, from its fields as passrange forms
  // it; between records the instant's.
  const double jd = t == from_.t && !std::isnan(from_.jd) ? from_.jd
                    : t == to_.t && !std::isnan(to_.jd)   ? to_.jd
                                                          : events::utc_julian_date(t);
  const double jd_ut1 = kit::kTimeScales.jd_ut1(jd);
  StationFrames frames;
  if (rotate_station_frames(jd_ut1, &rotation_stream_, frames) != 0)
    throw std::runtime_error("the Earth's rotation failed");
  Geometry g;
  g.t = t;
  for (int k = 0; k < kStationCount; ++k)
    if (station_needed_[k])
      g.look[k] = look_angles(s.p, s.v, frames.station[k], frames.pole);
  return g;
}

// The next step from a sample: a tenth of a radian of turn of the line of
// sight at the fastest station.
double WindowSearch::step_after(const Geometry &g) const {
  double step = std::numeric_limits<double>::infinity();
  for (int k = 0; k < kStationCount; ++k) {
    if (!station_needed_[k])
      continue;
    const Look &l = g.look[k];
    // Where the geometry is not a number (a spacecraft at the station, a
    // record of not-a-number positions) there is nothing to follow.
    if (!std::isfinite(l.sight_rate))
      continue;
    if (l.sight_rate > 0.0)
      step = std::min(step, kStepAngle / l.sight_rate);
  }
  return std::max(step, kMinStep);
}

bool WindowSearch::add(const StateNode &node) {
  if (done_)
    return false;
  const double start = settings_.start, end = settings_.end;
  const StateNode previous = to_;
  const bool first = records_++ == 0;
  from_ = first ? node : previous;
  to_ = node;
  if (first || node.t - previous.t > settings_.max_gap) {
    if (segment_active_) {
      from_ = to_ = previous;
      end_segment(previous.t, Bound::gap);
    }
    from_ = to_ = node;
    if (node.t >= start && node.t <= end)
      start_segment(node.t, first || node.t == start ? Bound::start : Bound::gap);
  } else {
    const double lo = std::max(previous.t, start), hi = std::min(node.t, end);
    if (lo <= hi) {
      if (!segment_active_)
        start_segment(lo, Bound::start);
      search(lo, hi);
    }
  }
  // What goes on to the span's end is cut there, on a record or between
  // two.
  if (node.t >= end) {
    if (segment_active_)
      end_segment(end, Bound::end);
    release(std::numeric_limits<double>::infinity());
    done_ = true;
    return false;
  }
  return true;
}

void WindowSearch::finish() {
  if (done_)
    return;
  if (segment_active_)
    end_segment(std::min(to_.t, settings_.end), Bound::end);
  release(std::numeric_limits<double>::infinity());
  done_ = true;
}

void WindowSearch::search(double from, double to) {
  Geometry a = evaluate(from);
  while (a.t < to) {
    const double next = std::min(a.t + step_after(a), to);
    const Geometry b = evaluate(next);
    process_step(a, b);
    a = b;
  }
  last_ = a;
  have_last_ = true;
}

void WindowSearch::process_step(const Geometry &a, const Geometry &b) {
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
      const double thr = threshold(k, l.azimuth_deg, nullptr);
      const double rate =
          std::isfinite(l.elevation_rate) ? l.elevation_rate : l.sine_rate;
      return events::Sample{g.t, l.elevation_deg - thr, rate};
    };
    const auto elevation = [k](const Geometry &g) {
      return events::Sample{g.t, g.look[k].elevation_deg, g.look[k].sine_rate};
    };
    found.clear();
    if (settings_.mask[k] != nullptr) {
      masked_crossings(k, a, b, found);
    } else {
      events::Search crossings;
      crossings.maxima = crossings.minima = false;
      crossings.tolerance = kTolerance;
      events::step_events(above(a), above(b),
                          [&](double t) { return above(evaluate(t)); }, crossings, found);
    }
    events::Search culminations;
    culminations.crossings = culminations.minima = false;
    culminations.tolerance = kTolerance;
    events::step_events(elevation(a), elevation(b),
                        [&](double t) { return elevation(evaluate(t)); },
                        culminations, found);
    for (const events::Event &e : found)
      pending.push_back({e.at.t, k,
                         e.kind == events::EventKind::maximum ? Change::culmination
                         : e.kind == events::EventKind::rise  ? Change::rise
                                                              : Change::set});
  }
  if (settings_.gate != nullptr) {
    std::vector<double> changes;
    settings_.gate->changes(a.t, b.t, changes);
    bool open = gate_open_;
    for (const double t : changes) {
      open = !open;
      pending.push_back({t, kStationCount, open ? Change::gate_opens : Change::gate_closes});
    }
  }
  std::stable_sort(pending.begin(), pending.end(), [](const Pending &x, const Pending &y) {
    if (x.t != y.t)
      return x.t < y.t;
    if (x.station != y.station)
      return x.station < y.station;
    return x.change < y.change;
  });

  // Each instant's changes, then what they make of the combined streams.
  for (std::size_t i = 0; i < pending.size();) {
    const double t = pending[i].t;
    const Geometry g = evaluate(t);
    Bound opened_by = Bound::elevation, closed_by = Bound::elevation;
    for (; i < pending.size() && pending[i].t == t; ++i) {
      const Pending &p = pending[i];
      switch (p.change) {
      case Change::rise:
      case Change::set: {
        // What the station's edge crossed: its minimum elevation or its
        // mask, as the threshold at the instant's azimuth tells.
        const Look &look = g.look[p.station];
        Bound bound;
        threshold(p.station, look.azimuth_deg, &bound);
        set_visible(p.station, {t, look}, p.change == Change::rise, bound);
        (p.change == Change::rise ? opened_by : closed_by) = bound;
        break;
      }
      case Change::culmination: {
        Open &w = open_[p.station];
        if (w.open) {
          const WindowPoint at{t, g.look[p.station]};
          if (at.look.elevation_deg > w.best.look.elevation_deg)
            w.best = at;
          if (settings_.wanted[p.station])
            emit({p.station, w.pass, PassEventType::tca, at, Bound::elevation});
        }
        break;
      }
      case Change::gate_opens:
      case Change::gate_closes:
        set_gate(g, p.change == Change::gate_opens);
        opened_by = closed_by = Bound::day;
        break;
      }
    }
    combine(t, opened_by, closed_by);
  }
  last_ = b;
  have_last_ = true;
}

// The rises and sets of a station with a mask between two samples: where
// the elevation and the azimuth each keep the sense of their motion, the
// elevation's range against the threshold's over the azimuths swept tells
// whether the stretch can hold a crossing; one that can is halved, down to
// kMaskResolution, where a change of sign between the ends is refined.
void WindowSearch::masked_crossings(int k, const Geometry &a, const Geometry &b,
                                    std::vector<events::Event> &found) {
  const auto value = [this, k](const Geometry &g) {
    const Look &l = g.look[k];
    return events::Sample{g.t, l.elevation_deg - threshold(k, l.azimuth_deg, nullptr), 0.0};
  };
  const events::Sample va = value(a), vb = value(b);
  const Look &la = a.look[k], &lb = b.look[k];
  const bool defined = !std::isnan(va.value) && !std::isnan(vb.value);
  if (defined && la.sine_rate * lb.sine_rate > 0.0 &&
      la.azimuth_rate * lb.azimuth_rate > 0.0) {
    double mask_low, mask_high;
    if (la.azimuth_rate > 0.0)
      settings_.mask[k]->range(la.azimuth_deg, lb.azimuth_deg, mask_low, mask_high);
    else
      settings_.mask[k]->range(lb.azimuth_deg, la.azimuth_deg, mask_low, mask_high);
    const double minimum = settings_.min_elevation[k];
    const double low = std::min(la.elevation_deg, lb.elevation_deg);
    const double high = std::max(la.elevation_deg, lb.elevation_deg);
    if (high < std::max(minimum, mask_low) || low >= std::max(minimum, mask_high))
      return;
  }
  if (!defined || b.t - a.t <= kMaskResolution) {
    if (events::inside(va) != events::inside(vb)) {
      events::Search crossings;
      crossings.maxima = crossings.minima = false;
      crossings.tolerance = kTolerance;
      events::step_events(va, vb, [&](double t) { return value(evaluate(t)); }, crossings,
                          found);
    }
    return;
  }
  const Geometry m = evaluate(a.t + (b.t - a.t) / 2);
  masked_crossings(k, a, m, found);
  masked_crossings(k, m, b, found);
}

void WindowSearch::start_segment(double t, Bound bound) {
  segment_active_ = true;
  const Geometry g = evaluate(t);
  gate_open_ = settings_.gate == nullptr || settings_.gate->open_at(t);
  for (int k = 0; k < kStationCount; ++k) {
    if (!station_needed_[k])
      continue;
    const Look &l = g.look[k];
    visible_[k] = l.elevation_deg - threshold(k, l.azimuth_deg, nullptr) >= 0.0;
    see(k, visible_[k], t);
    if (visible_[k] && gate_open_)
      open_window(k, {t, l}, bound);
  }
  combine(t, bound, bound);
  last_ = g;
  have_last_ = true;
}

void WindowSearch::end_segment(double t, Bound bound) {
  const Geometry g = evaluate(t);
  for (int k = 0; k < kStationCount; ++k) {
    if (open_[k].open)
      close_window(k, {t, g.look[k]}, bound);
    visible_[k] = false;
    see(k, false, t);
  }
  combine(t, bound, bound);
  segment_active_ = false;
}

void WindowSearch::set_visible(int station, const WindowPoint &at, bool visible,
                               Bound bound) {
  visible_[station] = visible;
  see(station, visible, at.t);
  if (visible && gate_open_ && !open_[station].open)
    open_window(station, at, bound);
  else if (!visible && open_[station].open)
    close_window(station, at, bound);
}

void WindowSearch::set_gate(const Geometry &g, bool open) {
  gate_open_ = open;
  for (int k = 0; k < kStationCount; ++k) {
    if (!station_needed_[k] || !visible_[k])
      continue;
    const WindowPoint at{g.t, g.look[k]};
    if (open && !open_[k].open)
      open_window(k, at, Bound::day);
    else if (!open && open_[k].open)
      close_window(k, at, Bound::day);
  }
}

// A stream's passes: a pass begins when the stream comes to see the
// spacecraft, gate or no gate; one that ends at the instant it began is
// none.
void WindowSearch::see(int stream, bool seeing, double t) {
  Passes &p = passes_[stream];
  if (p.seeing == seeing)
    return;
  p.seeing = seeing;
  if (seeing) {
    ++p.count;
    p.since = t;
  } else if (p.since == t) {
    --p.count;
  }
}

// The combined streams after the changes of one instant: any is open while
// a station's window is, both while both are; their passes likewise from
// the stations'.
void WindowSearch::combine(double t, Bound opened_by, Bound closed_by) {
  see(kAny, passes_[kTs1].seeing || passes_[kTs2].seeing, t);
  see(kBoth, passes_[kTs1].seeing && passes_[kTs2].seeing, t);
  const bool any = open_[kTs1].open || open_[kTs2].open;
  const bool both = open_[kTs1].open && open_[kTs2].open;
  const WindowPoint at{t, Look{}};
  for (const auto &[stream, now] : {std::pair{kAny, any}, std::pair{kBoth, both}}) {
    if (!settings_.wanted[stream] || open_[stream].open == now)
      continue;
    if (now)
      open_window(stream, at, opened_by);
    else
      close_window(stream, at, closed_by);
  }
}

void WindowSearch::open_window(int stream, const WindowPoint &at, Bound bound) {
  Open &w = open_[stream];
  w.open = true;
  w.pass = passes_[stream].count;
  w.aos = w.best = at;
  w.aos_bound = bound;
  if (settings_.wanted[stream])
    emit({stream, w.pass, PassEventType::aos, at, bound});
}

void WindowSearch::close_window(int stream, const WindowPoint &at, Bound bound) {
  Open &w = open_[stream];
  w.open = false;
  if (!settings_.wanted[stream])
    return;
  // A window that closes at the instant it opened has no length: neither
  // it nor its events are listed.
  if (at.t == w.aos.t) {
    held_.erase(std::remove_if(held_.begin(), held_.end(),
                               [&](const PassEvent &e) {
                                 return e.stream == stream && e.at.t == at.t;
                               }),
                held_.end());
    return;
  }
  if (at.look.elevation_deg > w.best.look.elevation_deg)
    w.best = at;
  emit({stream, w.pass, PassEventType::los, at, bound});
  sink_.window({stream, w.pass, w.aos, w.best, at, w.aos_bound, bound});
}

// Events reach the sink in time order once the search has moved past
// their instant.
void WindowSearch::emit(const PassEvent &e) {
  release(e.at.t);
  held_.push_back(e);
}

void WindowSearch::release(double before) {
  std::size_t n = 0;
  while (n < held_.size() && held_[n].at.t < before)
    sink_.event(held_[n++]);
  held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(n));
}

} // namespace tracking
