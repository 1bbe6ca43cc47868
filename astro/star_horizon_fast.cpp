// star_horizon_fast.cpp - the kit's own star_horizon_batch: topo_star's
// place and equ2hor's horizon for several stars, every model of the date
// evaluated once, the nutation series fitted along a stream of dates.
#include <limits>

#include "horizon.h"
#include "novas_kit.h"
#include "nutation_fit.h"
#include "precession_nutation.h"
#include "star_place.h"
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

// A star that could not be placed.
star_horizon not_placed(short int status) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  return {nan, nan, nan, nan, status};
}

} // namespace

extern "C" {

/*
**  star_horizon_batch: the horizon places of several stars.
**
**  Given, Returned: see novas_kit.h.
**
**  Notes:
**  1) The place is topo_star's (topocentric_star with the observer of
**     star_observer) at jd_tt's TDB date, the horizon equ2hor's
**     (horizon_in_frame in the frame of horizon_frame) at jd_ut1's.  The
**     two dates' models are evaluated once each, and once only when the
**     two TDB dates are the same number, as they are when
**     jd_ut1 + delta_t / 86400 rounds to jd_tt.
*/
short int star_horizon_batch(double jd_tt, double jd_ut1, double delta_t,
                             on_surface *site, short int ref_option, int n,
                             const cat_entry *stars, ter2cel_stream *stream,
                             star_horizon *places) {
  const double jd_tdb = astro::tdb_from_tt(jd_tt);
  const short int date_status = astro::star_date_status(1, jd_tdb);
  if (date_status != 0) {
    for (int i = 0; i < n; ++i)
      places[i] = not_placed(date_status);
    return n > 0 ? date_status : 0;
  }

  const astro::DateModels place_models = models(jd_tdb, stream);
  const double horizon_tdb = astro::tdb_from_ut1(jd_ut1, 0.0, delta_t);
  const astro::DateModels horizon_models =
      horizon_tdb == jd_tdb ? place_models : models(horizon_tdb, stream);
  const astro::StarObserver observer =
      astro::star_observer(jd_tt, delta_t, *site, place_models);
  const astro::HorizonFrame frame =
      astro::horizon_frame(jd_ut1, horizon_models, *site, ref_option);

  short int status = 0;
  for (int i = 0; i < n; ++i) {
    star_horizon &p = places[i];
    p.status = astro::topocentric_star(observer, place_models, stars[i], &p.ra, &p.dec);
    if (p.status != 0) {
      p = not_placed(p.status);
      if (status == 0)
        status = p.status;
      continue;
    }
    astro::horizon_in_frame(frame, p.ra, p.dec, &p.zd, &p.az, nullptr, nullptr);
  }
  return status;
}

} // extern "C"
