// night_gate.cpp - the nights as windows for a search's gate.
#include "night_gate.h"

#include <algorithm>

#include "failure.h"

namespace {

windows::Bound bound_of(NightBound b) {
  switch (b) {
  case NightBound::start:
    return windows::kStart;
  case NightBound::end:
    return windows::kEnd;
  case NightBound::sunset:
  case NightBound::sunrise:
    break;
  }
  return windows::kDay;
}

} // namespace

void NightSource::reach(double t) {
  if (!search_) {
    // The nights are searched as far as the ephemeris serves when `end`
    // lies beyond: only an instant asked about must be served.
    const double end = std::min(end_, kLastNightInstant);
    const std::string problem = night_span_problem(t, std::max(t, end));
    if (!problem.empty())
      throw kit::Failure(option_ + ": " + problem);
    search_.emplace(t, end);
    searched_to_ = end;
  }
  if (t > searched_to_)
    throw kit::Failure(option_ + ": " + night_span_problem(t, t));
}

bool NightSource::next(windows::Interval &w) {
  Night n;
  if (!search_ || !search_->next(n))
    return false;
  w = {{n.start, bound_of(n.start_bound)}, {n.end, bound_of(n.end_bound)}, 0};
  return true;
}
