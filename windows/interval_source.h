// interval_source.h - windows known edge by edge, in time order: a source
// of windows that a search pulls as far as it needs them, its windows as a
// gate a search opens and closes on, and two sources combined (the windows
// library).
#ifndef KIT_WINDOWS_INTERVAL_SOURCE_H
#define KIT_WINDOWS_INTERVAL_SOURCE_H

#include <deque>
#include <utility>
#include <vector>

#include "combination.h"
#include "interval.h"

namespace windows {

// Windows in time order, disjoint, each pulled when asked for: the site's
// nights, the spacecraft's tracking windows, a list.
class IntervalSource {
public:
  virtual ~IntervalSource() = default;
  // Called before next() with the latest instant the caller is about to
  // ask about, first with the earliest: a source that searches may start
  // there, and refuse (throw) an instant it cannot serve.
  virtual void reach(double /*t*/) {}
  // The next window; false when there is none.
  virtual bool next(Interval &w) = 0;
};

// A list of windows, in time order, as a source.
class ListSource : public IntervalSource {
public:
  explicit ListSource(std::vector<Interval> windows) : windows_(std::move(windows)) {}
  bool next(Interval &w) override;

private:
  std::vector<Interval> windows_;
  std::size_t at_ = 0;
};

// One change of a gate: the instant its window begins (inside) or ends.
struct GateChange {
  double t;
  bool inside;
  Bound bound;
};

// ---------------------------------------------------------------------------
// Gate: a source's windows as a constraint of a search that samples time:
// whether an instant lies in one of them, and the edges in a stretch of
// time.  It pulls windows from the source as the search advances and keeps
// only those not yet passed, so its memory stays that of a few windows.
// ---------------------------------------------------------------------------
class Gate {
public:
  explicit Gate(IntervalSource &source) : source_(source) {}
  // Whether t lies in a window, both edges included.
  bool inside_at(double t);
  // Appends the edges in (from, to], in time order.
  void changes(double from, double to, std::vector<GateChange> &out);

private:
  void fill(double t);
  IntervalSource &source_;
  std::deque<Interval> windows_;
  bool done_ = false;
};

// ---------------------------------------------------------------------------
// CombinedSource: the intersection (all) or the union (any) of two
// sources' windows, as a source: streaming, in time order, edges named by
// what made them (Combination), windows of no length dropped, and each
// window numbered by the passes of the first source when pass_of_first is
// set (the parts of a pass cut by the second keep its number), else in
// turn.
// ---------------------------------------------------------------------------
class CombinedSource : public IntervalSource {
public:
  CombinedSource(Combination::Op op, IntervalSource &first, IntervalSource &second,
                 bool pass_of_first = false);
  void reach(double t) override;
  bool next(Interval &w) override;

private:
  // One input: its current window and which of its edges comes next.
  struct Input {
    IntervalSource *source;
    Interval window{};
    bool have = false, started = false;
    double next_t() const { return started ? window.end.t : window.start.t; }
  };
  void pull(Input &in);

  Input inputs_[2];
  Combination combination_;
  Stream stream_;
  bool pass_of_first_;
  bool pulled_ = false;
  int first_pass_ = 0, open_pass_ = 0;
};

// The intersection or union of two lists of windows, through CombinedSource.
std::vector<Interval> combine(Combination::Op op, const std::vector<Interval> &first,
                              const std::vector<Interval> &second, bool pass_of_first = false);

} // namespace windows

#endif
