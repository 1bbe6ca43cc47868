// precession.cpp - IAU 2006 precession and mean obliquity.
#include "precession.h"

#include <cmath>

#include "constants.h"

namespace astro {

/*
**  mean_obliquity: mean obliquity of the ecliptic, IAU 2006.
**
**  Given:
**     t   double   Julian centuries of TDB from J2000
**
**  Returned (function value):
**         double   mean obliquity, arcseconds
**
**  Reference:
**     Capitaine, N., Wallace, P.T. & Chapront, J. 2003, Astron.
**     Astrophys. 412, 567, eq. 39.
*/
double mean_obliquity(double t) {
  return ((((-0.0000000434 * t - 0.000000576) * t + 0.00200340) * t -
           0.0001831) * t - 46.836769) * t + 84381.406;
}

/*
**  precession_matrix: IAU 2006 (P03) precession matrix.
**
**  Given:
**     t   double   Julian centuries of TDB from J2000
**
**  Returned (function value):
**         Mat3     P, taking mean J2000 coordinates to mean coordinates of
**                  date: P = R3(chi_A) . R1(-omega_A) . R3(-psi_A) . R1(eps0)
**
**  Notes:
**  1) The four angles are the P03 polynomials in arcseconds, turned into
**     radians.
**  2) The nine elements are formed directly as sums of products of the
**     angles' sines and cosines, each product multiplied out in the order
**     written and the terms added in the order written.  Composing the four
**     elementary rotations gives the same matrix mathematically but not to
**     the last bit, and the last bit shows in millimetre-resolution station
**     distances; this order is NOVAS 3.1's.
**
**  Reference:
**     Capitaine, N., Wallace, P.T. & Chapront, J. 2003, Astron.
**     Astrophys. 412, 567, eqs. 37 and 39.
*/
Mat3 precession_matrix(double t) {
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

  const double sa = std::sin(eps0 * kArcsecToRad);
  const double ca = std::cos(eps0 * kArcsecToRad);
  const double sb = std::sin(-psia * kArcsecToRad);
  const double cb = std::cos(-psia * kArcsecToRad);
  const double sc = std::sin(-omegaa * kArcsecToRad);
  const double cc = std::cos(-omegaa * kArcsecToRad);
  const double sd = std::sin(chia * kArcsecToRad);
  const double cd = std::cos(chia * kArcsecToRad);

  Mat3 p;
  p.r[0][0] = cd * cb - sb * sd * cc;
  p.r[0][1] = cd * sb * ca + sd * cc * cb * ca - sa * sd * sc;
  p.r[0][2] = cd * sb * sa + sd * cc * cb * sa + ca * sd * sc;
  p.r[1][0] = -sd * cb - sb * cd * cc;
  p.r[1][1] = -sd * sb * ca + cd * cc * cb * ca - sa * cd * sc;
  p.r[1][2] = -sd * sb * sa + cd * cc * cb * sa + ca * cd * sc;
  p.r[2][0] = sb * sc;
  p.r[2][1] = -sc * cb * ca - sa * cc;
  p.r[2][2] = -sc * cb * sa + cc * ca;
  return p;
}

} // namespace astro
