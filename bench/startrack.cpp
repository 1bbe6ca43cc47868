// startrack - the cost of a star track (star_track_span_fit,
// star_track_fit, star_track_horizon) against star_horizon_batch.
//
//   startrack SPANS STARS
//
// SPANS spans of 2 days from 2030-06-01 at the azel antenna's site, STARS
// random sources each, with refraction; each track evaluated at 1,000
// instants across its span.  Printed: CPU time of a span's fit, of a
// track's fit and of an evaluation, and of star_horizon_batch for one star
// at one date (without a stream) for comparison, in microseconds; and the
// largest difference of the track's zenith distances from the batch's
// (degrees) at the instants compared.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "cpu_clock.h"
#include "novas_kit.h"
#include "random_sky.h"

namespace {

constexpr double kDeltaT = 69.184;
constexpr double kSpanDays = 2.0;
constexpr int kInstants = 1000;

} // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: startrack SPANS STARS\n");
    return 1;
  }
  const int spans = std::atoi(argv[1]), n = std::atoi(argv[2]);
  if (spans < 1 || n < 1 || spans > 10000 || n > 10000) {
    std::fprintf(stderr, "startrack: SPANS 1...10000 and STARS 1...10000\n");
    return 1;
  }
  on_surface site;
  make_on_surface(38.43313, -79.83984, 824.0, 10.0, 1010.0, &site);
  Random rnd;
  const std::vector<cat_entry> stars = random_stars(n, rnd);
  const double jd0 = julian_date(2030, 6, 1, 0.0);
  std::vector<star_track> tracks(stars.size());
  std::vector<double> instants(kInstants);
  double t_span = 0.0, t_track = 0.0, t_eval = 0.0, t_batch = 0.0, sink = 0.0, worst = 0.0;
  long long evaluations = 0, batches = 0;
  for (int k = 0; k < spans; ++k) {
    const double first = jd0 + k * kSpanDays;
    star_track_span span;
    double t = cpu_seconds();
    if (star_track_span_fit(first, first + kSpanDays, kDeltaT, &span) != 0) {
      std::fprintf(stderr, "startrack: a span could not be fitted\n");
      return 1;
    }
    t_span += cpu_seconds() - t;
    t = cpu_seconds();
    for (std::size_t i = 0; i < stars.size(); ++i)
      star_track_fit(&span, &stars[i], &site, 1, &tracks[i]);
    t_track += cpu_seconds() - t;
    for (double &jd : instants)
      jd = first + kSpanDays * rnd.uniform();
    t = cpu_seconds();
    for (const star_track &track : tracks)
      for (const double jd_tt : instants) {
        double zd, az;
        star_track_horizon(&track, jd_tt, jd_tt - kDeltaT / 86400.0, &zd, &az, nullptr,
                           nullptr);
        sink += zd;
      }
    t_eval += cpu_seconds() - t;
    evaluations += static_cast<long long>(tracks.size()) * kInstants;

    // The batch at a tenth of the instants, and the track's differences.
    for (std::size_t i = 0; i < stars.size(); ++i)
      for (int j = 0; j < kInstants; j += 10) {
        const double jd_tt = instants[static_cast<std::size_t>(j)];
        const double jd_ut1 = jd_tt - kDeltaT / 86400.0;
        star_horizon place;
        t = cpu_seconds();
        star_horizon_batch(jd_tt, jd_ut1, kDeltaT, &site, 1, 1, &stars[i], nullptr, &place);
        t_batch += cpu_seconds() - t;
        ++batches;
        double zd, az;
        star_track_horizon(&tracks[i], jd_tt, jd_ut1, &zd, &az, nullptr, nullptr);
        worst = std::fmax(worst, std::fabs(zd - place.zd));
      }
  }
  std::printf("span fit        %10.3f us per span\n", 1e6 * t_span / spans);
  std::printf("track fit       %10.3f us per star\n", 1e6 * t_track / (spans * n));
  std::printf("track place     %10.3f us per star and instant (%lld)\n",
              1e6 * t_eval / static_cast<double>(evaluations), evaluations);
  std::printf("batch, no stream %9.3f us per star and instant (%lld)\n",
              1e6 * t_batch / static_cast<double>(batches), batches);
  std::printf("largest |zd - batch zd| %.3g degree\n", worst);
  return sink == 12345.678 ? 3 : 0;
}
