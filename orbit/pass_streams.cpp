// pass_streams.cpp - passwindows' constraints combined into its windows.
#include "pass_streams.h"

#include <algorithm>
#include <limits>

namespace tracking {

using windows::Combination;

namespace {

// The higher of two points; the earlier when they are as high.
const WindowPoint &higher(const WindowPoint &best, const WindowPoint &at) {
  return at.look.elevation_deg > best.look.elevation_deg ? at : best;
}

} // namespace

PassStreams::PassStreams(const bool (&wanted)[kAllStreams], bool gated, WindowSink &sink)
    : gated_(gated), sink_(sink),
      view_{Combination(Combination::Op::all, 2), Combination(Combination::Op::all, 2)},
      any_(Combination::Op::any, 2), both_(Combination::Op::all, 2),
      cut_(kAllStreams, Combination(Combination::Op::all, 2)),
      held_([&sink](const PassEvent &e) { sink.event(e); }) {
  for (int a = 0; a < limits::kAntennaCount; ++a)
    limits_.emplace_back(Combination::Op::all, limits::term_count(static_cast<limits::Antenna>(a)) + 1);
  for (int s = 0; s < kAllStreams; ++s) {
    wanted_[s] = wanted[s];
    // An antenna's windows lie in TS1's passes, and are numbered by them.
    const windows::Stream *passes = s >= kAntennaStream ? &passes_[kTs1] : &passes_[s];
    pieces_[s].count_passes_of(passes);
    if (s >= kAntennaStream)
      passes_[s].count_passes_of(passes);
  }
}

void PassStreams::limit(int antenna, int term, bool inside, windows::Bound bound) {
  limits_changed_.push_back({antenna, term, inside, bound});
}

void PassStreams::station(int k, bool inside, windows::Bound bound) {
  stations_.push_back({k, inside, bound});
}

void PassStreams::coverage(bool inside, windows::Bound bound) { coverage_ = {true, inside, bound}; }

void PassStreams::gate(bool inside, windows::Bound bound) { gate_ = {true, inside, bound}; }

void PassStreams::culmination(int k) { culminates_[k] = true; }

void PassStreams::end_instant(double t, const Look (&looks)[kStationCount]) {
  // The views: a station's change, then the coverage's, so that a
  // segment's edges are named by the coverage.
  for (const StationChange &c : stations_)
    view_[c.k].set(0, c.inside, c.bound);
  windows::Change s[kStreamCount];
  for (int k = 0; k < kStationCount; ++k) {
    view_[k].take(1, coverage_);
    s[k] = view_[k].settle();
    any_.take(k, s[k]);
    both_.take(k, s[k]);
  }
  s[kAny] = any_.settle();
  s[kBoth] = both_.settle();
  // The antennas: their limits' changes, then TS1's view, so that an edge
  // of TS1's view (a segment's, the minimum elevation's) is named by it.
  windows::Change all[kAllStreams];
  std::copy(s, s + kStreamCount, all);
  for (const LimitChange &c : limits_changed_)
    limits_[static_cast<std::size_t>(c.antenna)].set(c.term, c.inside, c.bound);
  for (int a = 0; a < limits::kAntennaCount; ++a) {
    windows::Combination &l = limits_[static_cast<std::size_t>(a)];
    l.take(limits::term_count(static_cast<limits::Antenna>(a)), s[kTs1]);
    all[kAntennaStream + a] = l.settle();
  }

  for (int k = 0; k < kAllStreams; ++k) {
    const windows::Stream::Event pass = passes_[k].change(t, all[k]);
    windows::Stream::Event e = pass;
    const windows::Stream *stream = &passes_[k];
    if (gated_) {
      // The gate first: an edge the gate and the stream make at one
      // instant is the stream's (a segment that starts in a night).
      cut_[k].take(0, gate_);
      cut_[k].take(1, all[k]);
      e = pieces_[k].change(t, cut_[k].settle());
      stream = &pieces_[k];
    }
    if (!wanted_[k])
      continue;
    const int of = station_of(k);
    const bool station = of >= 0;
    const WindowPoint at{t, station ? looks[of] : Look{}};
    Open &w = open_[k];
    const windows::Interval &window = stream->window();
    if (e == windows::Stream::Event::opened) {
      w.aos = w.best = at;
      w.aos_bound = window.start.bound;
      held_.emit(t, {k, window.pass, PassEventType::aos, at, window.start.bound});
    }
    const bool changed = e != windows::Stream::Event::none;
    const bool was_open = changed ? !stream->open() : stream->open();
    if (station && culminates_[of] && (stream->open() || was_open)) {
      w.best = higher(w.best, at);
      held_.emit(t, {k, window.pass, PassEventType::tca, at, nullptr});
    }
    if (e == windows::Stream::Event::dropped) {
      // A window that closed at the instant it opened: neither it nor its
      // events are listed.
      held_.drop([k, t](double at, const PassEvent &p) { return p.stream == k && at == t; });
    } else if (e == windows::Stream::Event::closed) {
      w.best = higher(w.best, at);
      held_.emit(t, {k, window.pass, PassEventType::los, at, window.end.bound});
      sink_.window({k, window.pass, w.aos, w.best, at, w.aos_bound, window.end.bound});
    }
  }
  stations_.clear();
  limits_changed_.clear();
  coverage_ = gate_ = windows::Change{};
  culminates_[0] = culminates_[1] = false;
}

void PassStreams::release_all() { held_.release_all(); }

} // namespace tracking
