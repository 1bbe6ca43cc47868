// fitreach - how far the fitted nutation series of a stream of dates moves
// the station vectors of the orbit report, span by span.
//
//   fitreach FIRST_YEAR LAST_YEAR STEP BASES
//
// For each span of STEP years from FIRST_YEAR to LAST_YEAR, BASES random
// dates, and nine more at 0.05-day steps after each, are rotated with the
// nutation series from the fit (chebyshev_series, at any date: the span
// the stream uses it over was chosen from these figures) and with the
// series itself; printed: the span and the largest difference of a station
// position (km) and of an up vector.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "earth_rotation.h"
#include "novas_kit.h"
#include "nutation_fit.h"
#include "precession_nutation.h"
#include "random_sky.h"
#include "stations.h"
#include "time_scale_settings.h"
#include "time_scales.h"

namespace {

using tracking::kStationVectors;
const double kDeltaT = kit::kTimeScales.delta_t();

} // namespace

int main(int argc, char **argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: fitreach FIRST_YEAR LAST_YEAR STEP BASES\n");
    return 1;
  }
  const int first = std::atoi(argv[1]), last = std::atoi(argv[2]);
  const int step = std::atoi(argv[3]), bases = std::atoi(argv[4]);
  if (step < 1 || bases < 1 || first < -32768 || last > 32767 || first >= last) {
    std::fprintf(stderr, "fitreach: bad span\n");
    return 1;
  }
  Random rnd;
  for (int y = first; y < last; y += step) {
    const int y1 = y + step < last ? y + step : last;
    const double jd0 = julian_date(static_cast<short>(y), 1, 1, 0.0);
    const double jd1 = julian_date(static_cast<short>(y1), 1, 1, 0.0);
    double worst_km = 0.0, worst_unit = 0.0;
    ter2cel_stream stream;
    ter2cel_stream_init(&stream);
    for (int i = 0; i < bases; ++i) {
      const double base = jd0 + rnd.uniform() * (jd1 - jd0);
      for (int j = 0; j < 10; ++j) {
        const double jd = base + j * 0.05;
        double fitted[4][3], exact[4][3];
        const double jd_tdb = astro::tdb_from_ut1(jd, 0.0, kDeltaT);
        const double days = astro::series_days(jd_tdb);
        astro::rotate_to_celestial(
            jd, 0.0, astro::date_models(jd_tdb, astro::chebyshev_series(stream, days)),
            0, 4, kStationVectors, fitted);
        if (ter2cel_batch(jd, 0.0, kDeltaT, 1, 0, 0, 0.0, 0.0, 4,
                          kStationVectors, exact, nullptr) != 0)
          return 1;
        for (int v = 0; v < 4; ++v)
          for (int k = 0; k < 3; ++k) {
            double &worst = v % 2 == 0 ? worst_km : worst_unit;
            worst = std::fmax(worst, std::fabs(fitted[v][k] - exact[v][k]));
          }
      }
    }
    std::printf("%6d %6d %.3e km %.3e\n", y, y1, worst_km, worst_unit);
  }
  return 0;
}
