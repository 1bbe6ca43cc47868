// pass_search.h - when the tracking stations see the spacecraft: the
// search of passwindows along a stream of orbit records (the visibility
// library).
#ifndef KIT_ORBIT_PASS_SEARCH_H
#define KIT_ORBIT_PASS_SEARCH_H

#include <limits>
#include <vector>

#include "crossing_search.h"
#include "horizon_mask.h"
#include "interpolation.h"
#include "interval_source.h"
#include "limit_terms.h"
#include "look_angles.h"
#include "novas_kit.h"
#include "pass_streams.h"
#include "station_visibility.h"

namespace tracking {

struct SearchSettings {
  double min_elevation[kStationCount] = {0.0, 0.0};  // degrees
  const HorizonMask *mask[kStationCount] = {nullptr, nullptr};
  double max_gap = 3600.0;                            // seconds
  double start = -std::numeric_limits<double>::infinity();
  double end = std::numeric_limits<double>::infinity();
  bool wanted[kStreamCount] = {true, true, false, false};
  // The antennas whose windows on the spacecraft seen from TS1 to list.
  bool antennas[limits::kAntennaCount] = {false, false, false};
  windows::Gate *gate = nullptr; // none: every instant may hold a window
  // A track: the geometry at track_start + k track_step (k = 0, 1, ...)
  // wherever the records cover it, handed to WindowSink::track (0: none;
  // track_start not finite: the first record).
  double track_step = 0.0;
  double track_start = std::numeric_limits<double>::quiet_NaN();
};

// ---------------------------------------------------------------------------
// PassSearch: the windows of a stream of records.
//
// A window of a station is a maximal stretch of the search span, within
// the records and no gap, where the spacecraft's elevation is at or above
// the station's threshold (Visibility) and, with a gate, the gate is open;
// any, both and the gate are combinations of these constraints
// (PassStreams).  A window has a length: an instant alone (an isolated
// record, a span of one instant) makes none, and every aos event has its
// los.
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
// until Visibility::may_cross tells that no crossing lies in it, or it is
// a quarter of a second long: any stretch of a quarter of a second or more
// in view is found, however narrow the mask's notch, at a cost that grows
// with the mask's detail only where it meets the spacecraft's elevation.
// The geometry of each instant found is kept for the step and handed on
// with it, not computed again.
//
// The stations are rotated at each instant with the orbit report's
// rotation along a stream of dates (ter2cel_batch); at a record the Julian
// date is the record's own, as passrange forms it, and between records the
// one formed in the same way from the instant's calendar.
// Throws kit::Failure when the Earth's rotation fails.
// ---------------------------------------------------------------------------
class PassSearch {
public:
  PassSearch(const SearchSettings &settings, WindowSink &sink);

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

  Geometry evaluate(double t);
  double step_after(const Geometry &g) const;
  void search(double from, double to);
  void process_step(const Geometry &a, const Geometry &b);
  void masked_crossings(int station, const Geometry &a, const Geometry &b,
                        std::vector<events::Event> &found);
  void start_segment(double t, windows::Bound bound);
  void end_segment(double t, windows::Bound bound);
  void limit_terms(int antenna, const Geometry &g, limits::LimitTerm (&terms)[limits::kMaxTerms]) const;
  void track_until(double from, double to);

  SearchSettings settings_;
  WindowSink &sink_;
  Visibility visibility_[kStationCount];
  bool station_needed_[kStationCount];
  PassStreams streams_;
  ter2cel_stream rotation_stream_;
  bool done_ = false;
  std::size_t evaluations_ = 0;

  StateNode from_{}, to_{}; // the interval interpolated
  int records_ = 0;
  bool segment_active_ = false;
  // The geometry computed since the current step began, its latest last.
  std::vector<Geometry> computed_;
  // The track's next instant: track_start + next_track_ track_step.
  double track_start_ = 0.0;
  long long next_track_ = 0;
};

} // namespace tracking

#endif
