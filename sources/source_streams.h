// source_streams.h - sourcewindows' windows made of its constraints: each
// antenna's limits on a source's pointing, all and any of the antennas,
// the span, and the gates (the site's nights, the spacecraft's tracking),
// combined through the windows library (the source_search library).
#ifndef KIT_SOURCES_SOURCE_STREAMS_H
#define KIT_SOURCES_SOURCE_STREAMS_H

#include <functional>
#include <vector>

#include "bound.h"
#include "combination.h"
#include "event_hold.h"
#include "limit_terms.h"
#include "sky.h"

namespace sources {

// The window streams of a source: each antenna's (limits::Antenna), all
// (all three at once: a joint observation) and any (at least one).
inline constexpr int kAllAntennas = limits::kAntennaCount;
inline constexpr int kAnyAntenna = limits::kAntennaCount + 1;
inline constexpr int kSourceStreams = limits::kAntennaCount + 2;
inline constexpr const char *kSourceStreamNames[kSourceStreams] = {"azel", "elev", "polar", "all",
                                                                   "any"};

// The gates a source's windows are cut by.
enum GateIndex { kNightGate = 0, kTrackGate = 1 };
inline constexpr int kGates = 2;

// What sets an edge where a gate cuts a window: the site's day began, the
// spacecraft's tracking ended.
extern const char kTrack[]; // "track"

// An edge or culmination of a window, with the source as its antenna sees
// it there (not a number for all and any, which no one antenna sees).
struct SourcePoint {
  double t;
  double altitude, azimuth;
};

struct SourceWindow {
  int source, stream, number; // number: the stream's windows of the source
                              // counted from 1, before the gates cut them
                              // (the parts of one share its number)
  SourcePoint start, highest, end;
  windows::Bound start_bound, end_bound;
};

enum class SourceEventType { start, culmination, end };

struct SourceEvent {
  int source, stream, number;
  SourceEventType type;
  SourcePoint at;
  windows::Bound bound; // what set a start or an end; null for a culmination
};

class SourceSink {
public:
  virtual ~SourceSink() = default;
  virtual void window(const SourceWindow &w) = 0;
  virtual void event(const SourceEvent &e) = 0;
};

// ---------------------------------------------------------------------------
// SourceStreams: one source's constraints' changes, instant by instant,
// made into windows.
//
//   antenna a = all of a's limits (limits::antenna_terms)  AND  the span
//   all       = azel AND elev AND polar      any = azel OR elev OR polar
//               (their edges named "antenna:bound", "polar:hour-angle")
//   stream s  = s AND the night AND the tracking (each when there is one)
//
// At each instant, give the changes (limit(), coverage(), gate(),
// culmination()), then end_instant() with a way to the pointing there,
// which it asks for only when an edge or a culmination of a stream it lists
// needs it.  A window of no length is dropped with its events.
// ---------------------------------------------------------------------------
class SourceStreams {
public:
  SourceStreams(int source, const bool (&wanted)[kSourceStreams], const bool (&gated)[kGates],
                windows::EventHold<SourceEvent> &held, SourceSink &sink);
  SourceStreams(const SourceStreams &) = delete;
  SourceStreams &operator=(const SourceStreams &) = delete;

  void limit(int antenna, int term, bool inside, windows::Bound bound);
  void coverage(bool inside, windows::Bound bound);
  void gate(int gate, bool inside, windows::Bound bound);
  void culmination(int antenna);
  void end_instant(double t, const std::function<Pointed(int antenna)> &pointing);

private:
  struct Open {
    SourcePoint start{}, highest{};
    windows::Bound start_bound = nullptr;
  };
  struct LimitChange {
    int antenna, term;
    bool inside;
    windows::Bound bound;
  };

  int source_;
  bool wanted_[kSourceStreams];
  windows::EventHold<SourceEvent> &held_;
  SourceSink &sink_;
  std::vector<windows::Combination> antennas_; // an antenna's limits and the span
  windows::Combination all_, any_;
  std::vector<windows::Combination> cut_;      // the gates and a stream
  windows::Stream passes_[kSourceStreams], pieces_[kSourceStreams];
  Open open_[kSourceStreams];
  std::vector<LimitChange> limits_;
  windows::Change coverage_;
  windows::Change gates_[kGates];
  bool culminates_[limits::kAntennaCount] = {false, false, false};
};

} // namespace sources

#endif
