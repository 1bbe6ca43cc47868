// windows_test.cpp - the windows library: constraints combined instant by
// instant, the windows and passes of a stream of changes, a source's
// windows as a gate, and two constraints' window lists combined.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bound.h"
#include "combination.h"
#include "interval_source.h"

namespace {

using windows::Combination;
using windows::Interval;

Interval w(double a, const char *from, double b, const char *to, int pass = 0) {
  return {{a, from}, {b, to}, pass};
}

std::string text(const std::vector<Interval> &list) {
  std::string s;
  for (const Interval &i : list)
    s += "[" + std::to_string(static_cast<int>(i.start.t)) + " " + i.start.bound + ", " +
         std::to_string(static_cast<int>(i.end.t)) + " " + i.end.bound + " #" +
         std::to_string(i.pass) + "]";
  return s;
}

// Two constraints' window lists, intersected and united: each edge named by
// the constraint that set it, windows touching at one instant united into
// one, an intersection of one instant dropped.
TEST(Windows, TwoListsCombined) {
  const std::vector<Interval> a = {w(0, "a-rise", 10, "a-set", 1), w(20, "a-rise", 30, "a-set", 2),
                                   w(40, "a-rise", 50, "a-set", 3)};
  const std::vector<Interval> b = {w(5, "b-on", 25, "b-off"), w(30, "b-on", 45, "b-off")};
  EXPECT_EQ(text(windows::combine(Combination::Op::all, a, b)),
            "[5 b-on, 10 a-set #1][20 a-rise, 25 b-off #2][40 a-rise, 45 b-off #3]");
  // The parts of a pass cut by the second keep the pass's number.
  EXPECT_EQ(text(windows::combine(Combination::Op::all, a, b, true)),
            "[5 b-on, 10 a-set #1][20 a-rise, 25 b-off #2][40 a-rise, 45 b-off #3]");
  EXPECT_EQ(text(windows::combine(Combination::Op::any, a, b)), "[0 a-rise, 50 a-set #1]");
  const std::vector<Interval> c = {w(12, "c-on", 15, "c-off"), w(15, "c-on", 18, "c-off")};
  EXPECT_EQ(text(windows::combine(Combination::Op::any, a, c)),
            "[0 a-rise, 10 a-set #1][12 c-on, 18 c-off #2][20 a-rise, 30 a-set #3]"
            "[40 a-rise, 50 a-set #4]");
  // a's second window meets b's second only at 30.
  EXPECT_EQ(text(windows::combine(Combination::Op::all, {a[1]}, {b[1]})), "");
  EXPECT_EQ(text(windows::combine(Combination::Op::all, a, {})), "");
}

// Several parts of one pass, numbered by the pass.
TEST(Windows, PartsOfAPassShareItsNumber) {
  const std::vector<Interval> pass = {w(0, "rise", 100, "set", 7)};
  const std::vector<Interval> nights = {w(10, "day", 20, "day"), w(30, "day", 40, "day"),
                                        w(90, "day", 200, "end")};
  EXPECT_EQ(text(windows::combine(Combination::Op::all, pass, nights, true)),
            "[10 day, 20 day #7][30 day, 40 day #7][90 day, 100 set #7]");
}

// At one instant: the change's bound is the last of its sense; a close and
// an open at one instant cancel.
TEST(Windows, ChangesOfOneInstant) {
  Combination any(Combination::Op::any, 2);
  any.set(0, true, "first");
  any.set(1, true, "second");
  windows::Change c = any.settle();
  EXPECT_TRUE(c.changed);
  EXPECT_TRUE(c.inside);
  EXPECT_STREQ(c.bound, "second");
  any.set(0, false, "x");
  any.set(1, false, "y");
  any.set(1, true, "z");
  EXPECT_FALSE(any.settle().changed);
  any.set(1, false, "last");
  c = any.settle();
  EXPECT_TRUE(c.changed && !c.inside);
  EXPECT_STREQ(c.bound, "last");
  Combination all(Combination::Op::all, 3);
  all.set(0, true, "a");
  all.set(1, true, "b");
  EXPECT_FALSE(all.settle().changed);
  all.set(2, true, "c");
  EXPECT_STREQ(all.settle().bound, "c");
}

// A stream's windows and passes: one of no length is dropped and not
// counted; a cut stream numbers its parts by its passes.
TEST(Windows, StreamPassesAndWindowsOfNoLength) {
  windows::Stream passes, parts;
  parts.count_passes_of(&passes);
  using E = windows::Stream::Event;
  EXPECT_EQ(passes.change(5, {true, true, "rise"}), E::opened);
  EXPECT_EQ(passes.change(5, {true, false, "set"}), E::dropped);
  EXPECT_EQ(passes.pass(), 0);
  EXPECT_EQ(passes.change(6, {true, true, "rise"}), E::opened);
  EXPECT_EQ(parts.change(7, {true, true, "day"}), E::opened);
  EXPECT_EQ(parts.window().pass, 1);
  EXPECT_EQ(parts.change(8, {true, false, "day"}), E::closed);
  EXPECT_EQ(parts.change(9, {true, true, "day"}), E::opened);
  EXPECT_EQ(parts.window().pass, 1);
  EXPECT_EQ(passes.change(9, {false, false, nullptr}), E::none);
  EXPECT_EQ(passes.change(10, {true, false, "set"}), E::closed);
  EXPECT_EQ(passes.window().start.t, 6);
  EXPECT_EQ(passes.window().end.t, 10);
  EXPECT_STREQ(passes.window().end.bound, "set");
}

// A gate over a source: an instant inside or not (edges included), the
// edges in (from, to], windows pulled only as far as asked and dropped
// once passed.
TEST(Windows, GateOverASource) {
  struct Counting : windows::IntervalSource {
    int pulled = 0;
    double reached = -1;
    void reach(double t) override { reached = t; }
    bool next(Interval &out) override {
      if (pulled == 1000)
        return false;
      out = w(100.0 * pulled, "on", 100.0 * pulled + 50, "off");
      ++pulled;
      return true;
    }
  } source;
  windows::Gate gate(source);
  EXPECT_TRUE(gate.inside_at(0));
  EXPECT_TRUE(gate.inside_at(50));
  EXPECT_FALSE(gate.inside_at(50.5));
  EXPECT_LE(source.pulled, 2);
  std::vector<windows::GateChange> changes;
  gate.changes(50, 250, changes);
  ASSERT_EQ(changes.size(), 4u);
  EXPECT_EQ(changes[0].t, 100);
  EXPECT_TRUE(changes[0].inside);
  EXPECT_EQ(changes[1].t, 150);
  EXPECT_FALSE(changes[1].inside);
  EXPECT_EQ(changes[3].t, 250);
  EXPECT_STREQ(changes[3].bound, "off");
  EXPECT_EQ(source.reached, 250);
  EXPECT_LE(source.pulled, 4);
  changes.clear();
  gate.changes(99950, 1e9, changes);
  EXPECT_TRUE(changes.empty()); // the last window ends at 99950, not after it
  gate.changes(99920, 1e9, changes);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].t, 99950);
  EXPECT_EQ(source.pulled, 1000);
}

TEST(Windows, NamesMadeAtRunTime) {
  const windows::Bound a = windows::intern("polar:" + std::string("hour-angle"));
  const windows::Bound b = windows::intern("polar:hour-angle");
  EXPECT_EQ(a, b);
  EXPECT_STREQ(a, "polar:hour-angle");
  EXPECT_STREQ(windows::kDay, "day");
}

} // namespace
