// star_track_per_call.cpp - the star track by the NOVAS calls themselves:
// the extension's implementation for a build against a real NOVAS 3.1,
// where a track keeps its star, site and span and each instant calls
// topo_star then equ2hor.
#include <cmath>

#include "novas_kit.h"

extern "C" {

/*
**  star_track_span_fit: the span alone; no series are fitted.
**
**  Given, Returned: see novas_kit.h; the span's dates are checked by the
**  first topo_star of each instant, not here (only 1 is returned).
*/
short int star_track_span_fit(double jd_first, double jd_last, double delta_t,
                              star_track_span *span) {
  if (!(std::isfinite(jd_first) && std::isfinite(jd_last) && jd_first < jd_last &&
        jd_last - jd_first <= STAR_TRACK_MAX_DAYS && std::isfinite(delta_t)))
    return 1;
  span->jd_first = jd_first;
  span->jd_last = jd_last;
  span->delta_t = delta_t;
  return 0;
}

/*
**  star_track_fit: the star, site and refraction option kept.
**
**  Given, Returned: see novas_kit.h; always 0 (a star that cannot be
**  placed fails at each instant with topo_star's status).
*/
short int star_track_fit(const star_track_span *span, const cat_entry *star,
                         const on_surface *site, short int ref_option,
                         star_track *track) {
  track->span = span;
  track->star = *star;
  track->site = *site;
  track->ref_option = ref_option;
  track->status = 0;
  return 0;
}

/*
**  star_track_horizon: topo_star at accuracy 1, then equ2hor at accuracy
**  1 without polar motion, with the span's delta_t.
**
**  Given, Returned: see novas_kit.h.
*/
short int star_track_horizon(const star_track *track, double jd_tt, double jd_ut1,
                             double *zd, double *az, double *ra, double *dec) {
  const star_track_span &s = *track->span;
  double r = std::nan(""), d = std::nan("");
  short int status = 3;
  if (jd_tt >= s.jd_first && jd_tt <= s.jd_last) {
    cat_entry star = track->star;
    on_surface site = track->site;
    status = topo_star(jd_tt, s.delta_t, &star, &site, 1, &r, &d);
    if (status == 0) {
      double rar, decr;
      equ2hor(jd_ut1, s.delta_t, 1, 0.0, 0.0, &site, r, d, track->ref_option, zd, az, &rar,
              &decr);
    }
  }
  if (status != 0)
    *zd = *az = r = d = std::nan("");
  if (ra != nullptr)
    *ra = r;
  if (dec != nullptr)
    *dec = d;
  return status;
}

} // extern "C"
