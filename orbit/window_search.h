// window_search.h - when the tracking stations see the spacecraft: the
// search of passwindows over a stream of orbit records.
#ifndef KIT_ORBIT_WINDOW_SEARCH_H
#define KIT_ORBIT_WINDOW_SEARCH_H

#include <limits>
#include <vector>

#include "crossing_search.h"
#include "horizon_mask.h"
#include "interpolation.h"
#include "look_angles.h"
#include "novas_kit.h"

namespace tracking {

// What set a window's edge.
enum class Bound {
  elevation, // the elevation crossed the minimum elevation
  mask,      // the elevation crossed the horizon mask, above the minimum
  start,     // the search span's start, or the orbit's first record
  end,       // the search span's end, or the orbit's last record
  gap,       // records too far apart to interpolate across
  day        // the site's night began or ended
};
const char *bound_name(Bound bound);

// The window streams: each station's, and those where at least one of them
// (any) or both see the spacecraft.
enum Stream { kTs1 = 0, kTs2 = 1, kAny = 2, kBoth = 3 };
inline constexpr int kStreamCount = 4;
inline constexpr const char *kStreamNames[kStreamCount] = {"TS1", "TS2", "any", "both"};

// An instant of a window, with the spacecraft as the station sees it
// (unset for any and both).
struct WindowPoint {
  double t;
  Look look;
};

struct Window {
  int stream;
  int pass;        // the stream's passes counted from 1: the stretches in
                   // which it sees the spacecraft, whatever the gate keeps
                   // of them (the parts of one pass share its number)
  WindowPoint aos; // acquisition of signal: the first instant
  WindowPoint tca; // the highest elevation (TS1 and TS2 only)
  WindowPoint los; // loss of signal: the last instant
  Bound aos_bound, los_bound;
};

enum class PassEventType { aos, tca, los };

struct PassEvent {
  int stream;
  int pass;
  PassEventType type;
  WindowPoint at;
  Bound bound; // what set an aos or a los (unused for a tca)
};

// Where a window may lie beside the stations' view: the site's nights.
class Gate {
public:
  virtual ~Gate() = default;
  // Whether the gate is open at an instant.
  virtual bool open_at(double t) = 0;
  // Appends the instants of (from, to] at which it opens or closes, in
  // order.
  virtual void changes(double from, double to, std::vector<double> &out) = 0;
};

struct SearchSettings {
  double min_elevation[kStationCount] = {0.0, 0.0};  // degrees
  const HorizonMask *mask[kStationCount] = {nullptr, nullptr};
  double max_gap = 3600.0;                            // seconds
  double start = -std::numeric_limits<double>::infinity();
  double end = std::numeric_limits<double>::infinity();
  bool wanted[kStreamCount] = {true, true, false, false};
  Gate *gate = nullptr; // none: every instant may hold a window
};

// Receives the search's results as they become known: a window when it
// ends, an event when it happens (events in time order).
class WindowSink {
public:
  virtual ~WindowSink() = default;
  virtual void window(const Window &w) = 0;
  virtual void event(const PassEvent &e) = 0;
};

// ---------------------------------------------------------------------------
// WindowSearch: the windows of a stream of records.
//
// A window of a station is a maximal stretch of the search span, within
// the records and no gap, where the spacecraft's elevation is at or above
// the station's threshold (the larger of its minimum elevation and its
// mask at the spacecraft's azimuth) and, with a gate, the gate is open.
// A window has a length: an instant alone (an isolated record, a span of
// one instant) makes none, and every aos event has its los.
//
// How it searches, record interval by record interval: the geometry is
// sampled at every record and between records at steps of at most a tenth
// of a radian of the line of sight's turn in the station's horizon, never
// shorter than a millisecond.  In each step the elevation above the
// threshold, and the elevation itself, are handed to events::step_events:
// a change of sign of a rate brackets an extremum, which is refined and
// splits the step; a change of sign of the elevation above the threshold
// brackets a rise or a set, refined to 1 microsecond.  A window whose
// elevation rises and falls within one step (a rate that changes sign
// twice between two samples) could be missed; at a tenth of a radian of
// turn a step is far shorter than any pass.  With a mask, a step is halved
// until the elevation and the mask over the azimuths it sweeps tell that
// no crossing lies in it, or it is a quarter of a second long: any stretch
// of a quarter of a second or more in view is found, however narrow the
// mask's notch, at a cost that grows with the mask's detail only where it
// meets the spacecraft's elevation.
//
// The stations are rotated at each instant with the orbit report's
// rotation along a stream of dates (ter2cel_batch); at a record the Julian
// date is the record's own, as passrange forms it, and between records the
// one formed in the same way from the instant's calendar.
// ---------------------------------------------------------------------------
class WindowSearch {
public:
  WindowSearch(const SearchSettings &settings, WindowSink &sink);

  // The next record, later than the one before.  Returns false once no
  // later record can matter (this one lies at or beyond the span's end).
  bool add(const StateNode &node);

  // The orbit ends: what is open closes at the last record (or at the
  // span's end before it), bound end.  Does nothing once add() returned
  // false.
  void finish();

  // How many instants the geometry was computed at so far.
  std::size_t evaluations() const { return evaluations_; }

private:
  struct Geometry {
    double t;
    Look look[kStationCount];
  };
  struct Open {
    bool open = false;
    int pass = 0;
    WindowPoint aos{}, best{};
    Bound aos_bound = Bound::start;
  };
  // A stream's passes: whether it sees the spacecraft, gate or no gate,
  // since when, and how many passes it has had.
  struct Passes {
    bool seeing = false;
    double since = 0.0;
    int count = 0;
  };

  Geometry evaluate(double t);
  double step_after(const Geometry &g) const;
  double threshold(int station, double azimuth, Bound *bound) const;
  void search(double from, double to);
  void process_step(const Geometry &a, const Geometry &b);
  void masked_crossings(int station, const Geometry &a, const Geometry &b,
                        std::vector<events::Event> &found);
  void see(int stream, bool seeing, double t);
  void emit(const PassEvent &e);
  void release(double before);
  void start_segment(double t, Bound bound);
  void end_segment(double t, Bound bound);
  void open_window(int stream, const WindowPoint &at, Bound bound);
  void close_window(int stream, const WindowPoint &at, Bound bound);
  void set_visible(int station, const WindowPoint &at, bool visible, Bound bound);
  void set_gate(const Geometry &g, bool open);
  void combine(double t, Bound opened_by, Bound closed_by);

  SearchSettings settings_;
  WindowSink &sink_;
  bool station_needed_[kStationCount];
  ter2cel_stream rotation_stream_;
  bool done_ = false;
  std::size_t evaluations_ = 0;

  StateNode from_{}, to_{}; // the interval interpolated
  int records_ = 0;
  bool segment_active_ = false;
  Geometry last_{};
  bool have_last_ = false;

  bool visible_[kStationCount] = {false, false};
  bool gate_open_ = true;
  Open open_[kStreamCount];
  Passes passes_[kStreamCount];
  // Events of the latest instant, held until the search moves past it so
  // that a window of no length leaves none.
  std::vector<PassEvent> held_;
};

} // namespace tracking

#endif
