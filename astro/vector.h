// vector.h - the small vector and matrix types of the astronomy layer and
// the few operations on them.  Internal to the astro library.
#ifndef KIT_ASTRO_VECTOR_H
#define KIT_ASTRO_VECTOR_H

#include <cmath>

#include <erfa.h>

namespace astro {

// A Cartesian 3-vector.
struct Vec3 {
  double x, y, z;
};

// A 3x3 matrix, row-major: r[i][j] is row i, column j.
struct Mat3 {
  double r[3][3];
};

inline double dot(const Vec3 &a, const Vec3 &b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline double norm(const Vec3 &v) { return std::sqrt(dot(v, v)); }

inline Vec3 scaled(const Vec3 &v, double k) { return {v.x * k, v.y * k, v.z * k}; }

inline Vec3 sum(const Vec3 &a, const Vec3 &b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

inline Vec3 difference(const Vec3 &a, const Vec3 &b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// m . v, each component summed x term, y term, z term.
inline Vec3 apply(const Mat3 &m, const Vec3 &v) {
  return {m.r[0][0] * v.x + m.r[0][1] * v.y + m.r[0][2] * v.z,
          m.r[1][0] * v.x + m.r[1][1] * v.y + m.r[1][2] * v.z,
          m.r[2][0] * v.x + m.r[2][1] * v.y + m.r[2][2] * v.z};
}

// m^T . v, the inverse rotation when m is a rotation.
inline Vec3 apply_transposed(const Mat3 &m, const Vec3 &v) {
  return {m.r[0][0] * v.x + m.r[1][0] * v.y + m.r[2][0] * v.z,
          m.r[0][1] * v.x + m.r[1][1] * v.y + m.r[2][1] * v.z,
          m.r[0][2] * v.x + m.r[1][2] * v.y + m.r[2][2] * v.z};
}

inline Vec3 from_array(const double a[3]) { return {a[0], a[1], a[2]}; }

inline void to_array(const Vec3 &v, double a[3]) {
  a[0] = v.x;
  a[1] = v.y;
  a[2] = v.z;
}

inline Mat3 identity() {
  Mat3 m;
  eraIr(m.r);
  return m;
}

// Pre-multiply m by the rotation through angle a (radians) about the x axis
// (R1) or the z axis (R3): m becomes R(a) . m.
inline void rotate_x(double a, Mat3 &m) { eraRx(a, m.r); }
inline void rotate_z(double a, Mat3 &m) { eraRz(a, m.r); }

} // namespace astro

#endif
