// source_streams.cpp - sourcewindows' constraints combined into its windows.
#include "source_streams.h"

#include <cmath>
#include <string>

namespace sources {

const char kTrack[] = "track";

namespace {

using windows::Combination;

// An antenna's change as all and any take it: a limit's bound prefixed by
// the antenna ("polar:hour-angle"); the span's own ends as they are.
windows::Change named(int antenna, windows::Change c) {
  if (c.changed && c.bound != nullptr && c.bound != windows::kStart && c.bound != windows::kEnd)
    c.bound = windows::intern(std::string(limits::kAntennaNames[antenna]) + ":" + c.bound);
  return c;
}

} // namespace

SourceStreams::SourceStreams(int source, const bool (&wanted)[kSourceStreams],
                             const bool (&gated)[kGates], windows::EventHold<SourceEvent> &held,
                             SourceSink &sink)
    : source_(source), held_(held), sink_(sink), all_(Combination::Op::all, limits::kAntennaCount),
      any_(Combination::Op::any, limits::kAntennaCount),
      cut_(kSourceStreams, Combination(Combination::Op::all, kGates + 1)) {
  for (int a = 0; a < limits::kAntennaCount; ++a)
    antennas_.emplace_back(Combination::Op::all,
                           limits::term_count(static_cast<limits::Antenna>(a)) + 1);
  for (int s = 0; s < kSourceStreams; ++s) {
    wanted_[s] = wanted[s];
    pieces_[s].count_passes_of(&passes_[s]);
    // A gate that is not there lets everything through.
    for (int g = 0; g < kGates; ++g)
      if (!gated[g])
        cut_[static_cast<std::size_t>(s)].set(g, true, nullptr);
  }
}

void SourceStreams::limit(int antenna, int term, bool inside, windows::Bound bound) {
  limits_.push_back({antenna, term, inside, bound});
}

void SourceStreams::coverage(bool inside, windows::Bound bound) { coverage_ = {true, inside, bound}; }

void SourceStreams::gate(int gate, bool inside, windows::Bound bound) {
  gates_[gate] = {true, inside, bound};
}

void SourceStreams::culmination(int antenna) { culminates_[antenna] = true; }

void SourceStreams::end_instant(double t, const std::function<Pointed(int)> &pointing) {
  for (const LimitChange &c : limits_)
    antennas_[static_cast<std::size_t>(c.antenna)].set(c.term, c.inside, c.bound);
  windows::Change s[kSourceStreams];
  for (int a = 0; a < limits::kAntennaCount; ++a) {
    Combination &antenna = antennas_[static_cast<std::size_t>(a)];
    // The span last: its ends name the edges they make.
    antenna.take(limits::term_count(static_cast<limits::Antenna>(a)), coverage_);
    s[a] = antenna.settle();
    all_.take(a, named(a, s[a]));
    any_.take(a, named(a, s[a]));
  }
  s[kAllAntennas] = all_.settle();
  s[kAnyAntenna] = any_.settle();

  for (int k = 0; k < kSourceStreams; ++k) {
    passes_[k].change(t, s[k]);
    Combination &cut = cut_[static_cast<std::size_t>(k)];
    // The gates first: an edge they make at the instant the stream makes
    // one (the span's start in a night) is the stream's.
    for (int g = 0; g < kGates; ++g)
      cut.take(g, gates_[g]);
    cut.take(kGates, s[k]);
    const windows::Stream::Event e = pieces_[k].change(t, cut.settle());
    if (!wanted_[k])
      continue;
    const bool antenna = k < limits::kAntennaCount;
    const bool changed = e != windows::Stream::Event::none;
    const bool culminates = antenna && culminates_[k] && (pieces_[k].open() || changed);
    if (!changed && !culminates)
      continue;
    const double nan = std::nan("");
    SourcePoint at{t, nan, nan};
    if (antenna) {
      const Pointed p = pointing(k);
      at.altitude = p.altitude;
      at.azimuth = p.azimuth;
    }
    Open &w = open_[k];
    const windows::Interval &window = pieces_[k].window();
    const auto higher = [](const SourcePoint &best, const SourcePoint &p) {
      return p.altitude > best.altitude ? p : best;
    };
    if (e == windows::Stream::Event::opened) {
      w.start = w.highest = at;
      w.start_bound = window.start.bound;
      held_.emit(t, {source_, k, window.pass, SourceEventType::start, at, window.start.bound});
    }
    if (culminates) {
      w.highest = higher(w.highest, at);
      held_.emit(t, {source_, k, window.pass, SourceEventType::culmination, at, nullptr});
    }
    if (e == windows::Stream::Event::dropped) {
      const int source = source_;
      held_.drop([source, k, t](double when, const SourceEvent &x) {
        return x.source == source && x.stream == k && when == t;
      });
    } else if (e == windows::Stream::Event::closed) {
      w.highest = higher(w.highest, at);
      held_.emit(t, {source_, k, window.pass, SourceEventType::end, at, window.end.bound});
      sink_.window({source_, k, window.pass, w.start, w.highest, at, w.start_bound, window.end.bound});
    }
  }
  limits_.clear();
  coverage_ = windows::Change{};
  for (windows::Change &g : gates_)
    g = windows::Change{};
  for (bool &c : culminates_)
    c = false;
}

} // namespace sources
