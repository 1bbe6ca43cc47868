// star_horizon_per_call.cpp - star_horizon_batch by the NOVAS calls
// themselves: the extension's implementation for a build against a real
// NOVAS 3.1, and the straightforward path the kit's own is compared with.
#include <cmath>

#include "novas_kit.h"

extern "C" {

/*
**  star_horizon_batch: the horizon places of several stars.
**
**  Given, Returned: see novas_kit.h; the stream is ignored.
**
**  Notes:
**  1) For each star topo_star at accuracy 1, then, when it succeeds,
**     equ2hor at accuracy 1 without polar motion; every model is
**     evaluated afresh by each call.
*/
short int star_horizon_batch(double jd_tt, double jd_ut1, double delta_t,
                             on_surface *site, short int ref_option, int n,
                             const cat_entry *stars, ter2cel_stream *,
                             star_horizon *places) {
  short int status = 0;
  for (int i = 0; i < n; ++i) {
    star_horizon &p = places[i];
    cat_entry star = stars[i];
    p.status = topo_star(jd_tt, delta_t, &star, site, 1, &p.ra, &p.dec);
    if (p.status != 0) {
      p.zd = p.az = p.ra = p.dec = std::nan("");
      if (status == 0)
        status = p.status;
      continue;
    }
    double rar, decr;
    equ2hor(jd_ut1, delta_t, 1, 0.0, 0.0, site, p.ra, p.dec, ref_option, &p.zd, &p.az,
            &rar, &decr);
  }
  return status;
}

} // extern "C"
