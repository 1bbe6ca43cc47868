// events_test.cpp - the event search: the crossing search on functions
// whose events are known in closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "crossing_search.h"

namespace {

using events::EventKind;

// ----- the crossing search ---------------------------------------------------

struct Function {
  std::function<double(double)> value, rate;
  events::Sample operator()(double t) const { return {t, value(t), rate(t)}; }
};

// The events of a function sampled every `step` seconds over [from, to].
std::vector<events::Event> scan(const Function &f, double from, double to, double step,
                                const events::Search &search = {}) {
  std::vector<events::Event> found;
  events::Sample a = f(from);
  for (double t = from; t < to;) {
    const double next = std::fmin(t + step, to);
    const events::Sample b = f(next);
    events::step_events(a, b, [&f](double x) { return f(x); }, search, found);
    a = b;
    t = next;
  }
  return found;
}

// sin t - 0.5: rises at pi/6 + 2 pi k, sets at 5 pi/6 + 2 pi k, maxima at
// pi/2 + 2 pi k, minima at 3 pi/2 + 2 pi k.
TEST(CrossingSearch, FindsKnownCrossingsAndExtremaInOrder) {
  const Function f{[](double t) { return std::sin(t) - 0.5; },
                   [](double t) { return std::cos(t); }};
  const std::vector<events::Event> e = scan(f, 0.0, 4 * M_PI, 0.3);
  const double pi = M_PI;
  const std::vector<std::pair<EventKind, double>> want = {
      {EventKind::rise, pi / 6},          {EventKind::maximum, pi / 2},
      {EventKind::set, 5 * pi / 6},       {EventKind::minimum, 3 * pi / 2},
      {EventKind::rise, 2 * pi + pi / 6}, {EventKind::maximum, 2 * pi + pi / 2},
      {EventKind::set, 2 * pi + 5 * pi / 6}, {EventKind::minimum, 2 * pi + 3 * pi / 2}};
  ASSERT_EQ(e.size(), want.size());
  for (std::size_t i = 0; i < e.size(); ++i) {
    EXPECT_EQ(e[i].kind, want[i].first) << i;
    EXPECT_NEAR(e[i].at.t, want[i].second, 1e-6) << i;
    if (e[i].kind == EventKind::rise || e[i].kind == EventKind::set) {
      EXPECT_TRUE(events::inside(e[i].at)) << i;
    }
  }
}

// A graze: the value is above zero for one second around its maximum,
// between two samples that are both below.  Just below zero, nothing.
TEST(CrossingSearch, GrazingMaximumBetweenSamples) {
  for (const double top : {1e-4, -1e-4}) {
    const Function f{[top](double t) { return top - 4e-4 * (t - 31.3) * (t - 31.3); },
                     [](double t) { return -8e-4 * (t - 31.3); }};
    events::Search search;
    search.maxima = false;
    const std::vector<events::Event> e = scan(f, 0.0, 100.0, 20.0, search);
    if (top < 0) {
      EXPECT_TRUE(e.empty());
      continue;
    }
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].kind, EventKind::rise);
    EXPECT_EQ(e[1].kind, EventKind::set);
    EXPECT_NEAR(e[0].at.t, 30.8, 1e-6);
    EXPECT_NEAR(e[1].at.t, 31.8, 1e-6);
  }
}

// An extremum that is not wanted, refined only to the split tolerance: the
// same crossings to the full tolerance, with fewer evaluations; a graze of
// a second is still found, one well under the split tolerance may not be.
TEST(CrossingSearch, AnExtremumOnlySplittingIsRefinedToTheSplitTolerance) {
  int calls = 0;
  for (const double top : {1e-4, 1e-10}) {
    // The rate only by its sign, and steep, as TOMS 748 meets it at a
    // rate's kink near the zenith: the refinement's cost shows.
    const Function f{[top](double t) { return top - 4e-4 * (t - 31.3) * (t - 31.3); },
                     [&calls](double t) {
                       ++calls;
                       return -std::atan(1e4 * (t - 31.3));
                     }};
    events::Search fine, split;
    fine.maxima = split.maxima = false;
    split.split_tolerance = 1e-3;
    calls = 0;
    const std::vector<events::Event> e = scan(f, 0.0, 100.0, 20.0, fine);
    const int fine_calls = calls;
    calls = 0;
    const std::vector<events::Event> g = scan(f, 0.0, 100.0, 20.0, split);
    if (top > 1e-6) {
      ASSERT_EQ(g.size(), 2u);
      ASSERT_EQ(e.size(), 2u);
      for (int i = 0; i < 2; ++i)
        EXPECT_NEAR(g[i].at.t, e[i].at.t, 1e-6);
      EXPECT_LT(calls, fine_calls);
    } else {
      // A maximum of 1e-10 is above zero for 1 ms: found to 1 us, and
      // allowed to be missed when the maximum is refined to 1 ms.
      EXPECT_EQ(e.size(), 2u);
      EXPECT_TRUE(g.empty() || g.size() == 2u);
    }
  }
}

// A value that is zero exactly at a sample counts as inside: the rise is
// that instant, reported once.
TEST(CrossingSearch, ZeroAtASampleIsInsideAndReportedOnce) {
  const Function f{[](double t) { return t - 10.0; }, [](double) { return 1.0; }};
  const std::vector<events::Event> e = scan(f, 0.0, 20.0, 5.0);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].kind, EventKind::rise);
  EXPECT_EQ(e[0].at.t, 10.0);
}

// A rate that is exactly zero at a sample puts the extremum there, found
// once: in the step that ends at it, not in the one that starts there.
TEST(CrossingSearch, ExtremumExactlyAtASample) {
  const Function f{[](double t) { return 1.0 - (t - 10.0) * (t - 10.0); },
                   [](double t) { return -2.0 * (t - 10.0); }};
  const std::vector<events::Event> e = scan(f, 0.0, 20.0, 5.0);
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].kind, EventKind::rise);
  EXPECT_EQ(e[1].kind, EventKind::maximum);
  EXPECT_EQ(e[1].at.t, 10.0);
  EXPECT_EQ(e[2].kind, EventKind::set);
}

// Not a number counts as outside and does not derail the refinement.
TEST(CrossingSearch, NotANumberIsOutside) {
  const Function f{[](double t) { return t < 3.0 ? NAN : t - 5.0; },
                   [](double) { return 1.0; }};
  const std::vector<events::Event> e = scan(f, 0.0, 10.0, 10.0);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_NEAR(e[0].at.t, 5.0, 1e-6);
}

} // namespace
