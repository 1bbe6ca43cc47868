// source_search.h - when the antennas can point at celestial sources: the
// search of sourcewindows over a span of time (the source_search library).
#ifndef KIT_SOURCES_SOURCE_SEARCH_H
#define KIT_SOURCES_SOURCE_SEARCH_H

#include <deque>
#include <vector>

#include "catalog.h"
#include "interval_source.h"
#include "sky.h"
#include "source_streams.h"

namespace sources {

struct SourceSettings {
  Site sites[limits::kAntennaCount] = {kObservingSite, kObservingSite, kMountSite};
  short int ref_option = 1; // equ2hor's: 1 the standard atmosphere, 0 none
  bool wanted[kSourceStreams] = {true, true, true, false, false};
  double start = 0.0, end = 0.0;          // Unix seconds
  windows::Gate *gates[kGates] = {nullptr, nullptr}; // the nights, the tracking
  double step = 3600.0;                   // seconds between samples
};

// ---------------------------------------------------------------------------
// SourceSearch: the windows of every source over [start, end].
//
// A window of a source and an antenna is a maximal stretch of the span in
// which the antenna's checker, given the source's pointing from the
// antenna's site (Sky), accepts it: each of its limits a constraint
// (limits::antenna_terms), all of them at once; all, any and the gates are
// combinations of these (SourceStreams).
//
// How it searches: every source is sampled at every site once an hour (all
// the sources at one date at a time); between two samples each limit's
// margin and the altitude are handed to events::step_events, a change of
// sign of a rate bracketing an extremum that splits the step, a change of
// sign of a margin a crossing, each refined to a microsecond.  A margin's
// extrema for a source fixed on the sky lie hours apart (the altitude's at
// its culminations, the azimuth's cosine-weighted margin's at the meridian
// and near the prime vertical, the hour angle's at the meridians), so an
// hour's step holds one at most, and a window or a gap of any length is
// found.  Culminations (the altitude's maxima) give each antenna window its
// highest altitude.  The gates' edges within a step are taken in with the
// rest.  Memory holds the sources and their open windows, whatever the
// span.  Throws kit::Failure when a place fails.
// ---------------------------------------------------------------------------
class SourceSearch {
public:
  SourceSearch(const std::vector<Source> &sources, const SourceSettings &settings,
               SourceSink &sink);
  void run();

private:
  void step(double a, double b);
  void instant(double t, std::vector<int> &touched);
  double reach(int antenna, const char *bound, double seconds) const;

  SourceSettings settings_;
  std::vector<Site> sites_;                  // the distinct sites
  int site_of_[limits::kAntennaCount];       // each antenna's among them
  bool antenna_needed_[limits::kAntennaCount];
  Sky sky_;
  windows::EventHold<SourceEvent> held_;
  std::deque<SourceStreams> streams_;      // (they point into themselves: never moved)
  std::vector<std::vector<Pointed>> at_a_, at_b_; // [site][source]
  double max_refraction_[limits::kAntennaCount];   // degrees, at each site
  bool mount_at_its_latitude_;
  double own_motion_; // degrees per second, the fastest source's
};

} // namespace sources

#endif
