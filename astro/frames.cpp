// frames.cpp - Earth orientation for the astronomy layer.
//
// The models are the IAU ones ERFA provides (2000A nutation, IERS 2003
// complementary terms); what NOVAS 3.1 does in its own way is written out
// here: the TDB-TT series fed with TT, the obliquity and precession angles
// evaluated in arcseconds, the Earth rotation angle summed from the two parts
// of the date, sidereal time in hours and the first-order frame bias.  The
// units and the order of the conversions follow NOVAS, because the rounding
// they cause shows in millimetre-resolution station distances.
#include "frames.h"

#include <cmath>

#include <erfa.h>

namespace astro {

Vec3 apply(const Mat3 &m, const Vec3 &v) {
  return {m.r[0][0] * v.x + m.r[0][1] * v.y + m.r[0][2] * v.z,
          m.r[1][0] * v.x + m.r[1][1] * v.y + m.r[1][2] * v.z,
          m.r[2][0] * v.x + m.r[2][1] * v.y + m.r[2][2] * v.z};
}

Vec3 apply_transposed(const Mat3 &m, const Vec3 &v) {
  return {m.r[0][0] * v.x + m.r[1][0] * v.y + m.r[2][0] * v.z,
          m.r[0][1] * v.x + m.r[1][1] * v.y + m.r[2][1] * v.z,
          m.r[0][2] * v.x + m.r[1][2] * v.y + m.r[2][2] * v.z};
}

namespace {

// Pre-multiplies m by the rotation about x (R1) or z (R3) through angle a.
void rotate_x(double a, Mat3 &m) { eraRx(a, m.r); }
void rotate_z(double a, Mat3 &m) { eraRz(a, m.r); }

Mat3 identity() {
  Mat3 m;
  eraIr(m.r);
  return m;
}

// IAU 2006 mean obliquity of the ecliptic, arcseconds, at t Julian
// centuries of TDB (Capitaine et al. 2003).
double mean_obliquity_arcsec(double t) {
  return ((((-0.0000000434 * t - 0.000000576) * t + 0.00200340) * t -
           0.0001831) * t - 46.836769) * t + 84381.406;
}

} // namespace

double tdb_minus_tt(double t_tt) {
  // Fairhead & Bretagnon (1990), the six leading periodic terms and the
  // leading mixed term, in seconds.
  return 0.001657 * std::sin(628.3076 * t_tt + 6.2401) +
         0.000022 * std::sin(575.3385 * t_tt + 4.2970) +
         0.000014 * std::sin(1256.6152 * t_tt + 6.1969) +
         0.000005 * std::sin(606.9777 * t_tt + 4.0212) +
         0.000005 * std::sin(52.9691 * t_tt + 0.4444) +
         0.000002 * std::sin(21.3299 * t_tt + 5.5431) +
         0.000010 * t_tt * std::sin(628.3076 * t_tt + 4.2490);
}

double tdb_from_tt(double jd_tt) {
  const double t_tt = (jd_tt - kJ2000) / 36525.0;
  return jd_tt + tdb_minus_tt(t_tt) / 86400.0;
}

double tdb_from_ut1(double jd_hi, double jd_lo, double delta_t) {
  return tdb_from_tt((jd_hi + jd_lo) + delta_t / 86400.0);
}

Mat3 precession_matrix(double t) {
  // IAU 2006 (P03) four-angle precession, arcseconds.
  const double eps0 = 84381.406;
  const double psia =
      ((((-0.0000000951 * t + 0.000132851) * t - 0.00114045) * t -
        1.0790069) * t + 5038.481507) * t;
  const double omegaa =
      ((((+0.0000003337 * t - 0.000000467) * t - 0.00772503) * t +
        0.0512623) * t - 0.025754) * t + eps0;
  const double chia =
      ((((-0.0000000560 * t + 0.000170663) * t - 0.00121197) * t -
        2.3814292) * t + 10.556403) * t;

  // P = R3(chi_A) . R1(-omega_A) . R3(-psi_A) . R1(eps0).
  Mat3 p = identity();
  rotate_x(eps0 * kArcsecToRad, p);
  rotate_z(-psia * kArcsecToRad, p);
  rotate_x(-omegaa * kArcsecToRad, p);
  rotate_z(chia * kArcsecToRad, p);
  return p;
}

NutationTerms nutation_terms(double days_tdb) {
  NutationTerms n;
  eraNut00a(kJ2000, days_tdb, &n.dpsi, &n.deps);
  n.c_terms = eraEect00(kJ2000, days_tdb);
  return n;
}

DateModels date_models(double jd_tdb) {
  // The series get the date split as J2000 plus days, the days recovered
  // from the centuries (not taken from jd_tdb directly).
  return date_models(jd_tdb,
                     nutation_terms(((jd_tdb - kJ2000) / 36525.0) * 36525.0));
}

DateModels date_models(double jd_tdb, const NutationTerms &terms) {
  DateModels m;
  m.jd_tdb = jd_tdb;
  m.t = (jd_tdb - kJ2000) / 36525.0;
  m.dpsi = terms.dpsi / kArcsecToRad;
  m.deps = terms.deps / kArcsecToRad;
  const double c_terms = terms.c_terms / kArcsecToRad;

  const double eps_a = mean_obliquity_arcsec(m.t);
  m.eps_mean = eps_a / 3600.0;
  m.eps_true = (eps_a + m.deps) / 3600.0;
  m.ee = (m.dpsi * std::cos(m.eps_mean * kDegToRad) + c_terms) / 15.0;

  // N = R1(-eps_true) . R3(-dpsi) . R1(eps_mean).
  m.nutation = identity();
  rotate_x(m.eps_mean * kDegToRad, m.nutation);
  rotate_z(-m.dpsi * kArcsecToRad, m.nutation);
  rotate_x(-m.eps_true * kDegToRad, m.nutation);

  m.precession = precession_matrix(m.t);
  return m;
}

const Mat3 &frame_bias() {
  static const Mat3 b = [] {
    const double xi0 = -0.0166170 * kArcsecToRad;
    const double eta0 = -0.0068192 * kArcsecToRad;
    const double da0 = -0.01460 * kArcsecToRad;
    return Mat3{{{1.0 - 0.5 * (da0 * da0 + xi0 * xi0), -da0, xi0},
                 {da0, 1.0 - 0.5 * (da0 * da0 + eta0 * eta0), eta0},
                 {-xi0, -eta0, 1.0 - 0.5 * (eta0 * eta0 + xi0 * xi0)}}};
  }();
  return b;
}

double earth_rotation_angle(double jd_hi, double jd_lo) {
  const double theta1 = 0.7790572732640 + 0.00273781191135448 * (jd_hi - kJ2000);
  const double theta2 = 0.00273781191135448 * jd_lo;
  const double theta3 = std::fmod(jd_hi, 1.0) + std::fmod(jd_lo, 1.0);
  double theta = std::fmod((theta1 + theta2) + theta3, 1.0) * 360.0;
  if (theta < 0.0)
    theta += 360.0;
  return theta;
}

double sidereal_time(double jd_hi, double jd_lo, const DateModels &m) {
  const double t = m.t;
  // Precession in right ascension of mean sidereal time, arcseconds
  // (Capitaine et al. 2003, eq. 42), plus the equation of the equinoxes.
  const double q =
      ((((-0.0000000368 * t - 0.000029956) * t - 0.00000044) * t +
        1.3915817) * t + 4612.156534) * t;
  const double s = (15.0 * m.ee + 0.014506) + q;
  double g = std::fmod(s / 3600.0 + earth_rotation_angle(jd_hi, jd_lo), 360.0) / 15.0;
  if (g < 0.0)
    g += 24.0;
  return g;
}

Vec3 spin(double gast_hours, const Vec3 &v) {
  Mat3 r = identity();
  rotate_z(-(15.0 * gast_hours) * kDegToRad, r);
  return apply(r, v);
}

Vec3 gcrs_from_true(const DateModels &m, const Vec3 &v) {
  const Vec3 mean_of_date = apply_transposed(m.nutation, v);
  const Vec3 mean_j2000 = apply_transposed(m.precession, mean_of_date);
  return apply(frame_bias(), mean_j2000);
}

Vec3 true_from_gcrs(const DateModels &m, const Vec3 &v) {
  const Vec3 dynamical = apply_transposed(frame_bias(), v);
  const Vec3 mean_of_date = apply(m.precession, dynamical);
  return apply(m.nutation, mean_of_date);
}

} // namespace astro
