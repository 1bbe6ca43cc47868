// earth.cpp - julian_date and ter2cel of the NOVAS 3.1 interface.
#include <cassert>

#include "frames.h"
#include "novas.h"

extern "C" {

double julian_date(short int year, short int month, short int day, double hour) {
  // Integer Julian day number of the Gregorian date (Fliegel & Van Flandern
  // 1968); every division truncates toward zero and no range is checked, so
  // surplus days and months run on into the following ones.
  const long y = year, mo = month, d = day;
  const long a = (mo - 14) / 12;
  const long jdn = d - 32075 + (1461 * (y + 4800 + a)) / 4 +
                   (367 * (mo - 2 - 12 * a)) / 12 -
                   (3 * ((y + 4900 + a) / 100)) / 4;
  return (static_cast<double>(jdn) - 0.5) + hour / 24.0;
}

short int ter2cel(double jd_ut_high, double jd_ut_low, double delta_t,
                  short int method, short int accuracy, short int option,
                  double xp, double yp, double *vec1, double *vec2) {
  if (accuracy != 0 && accuracy != 1)
    return 1;
  // Only the equinox-based method is provided; the CIO-based one (0) is
  // refused like an unknown method rather than served by the other.
  if (method != 1)
    return 2;
  assert(xp == 0.0 && yp == 0.0 && "polar motion is not supported");
  (void)xp;
  (void)yp;

  const astro::DateModels m =
      astro::date_models(astro::tdb_from_ut1(jd_ut_high, jd_ut_low, delta_t));
  const double gast = astro::sidereal_time(jd_ut_high, jd_ut_low, m);

  astro::Vec3 v = astro::spin(gast, {vec1[0], vec1[1], vec1[2]});
  if (option != 1)
    v = astro::gcrs_from_true(m, v);
  vec2[0] = v.x;
  vec2[1] = v.y;
  vec2[2] = v.z;
  return 0;
}

} // extern "C"
