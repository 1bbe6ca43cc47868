// night_search.cpp - finding the site's nights: the Sun's risings and
// settings, and the rule's intersection of darkness with darkness an hour
// earlier.
#include "night_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "failure.h"
#include "utc_instant.h"

namespace {

constexpr double kHour = 3600.0;
// The altitude is sampled this often (seconds): at the site days and
// nights last more than 9 hours, so a step holds one sunrise or sunset at
// most.
constexpr double kStep = 3.0 * 3600.0;
// The nutation series is fitted over intervals of this many days: within
// 1e-6 arcsecond of the series, a ten-thousandth of a millisecond of a
// sunrise, at two fits a week.
constexpr double kFitDays = 4.0;
// Crossings are refined to this (seconds).
constexpr double kTolerance = 1e-6;
// An edge this close to a whole minute is checked against sunguard's own
// decision at that minute (seconds).
constexpr double kMinuteGuard = 1e-3;
// How far inside an edge moved to a minute's correct side lies from it.
constexpr double kNudge = 1e-6;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

} // namespace

const char *night_bound_name(NightBound bound) {
  switch (bound) {
  case NightBound::sunset:
    return "sunset";
  case NightBound::sunrise:
    return "sunrise";
  case NightBound::start:
    return "start";
  case NightBound::end:
    return "end";
  }
  return "";
}

std::string night_span_problem(double start, double end) {
  const auto served = [](double t) { return t >= kFirstNightInstant && t <= kLastNightInstant; };
  if (served(start) && served(end))
    return {};
  return "span outside the solar ephemeris: nights are found from " +
         utc::iso_text(kFirstNightInstant) + " to " + utc::iso_text(kLastNightInstant);
}

NightSearch::NightSearch(double start, double end)
    : start_(start), end_(end), setup_(make_sun_setup()) {
  ter2cel_stream_init_span(&stream_, kFitDays);
  // Darkness an hour before the span decides the night at its start.
  const double from = start_ - kHour;
  last_ = {from, altitude(from), 0.0};
  dark_from_ = events::inside(last_) ? std::nan("") : -kInfinity;
}

double NightSearch::altitude(double t) {
  short int status = 0;
  const double a = sun_altitude_along(utc::julian_date_of(t), &setup_.site, &stream_, &status);
  if (status != 0)
    throw kit::Failure("the Sun's place failed (status " + std::to_string(status) + ")");
  return a;
}

// The next stretch of darkness (the Sun not above the horizon), or false
// when the scan has passed the span's end.
bool NightSearch::next_dark(Dark &dark) {
  const auto sample = [this](double t) { return events::Sample{t, altitude(t), 0.0}; };
  events::Search search;
  search.maxima = search.minima = false;
  search.tolerance = kTolerance;
  for (;;) {
    while (!crossings_.empty()) {
      const events::Event e = crossings_.front();
      crossings_.pop_front();
      if (e.kind == events::EventKind::set) {
        // The event is the last instant found up; darkness begins there.
        dark_from_ = e.at.t;
      } else if (!std::isnan(dark_from_)) {
        dark = {dark_from_, e.at.t};
        dark_from_ = std::nan("");
        return true;
      }
    }
    if (!scanning_)
      return false;
    if (last_.t >= end_) {
      scanning_ = false;
      if (std::isnan(dark_from_))
        return false;
      dark = {dark_from_, kInfinity};
      return true;
    }
    const events::Sample b = sample(std::min(last_.t + kStep, end_));
    std::vector<events::Event> found;
    events::step_events(last_, b, sample, search, found);
    crossings_.insert(crossings_.end(), found.begin(), found.end());
    last_ = b;
  }
}

double minute_side(double edge, double minute, bool is_start, bool night) {
  const bool inside = is_start ? edge <= minute : minute <= edge;
  if (night == inside)
    return edge;
  if (night)
    return minute;
  return is_start ? minute + kNudge : minute - kNudge;
}

// Keeps an edge on the side of a nearby whole minute that sunguard's own
// decision gives.
double NightSearch::checked(double edge, bool is_start) {
  const double minute = std::round(edge / 60.0) * 60.0;
  if (!(std::fabs(edge - minute) <= kMinuteGuard))
    return edge;
  const bool night = !day_or_night(utc::julian_date_of(minute), setup_).day;
  return minute_side(edge, minute, is_start, night);
}

// The nights a new stretch of darkness makes: its intersections with the
// stretches of darkness an hour earlier (its own and those before it).
void NightSearch::intersect(const Dark &now) {
  while (!recent_.empty() && recent_.front().to + kHour < now.from)
    recent_.pop_front();
  recent_.push_back(now);
  for (const Dark &before : recent_) {
    const double later_from = before.from + kHour, later_to = before.to + kHour;
    Night n;
    if (later_from >= now.from) {
      n.start = later_from;
      n.sunset = before.from;
    } else {
      n.start = now.from;
      n.sunset = now.from;
    }
    if (now.to <= later_to) {
      n.end = now.to;
      n.sunrise = now.to;
    } else {
      n.end = later_to;
      n.sunrise = before.to;
    }
    n.start_bound = NightBound::sunset;
    n.end_bound = NightBound::sunrise;
    if (!(n.start > start_)) {
      n.start = start_;
      n.sunset = std::nan("");
      n.start_bound = NightBound::start;
    } else {
      n.start = checked(n.start, true);
    }
    if (!(n.end < end_)) {
      n.end = end_;
      n.sunrise = std::nan("");
      n.end_bound = NightBound::end;
    } else {
      n.end = checked(n.end, false);
    }
    if (n.start <= n.end)
      ready_.push_back(n);
  }
}

bool NightSearch::next(Night &night) {
  Dark dark;
  while (ready_.empty() && next_dark(dark))
    intersect(dark);
  if (ready_.empty())
    return false;
  night = ready_.front();
  ready_.pop_front();
  return true;
}
