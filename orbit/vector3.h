// vector3.h - the two products of 3-vectors the tracking library's
// geometry takes (the tracking library, internal).
#ifndef KIT_ORBIT_VECTOR3_H
#define KIT_ORBIT_VECTOR3_H

namespace tracking {

// a . b, summed x term, y term, z term.
inline double dot(const double (&a)[3], const double (&b)[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// a x b into out (which must not be a or b).
inline void cross(const double (&a)[3], const double (&b)[3], double (&out)[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

} // namespace tracking

#endif
