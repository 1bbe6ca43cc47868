// pass_streams.h - passwindows' windows made of its constraints: each
// station's view cut by the orbit's coverage, their union (any) and their
// intersection (both), each cut by a gate (the site's nights) when there
// is one, combined through the windows library (the visibility library).
#ifndef KIT_ORBIT_PASS_STREAMS_H
#define KIT_ORBIT_PASS_STREAMS_H

#include <vector>

#include "bound.h"
#include "combination.h"
#include "event_hold.h"
#include "limit_terms.h"
#include "look_angles.h"

namespace tracking {

// The window streams: each station's, and those where at least one of them
// (any) or both see the spacecraft.
enum StreamIndex { kTs1 = 0, kTs2 = 1, kAny = 2, kBoth = 3 };
inline constexpr int kStreamCount = 4;
inline constexpr const char *kStreamNames[kStreamCount] = {"TS1", "TS2", "any", "both"};

// The antennas' streams follow the stations': stream kAntennaStream + a is
// antenna a (limits::Antenna) on the spacecraft seen from TS1, where the
// antennas stand.
inline constexpr int kAntennaStream = kStreamCount;
inline constexpr int kAllStreams = kStreamCount + limits::kAntennaCount;

// The station of a stream's geometry (TS1 for the antennas), or -1 for the
// combined streams.
inline int station_of(int stream) {
  return stream < kStationCount ? stream : stream >= kAntennaStream ? kTs1 : -1;
}

// An instant of a window, with the spacecraft as the station sees it
// (unset for any and both).
struct WindowPoint {
  double t;
  Look look;
};

struct Window {
  int stream;      // StreamIndex, or kAntennaStream + an antenna
  int pass;        // the stream's passes counted from 1: the stretches in
                   // which it sees the spacecraft, whatever the gate keeps
                   // of them (the parts of one pass share its number)
  WindowPoint aos; // acquisition of signal: the first instant
  WindowPoint tca; // the highest elevation (TS1 and TS2 only)
  WindowPoint los; // loss of signal: the last instant
  windows::Bound aos_bound, los_bound;
};

enum class PassEventType { aos, tca, los };

struct PassEvent {
  int stream;
  int pass;
  PassEventType type;
  WindowPoint at;
  windows::Bound bound; // what set an aos or a los; null for a tca
};

// Receives the windows as they become known: a window when it ends, an
// event when the search has moved past its instant (events in time order),
// and the geometry at the instants of a track.
class WindowSink {
public:
  virtual ~WindowSink() = default;
  virtual void window(const Window &w) = 0;
  virtual void event(const PassEvent &e) = 0;
  virtual void track(double /*t*/, const Look (& /*looks*/)[kStationCount]) {}
};

// ---------------------------------------------------------------------------
// PassStreams: the constraints' changes, instant by instant, made into
// windows.
//
//   view k   = station k's visibility  AND  the coverage      (k = TS1, TS2)
//   any      = view TS1  OR  view TS2
//   both     = view TS1  AND view TS2
//   antenna a = antenna a's limits, each a term (limits::antenna_terms),
//              all AND view TS1
//   stream s = s, or with a gate:  gate AND s
//
// The passes of a stream are the windows of s before the gate (of view TS1
// for an antenna): the parts of one pass that the gate or the limits keep
// share its number.  A window of no length
// (opened and closed at one instant: an isolated record) is dropped with
// its events.  At each instant, give the changes (station(), coverage(),
// gate(), culmination()), then end_instant() with the geometry there; the
// edges' bounds are those of the changes that made them (a segment's edges
// the coverage's, the gate's its own, otherwise the station's).
// ---------------------------------------------------------------------------
class PassStreams {
public:
  // wanted: the streams to list, kAllStreams of them (antennas included).
  PassStreams(const bool (&wanted)[kAllStreams], bool gated, WindowSink &sink);
  PassStreams(const PassStreams &) = delete;
  PassStreams &operator=(const PassStreams &) = delete;

  void station(int k, bool inside, windows::Bound bound);
  void limit(int antenna, int term, bool inside, windows::Bound bound);
  void coverage(bool inside, windows::Bound bound);
  void gate(bool inside, windows::Bound bound);
  void culmination(int k);
  void end_instant(double t, const Look (&looks)[kStationCount]);

  // Hands the events still held to the sink.
  void release_all();

private:
  struct Open {
    WindowPoint aos{}, best{};
    windows::Bound aos_bound = nullptr;
  };

  bool wanted_[kAllStreams];
  bool gated_;
  WindowSink &sink_;
  windows::Combination view_[kStationCount];
  windows::Combination any_, both_;
  std::vector<windows::Combination> limits_; // an antenna's terms and view TS1
  std::vector<windows::Combination> cut_;    // the gate and a stream
  windows::Stream passes_[kAllStreams], pieces_[kAllStreams];
  Open open_[kAllStreams];
  // This instant's changes.
  struct StationChange {
    int k;
    bool inside;
    windows::Bound bound;
  };
  std::vector<StationChange> stations_;
  struct LimitChange {
    int antenna, term;
    bool inside;
    windows::Bound bound;
  };
  std::vector<LimitChange> limits_changed_;
  windows::Change coverage_, gate_;
  bool culminates_[kStationCount] = {false, false};
  // Events of the latest instants, held until the search moves past them
  // so that a window of no length leaves none.
  windows::EventHold<PassEvent> held_;
};

} // namespace tracking

#endif
