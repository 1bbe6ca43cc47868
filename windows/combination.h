// combination.h - constraints combined as their windows unfold in time: the
// intersection or the union of several inside/outside states, instant by
// instant, and the windows and passes of a stream of such states (the
// windows library).
//
// A constraint is a function of time whose sign says inside or outside,
// each change of sign named by what made it (Orekit's event detectors
// combined by boolean operators are the model).  A search finds the
// changes of its constraints in time order and hands them to a
// Combination one instant at a time; what the Combination makes of them is
// again a stream of changes, which a further Combination can take, and a
// Stream turns into windows.
#ifndef KIT_WINDOWS_COMBINATION_H
#define KIT_WINDOWS_COMBINATION_H

#include <vector>

#include "interval.h"

namespace windows {

// A change of a constraint or a combination at an instant.
struct Change {
  bool changed = false; // false: no change at this instant
  bool inside = false;  // the state after it
  Bound bound = nullptr;
};

// ---------------------------------------------------------------------------
// Combination: all (intersection) or any (union) of n inputs.
//
// Every input starts outside.  At each instant, set() the inputs that
// change (in the order their changes are known), then settle(), which
// returns the combination's change at that instant, if any.  A change's
// bound is the bound of the last input change of the same sense at the
// instant (the last input to come inside, for a combination that comes
// inside), so that an edge is named by what made it.
// ---------------------------------------------------------------------------
class Combination {
public:
  enum class Op { all, any };
  Combination(Op op, int inputs);

  void set(int input, bool inside, Bound bound);
  // Takes a change of an input as it comes from below (no change: nothing).
  void take(int input, const Change &change) {
    if (change.changed)
      set(input, change.inside, change.bound);
  }
  Change settle();
  bool inside() const { return inside_; }

private:
  Op op_;
  std::vector<char> inputs_;
  int inside_count_ = 0;
  bool inside_ = false;
  Bound came_in_ = nullptr, went_out_ = nullptr;
};

// ---------------------------------------------------------------------------
// Stream: the windows of a stream of changes, with its passes counted.
//
// change(t, c) takes the stream's change at instant t (instants in
// nondecreasing order).  A window opens when the stream comes inside and
// closes when it goes outside; one that closes at the instant it opened has
// no length and is none: it is reported as dropped, and its pass is not
// counted.  Passes are counted by a second stream, `passes`, when one is
// given (the stream before a cut, whose windows are the passes: the parts
// of one pass share its number), else by the stream's own windows.
// ---------------------------------------------------------------------------
class Stream {
public:
  enum class Event { none, opened, closed, dropped };

  Event change(double t, const Change &c);
  bool open() const { return open_; }
  // The window open now, or the one that closed or was dropped last.
  const Interval &window() const { return window_; }
  // The number of the pass the stream is in now (or was in last).
  int pass() const { return count_; }

  // Counting the passes: the pass number of the window that opens is
  // `passes`'s, when it is given.
  void count_passes_of(const Stream *passes) { passes_ = passes; }

private:
  bool open_ = false;
  Interval window_{};
  int count_ = 0;
  const Stream *passes_ = nullptr;
};

} // namespace windows

#endif
