// interval.h - a window of time with the names of what set its edges (the
// windows library).
#ifndef KIT_WINDOWS_INTERVAL_H
#define KIT_WINDOWS_INTERVAL_H

#include "bound.h"

namespace windows {

// One edge of a window: its instant (Unix seconds) and what set it.
struct Edge {
  double t;
  Bound bound;
};

// A window [start.t, end.t], both instants included, start.t < end.t, and
// the number of the pass it belongs to (its stream's passes counted from
// 1; the parts of one pass, cut by another constraint, share it).
struct Interval {
  Edge start, end;
  int pass = 0;
};

} // namespace windows

#endif
