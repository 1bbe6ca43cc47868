// earth_rotation.cpp - ter2cel of the NOVAS 3.1 interface: vectors from
// terrestrial (ITRS) to celestial axes, equinox based.
#include "earth_rotation.h"

#include "novas.h"
#include "sidereal_time.h"
#include "time_scales.h"

namespace astro {

/*
**  rotation_status: ter2cel's status for its selectors.
**
**  Given:
**     method, accuracy, option   short    as for ter2cel
**     xp, yp                     double   polar motion, arcseconds
**
**  Returned (function value):
**                                short    the first that applies: 1
**                                         accuracy not 0 or 1; 2 method not
**                                         1; 3 option not 0 or 1; 4 a polar
**                                         motion other than zero (a
**                                         not-a-number included); else 0
*/
short int rotation_status(short int method, short int accuracy,
                          short int option, double xp, double yp) {
  if (accuracy != 0 && accuracy != 1)
    return 1;
  if (method != 1)
    return 2;
  if (option != 0 && option != 1)
    return 3;
  if (xp != 0.0 || yp != 0.0)
    return 4;
  return 0;
}

/*
**  rotate_to_celestial: vectors from terrestrial to celestial axes.
**
**  Given:
**     jd_ut1_high, jd_ut1_low   double       UT1 Julian date in two parts
**     m                         DateModels   the models at the date's TDB
**     option                    short        0 GCRS axes, 1 true equator
**                                            and equinox of date
**     n                         int          number of vectors
**     in                        double[n][3] vectors on terrestrial axes
**
**  Returned:
**     out                       double[n][3] the rotated vectors (may be in)
**
**  Notes:
**  1) The sidereal time and its spin matrix are formed once; each vector is
**     spun, then for option 0 taken on to the GCRS (gcrs_from_true).
*/
void rotate_to_celestial(double jd_ut1_high, double jd_ut1_low,
                         const DateModels &m, short int option, int n,
                         const double in[][3], double out[][3]) {
  const Mat3 earth_spin = spin_matrix(sidereal_time(jd_ut1_high, jd_ut1_low, m));
  for (int i = 0; i < n; ++i) {
    Vec3 v = apply(earth_spin, from_array(in[i]));
    if (option == 0)
      v = gcrs_from_true(m, v);
    to_array(v, out[i]);
  }
}

} // namespace astro

extern "C" {

/*
**  ter2cel: rotate a vector from terrestrial to celestial axes.
**
**  Given:
**     jd_ut_high  double   UT1 Julian date, high part
**     jd_ut_low   double   UT1 Julian date, low part
**     delta_t     double   TT - UT1, seconds
**     method      short    1 equinox based (Greenwich apparent sidereal
**                          time); 0, CIO based, is not provided
**     accuracy    short    0 full, 1 reduced (computed alike)
**     option      short    0 result on GCRS axes; 1 on the true equator and
**                          equinox of date
**     xp, yp      double   polar motion, arcseconds; zero only
**     vec1        double[3]  vector on terrestrial (ITRS) axes
**
**  Returned:
**     vec2        double[3]  the vector on the axes asked for, its length
**                          and units unchanged; untouched unless 0 is
**                          returned
**
**  Returned (function value):
**                 short    0 success
**                          1 accuracy not 0 or 1
**                          2 method not 1: an unknown method, or method 0,
**                            which this library does not provide (it is
**                            never served by method 1 instead)
**                          3 option not 0 or 1 (NOVAS takes any value but 1
**                            for 0; this library refuses it)
**                          4 polar motion not zero, which this library
**                            does not apply
**
**  Notes:
**  1) vec2 = B . P^T . N^T . R3(-GAST) . vec1 for option 0, R3(-GAST) . vec1
**     for option 1: the spin by apparent sidereal time, then the inverse
**     nutation (IAU 2000A), the inverse precession (IAU 2006) and the
**     inverse first-order frame bias.
**  2) TDB comes from TT = UT1 + delta_t with the TDB - TT series fed TT;
**     the Earth rotation angle is summed from the two date parts.  Every
**     quantity and its units follow NOVAS 3.1's order of operations, so the
**     result is NOVAS's to the last bit.
**  3) No state is kept between calls: the result depends on the arguments
**     alone.
**
**  Reference:
**     Kaplan, G. et al. 2011, User's Guide to NOVAS Version C3.1, USNO;
**     Kaplan, G. 2005, USNO Circular 179.
*/
short int ter2cel(double jd_ut_high, double jd_ut_low, double delta_t,
                  short int method, short int accuracy, short int option,
                  double xp, double yp, double *vec1, double *vec2) {
  const short int status = astro::rotation_status(method, accuracy, option, xp, yp);
  if (status != 0)
    return status;
  const astro::DateModels m =
      astro::date_models(astro::tdb_from_ut1(jd_ut_high, jd_ut_low, delta_t));
  const double in[1][3] = {{vec1[0], vec1[1], vec1[2]}};
  double out[1][3];
  astro::rotate_to_celestial(jd_ut_high, jd_ut_low, m, option, 1, in, out);
  vec2[0] = out[0][0];
  vec2[1] = out[0][1];
  vec2[2] = out[0][2];
  return 0;
}

} // extern "C"
