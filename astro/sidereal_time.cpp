// sidereal_time.cpp - Earth rotation angle, apparent sidereal time and the
// Earth's spin.
#include "sidereal_time.h"

#include <cmath>

#include "constants.h"

namespace astro {

/*
**  earth_rotation_angle: the Earth rotation angle (IAU 2000).
**
**  Given:
**     jd_ut1_high, jd_ut1_low   double   UT1 Julian date in two parts
**
**  Returned (function value):
**                               double   ERA, degrees, [0, 360)
**
**  Notes:
**  1) theta = frac(0.7790572732640 + 0.00273781191135448 (high - J2000)
**     + 0.00273781191135448 low + frac(high) + frac(low)), in turns, the
**     first two terms added first: NOVAS 3.1's grouping.  eraEra00 groups
**     the same terms otherwise and differs in the last bits.
**
**  Reference:
**     Capitaine, N., Guinot, B. & McCarthy, D.D. 2000, Astron. Astrophys.
**     355, 398.
*/
double earth_rotation_angle(double jd_ut1_high, double jd_ut1_low) {
  const double theta1 =
      0.7790572732640 + 0.00273781191135448 * (jd_ut1_high - kJ2000);
  const double theta2 = 0.00273781191135448 * jd_ut1_low;
  const double theta3 = std::fmod(jd_ut1_high, 1.0) + std::fmod(jd_ut1_low, 1.0);
  double theta = std::fmod((theta1 + theta2) + theta3, 1.0) * 360.0;
  if (theta < 0.0)
    theta += 360.0;
  return theta;
}

/*
**  sidereal_time: Greenwich apparent sidereal time, equinox based.
**
**  Given:
**     jd_ut1_high, jd_ut1_low   double       UT1 Julian date in two parts
**     m                         DateModels   the models at the date's TDB
**
**  Returned (function value):
**                               double       GAST, hours, [0, 24)
**
**  Notes:
**  1) GAST = ERA + (15 ee + 0.014506 + Q(T)) / 3600 degrees, with Q the
**     precession in right ascension (arcseconds, Horner's rule in T
**     Julian centuries of TDB), reduced modulo 360 degrees and divided by
**     15.  With ee = 0 this is mean sidereal time.
**
**  Reference:
**     Capitaine, N., Wallace, P.T. & Chapront, J. 2003, Astron.
**     Astrophys. 412, 567, eq. 42.
*/
double sidereal_time(double jd_ut1_high, double jd_ut1_low, const DateModels &m) {
  const double t = m.t;
  const double q =
      ((((-0.0000000368 * t - 0.000029956) * t - 0.00000044) * t +
        1.3915817) * t + 4612.156534) * t;
  const double s = (15.0 * m.ee + 0.014506) + q;
  double g = std::fmod(s / 3600.0 + earth_rotation_angle(jd_ut1_high, jd_ut1_low),
                       360.0) / 15.0;
  if (g < 0.0)
    g += 24.0;
  return g;
}

/*
**  spin: the Earth's rotation by the apparent sidereal time.
**
**  Given:
**     gast_hours   double   Greenwich apparent sidereal time, hours
**     v            Vec3     a vector on terrestrial axes (no polar motion)
**
**  Returned (function value):
**                  Vec3     v on the true equator and equinox of date:
**                           R3(-(15 gast) degrees) . v, the angle formed in
**                           degrees before it is turned into radians
**
**  spin_matrix: the same rotation as a matrix, formed once for the vectors
**  of one date.
*/
Vec3 spin(double gast_hours, const Vec3 &v) { return apply(spin_matrix(gast_hours), v); }

Mat3 spin_matrix(double gast_hours) {
  Mat3 r = identity();
  rotate_z(-(15.0 * gast_hours) * kDegToRad, r);
  return r;
}

} // namespace astro
