// crossing_search.h - when a function of time crosses zero, and where its
// extrema lie: each step between two samples bracketed by a change of sign,
// and refined with TOMS Algorithm 748 (the events library).
#ifndef KIT_EVENTS_CROSSING_SEARCH_H
#define KIT_EVENTS_CROSSING_SEARCH_H

#include <functional>
#include <vector>

namespace events {

// A function of time at one instant: its value, whose sign is sought (at
// or above zero is "inside"; not a number is outside), and its rate of
// change, or any quantity of the same sign, whose changes of sign tell its
// extrema.
struct Sample {
  double t;
  double value;
  double rate;
};

inline bool inside(const Sample &s) { return s.value >= 0.0; }

enum class EventKind {
  rise,    // from outside to inside: t is the first instant found inside
  set,     // from inside to outside: t is the last instant found inside
  maximum, // the rate changes from positive to zero or negative
  minimum  // the rate changes from negative to zero or positive
};

// One event of a step, with the function at its instant.
struct Event {
  EventKind kind;
  Sample at;
};

// What a step looks for.
struct Search {
  bool crossings = true; // rises and sets
  bool maxima = true;
  bool minima = true;
  double tolerance = 1e-6; // seconds: each event lies within this of the
                           // change of sign it was bracketed by
  // Seconds to which an extremum that is not itself wanted (maxima or
  // minima false) is refined before it splits the step: a crossing within
  // this of the extremum, where the value only grazes zero, may be missed.
  // Given (above zero), such an extremum between ends of opposite signs is
  // not looked for at all: the one crossing is refined across the step.
  // Zero: the tolerance above, every extremum found.
  double split_tolerance = 0.0;
};

// ---------------------------------------------------------------------------
// step_events: the events of the function between two samples.
//
// Given:
//   a, b    the function at two instants, a.t < b.t
//   f       the function at any instant of [a.t, b.t]
//   search  what to look for, and to what tolerance
// Returned (appended to events, in time order):
//   a maximum or minimum where the rate changes sign within (a.t, b.t] (a
//   rate that is zero at a.t belongs to the step before); then, on each
//   side of it, a rise or a set where the value changes sign.
// Notes:
//   1) The caller chooses steps short enough for the rate to change sign
//      at most once within one: the value is then monotonic on each side of
//      the extremum, and crosses zero at most once there.  An extremum is
//      looked for (to split the step) even when it is not asked for.
//   2) Each change of sign is bracketed by the step's samples and refined
//      by TOMS Algorithm 748 (Boost.Math), then by bisection should that
//      not have narrowed the bracket to the tolerance within 64 steps, so
//      every event lies within the tolerance of a change of sign of the
//      function as f computes it.  A rise is the bracket's inside end, a
//      set its inside end too, so that [rise, set] holds only instants
//      found inside; an extremum is the bracket's middle.
//   3) The returned samples are f's at the events' instants.
// ---------------------------------------------------------------------------
void step_events(const Sample &a, const Sample &b,
                 const std::function<Sample(double)> &f, const Search &search,
                 std::vector<Event> &events);

} // namespace events

#endif
