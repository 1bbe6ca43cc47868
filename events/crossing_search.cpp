// crossing_search.cpp - bracketing and refining the events of a function of
// time between two samples.
#include "crossing_search.h"

#include <cmath>
#include <cstdint>

#include <boost/math/tools/toms748_solve.hpp>

namespace events {

namespace {

// Iterations of TOMS 748 before the bracket is bisected to the tolerance.
constexpr std::uintmax_t kToms748Iterations = 64;

// A quantity whose sign is sought, with not-a-number taken as negative and
// an infinity held at a large finite value, so that the interpolation of
// TOMS 748 never meets an infinite or undefined value (it keeps a bracket
// of the sign change whatever the magnitudes).
constexpr double kLargest = 1e30;
double signed_value(double v) {
  if (std::isnan(v))
    return -1.0;
  return std::fmax(-kLargest, std::fmin(kLargest, v));
}

// The boundary between the instants where q(t) >= 0 and where q(t) < 0 in
// [lo, hi], given q(lo) and q(hi) of opposite kinds: a bracket [lo, hi] no
// wider than the tolerance around the change of sign, with q's kind at
// both ends unchanged.
struct Bracket {
  double lo, hi;
};

Bracket refine(const std::function<double(double)> &q, double lo, double hi,
               double q_lo, double q_hi, double tolerance) {
  const bool lo_inside = q_lo >= 0.0;
  if (q_lo == 0.0 && !(q_hi >= 0.0))
    return {lo, lo};
  if (q_hi == 0.0 && !lo_inside)
    return {hi, hi};
  std::uintmax_t iterations = kToms748Iterations;
  const auto narrow = [tolerance](double a, double b) { return b - a <= tolerance; };
  // TOMS 748 needs values of opposite sign; a zero end is handled above,
  // and a zero inside the bracket ends it at that instant.
  const std::pair<double, double> r = boost::math::tools::toms748_solve(
      [&q](double t) { return signed_value(q(t)); }, lo, hi, q_lo, q_hi,
      narrow, iterations);
  double a = r.first, b = r.second;
  if (a == b)
    return {a, b};
  // Keep the ends' kinds: TOMS 748 ends on a bracket of the sign change.
  double qa = signed_value(q(a));
  while (b - a > tolerance) {
    const double m = a + (b - a) / 2;
    if (m <= a || m >= b)
      break;
    const double qm = signed_value(q(m));
    if ((qm >= 0.0) == (qa >= 0.0)) {
      a = m;
      qa = qm;
    } else {
      b = m;
    }
  }
  return {a, b};
}

// A crossing of the value between two samples on a stretch where it is
// monotonic.
void crossing(const Sample &a, const Sample &b,
              const std::function<Sample(double)> &f, const Search &search,
              std::vector<Event> &events) {
  if (!search.crossings || inside(a) == inside(b))
    return;
  const Bracket k = refine([&f](double t) { return f(t).value; }, a.t, b.t,
                           signed_value(a.value), signed_value(b.value),
                           search.tolerance);
  // The inside end: the later one for a rise, the earlier for a set.
  const bool rise = !inside(a);
  double t = rise ? k.hi : k.lo;
  Sample at = f(t);
  // Rounding in f may put the chosen end just outside; the bracket's other
  // end lies within the tolerance.
  if (!inside(at)) {
    t = rise ? k.lo : k.hi;
    const Sample other = f(t);
    if (inside(other))
      at = other;
  }
  events.push_back({rise ? EventKind::rise : EventKind::set, at});
}

} // namespace

void step_events(const Sample &a, const Sample &b,
                 const std::function<Sample(double)> &f, const Search &search,
                 std::vector<Event> &events) {
  const bool maximum = a.rate > 0.0 && !(b.rate > 0.0);
  const bool minimum = a.rate < 0.0 && !(b.rate < 0.0);
  if (!maximum && !minimum) {
    crossing(a, b, f, search, events);
    return;
  }
  const bool wanted = (maximum && search.maxima) || (minimum && search.minima);
  if (!wanted && !search.crossings)
    return; // nothing to find in the step
  // With a split tolerance, an extremum between ends of opposite signs
  // need not be found: the value crosses zero once, on one side of it.
  if (!wanted && search.split_tolerance > 0.0 && inside(a) != inside(b)) {
    crossing(a, b, f, search, events);
    return;
  }
  // The extremum splits the step into two stretches of monotonic value.  A
  // rate of zero at b puts it there; otherwise the rate's change of sign
  // is refined like the value's (a not-a-number rate at b counts as the
  // sign it changed to).
  Sample m = b;
  if (b.rate != 0.0) {
    const double r_b = std::isnan(b.rate) ? (maximum ? -1.0 : 1.0) : b.rate;
    const double tolerance =
        wanted || !(search.split_tolerance > 0.0) ? search.tolerance : search.split_tolerance;
    const Bracket k = refine([&f](double t) { return f(t).rate; }, a.t, b.t,
                             signed_value(a.rate), signed_value(r_b), tolerance);
    m = f(k.lo + (k.hi - k.lo) / 2);
  }
  crossing(a, m, f, search, events);
  if ((maximum && search.maxima) || (minimum && search.minima))
    events.push_back({maximum ? EventKind::maximum : EventKind::minimum, m});
  crossing(m, b, f, search, events);
}

} // namespace events
