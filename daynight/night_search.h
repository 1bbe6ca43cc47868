// night_search.h - the observing site's nights as sunguard decides them,
// to the millisecond: shared by nightwindows and passwindows --night (the
// nights library).
#ifndef KIT_DAYNIGHT_NIGHT_SEARCH_H
#define KIT_DAYNIGHT_NIGHT_SEARCH_H

#include <deque>
#include <string>

#include "crossing_search.h"
#include "novas_kit.h"
#include "sun_altitude.h"

// What set a night's edge.
enum class NightBound {
  sunset,  // an hour after the Sun set (or, were a day shorter than an
           // hour, the sunset itself)
  sunrise, // the Sun rose
  start,   // the search span's start
  end      // the search span's end
};
const char *night_bound_name(NightBound bound);

// One night, in Unix seconds: [start, end], both included.  sunset and
// sunrise are the horizon crossings that set the start and the end; not a
// number where the span cuts the night.
struct Night {
  double start, end;
  double sunset, sunrise;
  NightBound start_bound, end_bound;
};

// The instants whose nights the solar ephemeris serves (Unix seconds): from
// its first TDB date, 2340000.5, plus the hour looked back, to its last,
// 2560000.5, less two minutes for TT - UTC.
inline constexpr double kFirstNightInstant = -8690716800.0 + 3600.0; // 1694-08-08T01:00:00Z
inline constexpr double kLastNightInstant = 10317283200.0 - 120.0;  // 2296-12-09T23:58:00Z

// Whether a span (Unix seconds) lies within those instants: empty, or the
// reason it does not.
std::string night_span_problem(double start, double end);

// ---------------------------------------------------------------------------
// minute_side: a night's edge put on the side of a whole minute that
// sunguard's decision there gives.
//
// Given:   edge  a night's start (is_start) or end, Unix seconds; minute
//          a whole minute near it; night  whether sunguard says night at
//          that minute
// Returned (function value):
//   the edge itself when the night [start, end] holds the minute exactly
//   when sunguard says night; otherwise the minute (to take it in) or a
//   microsecond beyond it (to leave it out)
// ---------------------------------------------------------------------------
double minute_side(double edge, double minute, bool is_start, bool night);

// ---------------------------------------------------------------------------
// NightSearch: the nights of a span, in order.
//
// A night is a maximal stretch of instants t at which sunguard's rule says
// night, evaluated at t itself: the Sun's refracted altitude at the site is
// not above the horizon at t nor at t - 1 hour.  So the nights are the
// stretches where the Sun is down, each intersected with the same stretches
// an hour later: from an hour after sunset to sunrise.
//
// How it searches: the altitude (sun_altitude_along, the nutation series
// fitted along the search) is sampled every three hours from an hour
// before the span: the site's days and nights last more than 9 hours, so a
// step holds at most one sunrise or sunset.  Each change of sign is
// refined by
// events::step_events to 1 microsecond.  A night's edge that lands within
// a millisecond of a whole minute is checked against sunguard's own
// decision at that minute (day_or_night, the NOVAS calls) and kept on the
// side of the minute that decision gives, so that at every whole minute
// sunguard prints "[night]" exactly when the minute lies in a night.
//
// Memory holds the last few stretches of darkness, whatever the span.
// Throws kit::Failure when the Sun's place fails (a span outside
// what night_span_problem accepts).
// ---------------------------------------------------------------------------
class NightSearch {
public:
  NightSearch(double start, double end);

  // The next night; false when no other lies in the span.
  bool next(Night &night);

private:
  struct Dark {
    double from, to; // the Sun down from `from` to `to`; +-inf beyond the
                     // searched stretch
  };
  double altitude(double t);
  bool next_dark(Dark &dark);
  void intersect(const Dark &now);
  double checked(double edge, bool is_start);

  double start_, end_;
  SunSetup setup_;
  ter2cel_stream stream_;
  events::Sample last_{};
  double dark_from_;
  std::deque<events::Event> crossings_; // found, not yet taken
  bool scanning_ = true;
  std::deque<Dark> recent_;
  std::deque<Night> ready_;
};

#endif
