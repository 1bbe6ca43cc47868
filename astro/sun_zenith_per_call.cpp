// sun_zenith_per_call.cpp - sun_zenith_distance by the NOVAS calls
// themselves: the extension's implementation for a build against a real
// NOVAS 3.1, and the straightforward path the kit's own is compared with.
#include "novas_kit.h"

extern "C" {

/*
**  sun_zenith_distance: the Sun's zenith distance at a site.
**
**  Given, Returned: see novas_kit.h; the stream is ignored.
**
**  Notes:
**  1) The Sun's object is made with make_object (type 0, number 10, from
**     an empty catalog entry), its place with topo_planet at accuracy 1,
**     the zenith distance with equ2hor at accuracy 1 without polar motion.
*/
short int sun_zenith_distance(double jd_tt, double jd_ut1, double delta_t,
                              on_surface *site, short int ref_option,
                              ter2cel_stream *, double *zd) {
  char star_name[SIZE_OF_OBJ_NAME] = "DUMMY";
  char catalog[SIZE_OF_CAT_NAME] = "xxx";
  char sun_name[SIZE_OF_OBJ_NAME] = "Sun";
  cat_entry entry;
  object sun;
  make_cat_entry(star_name, catalog, 0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, &entry);
  make_object(0, 10, sun_name, &entry, &sun);
  double ra = 0.0, dec = 0.0, dis = 0.0;
  const short int status = topo_planet(jd_tt, &sun, delta_t, site, 1, &ra, &dec, &dis);
  double az, rar, decr;
  equ2hor(jd_ut1, delta_t, 1, 0.0, 0.0, site, ra, dec, ref_option, zd, &az, &rar, &decr);
  return status;
}

} // extern "C"
