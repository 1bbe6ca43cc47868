// star_entry.h - a catalog entry for the star tests, made by
// make_cat_entry, its success checked.
#ifndef KIT_TESTS_STAR_ENTRY_H
#define KIT_TESTS_STAR_ENTRY_H

#include <gtest/gtest.h>

#include "novas_kit.h"

// A star named "star" of right ascension (hours), declination (degrees),
// and optionally proper motions (mas/yr), parallax (mas) and radial
// velocity (km/s).
inline cat_entry entry(double ra, double dec, double pm_ra = 0.0, double pm_dec = 0.0,
                       double parallax = 0.0, double rad_vel = 0.0) {
  char name[SIZE_OF_OBJ_NAME] = "star", catalog[SIZE_OF_CAT_NAME] = "";
  cat_entry e;
  EXPECT_EQ(make_cat_entry(name, catalog, 0, ra, dec, pm_ra, pm_dec, parallax, rad_vel, &e),
            0);
  return e;
}

#endif
