// night_gate.h - the site's nights as windows a search pulls as it goes:
// the nights of passwindows --night and sourcewindows --night (the nights
// library).
#ifndef KIT_DAYNIGHT_NIGHT_GATE_H
#define KIT_DAYNIGHT_NIGHT_GATE_H

#include <optional>
#include <string>

#include "interval_source.h"
#include "night_search.h"

// ---------------------------------------------------------------------------
// NightSource: the nights from the first instant a search asks about to
// `end` (infinite, or beyond the solar ephemeris: as far as it serves), as
// windows: an edge that the Sun sets is named "day" (the site's day begins
// or ends there), an edge where the span cuts a night "start" or "end".
//
// Throws kit::Failure, with `option`'s name before the reason, for an
// instant asked about outside the solar ephemeris.
// ---------------------------------------------------------------------------
class NightSource : public windows::IntervalSource {
public:
  NightSource(double end, std::string option) : end_(end), option_(std::move(option)) {}
  void reach(double t) override;
  bool next(windows::Interval &w) override;

private:
  double end_;
  std::string option_;
  std::optional<NightSearch> search_;
  double searched_to_ = 0.0;
};

#endif
