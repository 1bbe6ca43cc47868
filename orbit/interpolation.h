// interpolation.h - the spacecraft between two records of an orbit file:
// cubic Hermite interpolation of their positions and velocities.
#ifndef KIT_ORBIT_INTERPOLATION_H
#define KIT_ORBIT_INTERPOLATION_H

#include <limits>

#include "orbit_record.h"

namespace tracking {

// A record at its instant: Unix seconds with the fraction of its second,
// position (km) and velocity (km/s) on GCRS axes, and the UTC Julian date
// of its timestamp as passrange forms it from the record's own fields (not
// a number: form it from t).
struct StateNode {
  double t;
  double p[3];
  double v[3];
  double jd = std::numeric_limits<double>::quiet_NaN();
  bool after_break = false; // not to be interpolated from the node before
};

// The node of a record read by read_orbit_record: its instant, state and
// the Julian date of its timestamp's own fields.
StateNode state_node(const OrbitRecord &r);

// Position (km) and velocity (km/s) at one instant.
struct State {
  double p[3];
  double v[3];
};

// ---------------------------------------------------------------------------
// hermite: the spacecraft at t between two nodes.
//
// Given:   a, b  nodes with a.t < b.t;  t  an instant of [a.t, b.t]
// Returned (function value):
//   the cubic Hermite interpolant of the positions and velocities at the
//   two nodes, and its derivative: p(s) = h00 pa + h10 H va + h01 pb +
//   h11 H vb with H = b.t - a.t, s = (t - a.t) / H, h00 = 2s^3 - 3s^2 + 1,
//   h10 = s^3 - 2s^2 + s, h01 = -2s^3 + 3s^2, h11 = s^3 - s^2.
// Notes:
//   1) At a.t and b.t the node itself, bit for bit.
//   2) Motion cubic in time is reproduced exactly but for rounding.
// ---------------------------------------------------------------------------
State hermite(const StateNode &a, const StateNode &b, double t);

} // namespace tracking

#endif
