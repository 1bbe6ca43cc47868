// interpolation.cpp - cubic Hermite interpolation between two records.
#include "interpolation.h"

namespace tracking {

StateNode state_node(const OrbitRecord &r) {
  return {r.stamp.unix_seconds(), {r.x, r.y, r.z}, {r.vx, r.vy, r.vz}, r.stamp.julian_date()};
}

State hermite(const StateNode &a, const StateNode &b, double t) {
  State out;
  const StateNode *node = t == a.t ? &a : t == b.t ? &b : nullptr;
  if (node != nullptr) {
    for (int k = 0; k < 3; ++k) {
      out.p[k] = node->p[k];
      out.v[k] = node->v[k];
    }
    return out;
  }
  const double h = b.t - a.t;
  const double s = (t - a.t) / h;
  const double s2 = s * s, s3 = s2 * s;
  const double h00 = 2.0 * s3 - 3.0 * s2 + 1.0;
  const double h10 = s3 - 2.0 * s2 + s;
  const double h01 = -2.0 * s3 + 3.0 * s2;
  const double h11 = s3 - s2;
  // Derivatives with respect to s; the velocity's terms in the nodes'
  // velocities carry no factor H / H.
  const double d00 = 6.0 * s2 - 6.0 * s;
  const double d10 = 3.0 * s2 - 4.0 * s + 1.0;
  const double d01 = -6.0 * s2 + 6.0 * s;
  const double d11 = 3.0 * s2 - 2.0 * s;
  for (int k = 0; k < 3; ++k) {
    out.p[k] = h00 * a.p[k] + h10 * h * a.v[k] + h01 * b.p[k] + h11 * h * b.v[k];
    out.v[k] = d10 * a.v[k] + d11 * b.v[k] + (d00 * a.p[k] + d01 * b.p[k]) / h;
  }
  return out;
}

} // namespace tracking
