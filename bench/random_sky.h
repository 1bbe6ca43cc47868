// random_sky.h - what the benchmarks draw at random: a deterministic
// stream of uniform numbers, the same on every platform, and sources
// spread evenly over the sky.
#ifndef KIT_BENCH_RANDOM_SKY_H
#define KIT_BENCH_RANDOM_SKY_H

#include <cmath>
#include <cstdint>
#include <vector>

#include "novas_kit.h"

// A linear congruential stream (Knuth's MMIX constants) of uniform numbers
// in [0, 1), 53 bits each.
struct Random {
  std::uint64_t state = 12345;
  double uniform() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state >> 11) * 0x1.0p-53;
  }
};

// n catalog entries named "source", uniform over the sphere (right
// ascension uniform, the sine of the declination uniform), at rest.
inline std::vector<cat_entry> random_stars(int n, Random &rnd) {
  std::vector<cat_entry> stars(static_cast<std::size_t>(n));
  for (cat_entry &s : stars) {
    char name[SIZE_OF_OBJ_NAME] = "source", catalog[SIZE_OF_CAT_NAME] = "";
    make_cat_entry(name, catalog, 0, 24.0 * rnd.uniform(),
                   std::asin(2.0 * rnd.uniform() - 1.0) * 57.295779513082321, 0.0, 0.0,
                   0.0, 0.0, &s);
  }
  return stars;
}

#endif
