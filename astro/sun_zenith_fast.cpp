// sun_zenith_fast.cpp - the kit's own sun_zenith_distance: topo_planet's
// place and equ2hor's horizon, the models evaluated once each, the
// nutation series fitted along a stream of dates.
#include "apparent_place.h"
#include "constants.h"
#include "horizon.h"
#include "novas_kit.h"
#include "nutation_fit.h"
#include "precession_nutation.h"
#include "solar_ephemeris.h"
#include "time_scales.h"

namespace {

// The models at a TDB date, the series from the stream's fit when there is
// a stream.
astro::DateModels models(double jd_tdb, ter2cel_stream *stream) {
  const double days = astro::series_days(jd_tdb);
  return astro::date_models(jd_tdb, stream != nullptr
                                        ? astro::fitted_series(*stream, days)
                                        : astro::nutation_series(days));
}

} // namespace

extern "C" {

/*
**  sun_zenith_distance: the Sun's zenith distance at a site.
**
**  Given, Returned: see novas_kit.h.
**
**  Notes:
**  1) The place is topo_planet's (topocentric_sun) at jd_tt's TDB date,
**     the zenith distance equ2hor's (horizon_place) at jd_ut1's; each set
**     of models is evaluated once.  Outside the ephemeris the place is 0,
**     0, as topo_planet leaves it, and status 31 is returned.
*/
short int sun_zenith_distance(double jd_tt, double jd_ut1, double delta_t,
                              on_surface *site, short int ref_option,
                              ter2cel_stream *stream, double *zd) {
  const double jd_tdb = astro::tdb_from_tt(jd_tt);
  double ra = 0.0, dec = 0.0, dis = 0.0;
  short int status = 0;
  if (jd_tdb >= astro::kEphemerisFirst && jd_tdb <= astro::kEphemerisLast)
    astro::topocentric_sun(jd_tt, delta_t, *site, models(jd_tdb, stream), &ra, &dec, &dis);
  else
    status = 31;
  double az, rar, decr;
  astro::horizon_place(jd_ut1, models(astro::tdb_from_ut1(jd_ut1, 0.0, delta_t), stream),
                       *site, ra, dec, ref_option, zd, &az, &rar, &decr);
  return status;
}

} // extern "C"
