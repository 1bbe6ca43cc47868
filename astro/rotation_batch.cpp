// rotation_batch.cpp - the kit's own ter2cel_batch: several vectors rotated
// at one date with the date's models evaluated once, the nutation series
// fitted along a stream of dates.
#include "earth_rotation.h"
#include "novas_kit.h"
#include "nutation_fit.h"
#include "time_scales.h"

extern "C" {

/*
**  ter2cel_batch: n vectors from terrestrial to celestial axes at one date.
**
**  Given:
**     jd_ut_high, jd_ut_low  double   UT1 Julian date in two parts
**     delta_t                double   TT - UT1, seconds
**     method, accuracy, option, xp, yp   as for ter2cel
**     n                      int      number of vectors
**     vec1                   double[n][3]  vectors on terrestrial axes
**     stream                 ter2cel_stream*  NULL, or the stream of dates
**                                     this one belongs to
**
**  Returned:
**     vec2                   double[n][3]  the rotated vectors; untouched
**                                     unless 0 is returned
**     stream                 its coefficients, refitted when the date lies
**                            in another interval
**
**  Returned (function value):
**                            short    0, or ter2cel's status (1 accuracy,
**                                     2 method, 3 option, 4 polar motion)
**
**  Notes:
**  1) Without a stream the date's models are evaluated once for all n
**     vectors: each result is ter2cel's to the last bit.  With a stream
**     the nutation series and complementary terms come from its fit
**     (nutation_fit.cpp), within 1.0e-11 arcsecond of the series, and the
**     results depend on the date alone.
*/
short int ter2cel_batch(double jd_ut_high, double jd_ut_low, double delta_t,
                        short int method, short int accuracy,
                        short int option, double xp, double yp, int n,
                        const double (*vec1)[3], double (*vec2)[3],
                        ter2cel_stream *stream) {
  const short int status = astro::rotation_status(method, accuracy, option, xp, yp);
  if (status != 0)
    return status;
  const double jd_tdb = astro::tdb_from_ut1(jd_ut_high, jd_ut_low, delta_t);
  const double days = astro::series_days(jd_tdb);
  const astro::NutationSeries series = stream != nullptr
                                           ? astro::fitted_series(*stream, days)
                                           : astro::nutation_series(days);
  astro::rotate_to_celestial(jd_ut_high, jd_ut_low,
                             astro::date_models(jd_tdb, series), option, n,
                             vec1, vec2);
  return 0;
}

} // extern "C"
