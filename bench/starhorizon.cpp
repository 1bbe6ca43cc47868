// starhorizon - the cost of the stars' horizon places (star_horizon_batch)
// by date and by star, against the NOVAS calls they stand for.
//
//   starhorizon DATES STARS
//
// DATES instants an hour apart from 2030-06-01, at the three antennas'
// sites (two sites: the azel and elev antennas share one), STARS random
// sources each, with refraction: the batch without a stream and along a
// stream of dates (one stream per site), each also with no star (the
// date's models alone), and topo_star then equ2hor for each star.
// Printed: CPU time per date and per star of each, in microseconds, and
// the largest difference of the stream's altitudes and azimuths from the
// series' (degrees).
#include <chrono>
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
constexpr int kSites = 2;

} // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: starhorizon DATES STARS\n");
    return 1;
  }
  const int dates = std::atoi(argv[1]), n = std::atoi(argv[2]);
  if (dates < 1 || n < 1 || dates > 1000000 || n > 100000) {
    std::fprintf(stderr, "starhorizon: DATES 1...1000000 and STARS 1...100000\n");
    return 1;
  }
  on_surface sites[kSites];
  make_on_surface(38.43313, -79.83984, 824.0, 10.0, 1010.0, &sites[0]);
  make_on_surface(38.25081388888889, -79.83984, 824.0, 10.0, 1010.0, &sites[1]);
  Random rnd;
  const std::vector<cat_entry> stars = random_stars(n, rnd);
  const double jd0 = julian_date(2030, 6, 1, 0.0);
  std::vector<star_horizon> plain(stars.size()), fitted(stars.size());
  double sink = 0.0, worst_alt = 0.0, worst_az = 0.0;

  // The batch without a stream and with one, star by star.
  double t_plain = 0.0, t_stream = 0.0, t_date = 0.0, t_stream_date = 0.0;
  // The calls with no star have streams of their own, which refit their
  // intervals as often as the others do.
  ter2cel_stream streams[kSites], bare_streams[kSites];
  for (int k = 0; k < kSites; ++k) {
    ter2cel_stream_init(&streams[k]);
    ter2cel_stream_init(&bare_streams[k]);
  }
  for (int d = 0; d < dates; ++d) {
    const double jd_ut1 = jd0 + d / 24.0, jd_tt = jd_ut1 + kDeltaT / 86400.0;
    for (int k = 0; k < kSites; ++k) {
      double t0 = cpu_seconds();
      star_horizon_batch(jd_tt, jd_ut1, kDeltaT, &sites[k], 1, n, stars.data(), nullptr,
                         plain.data());
      double t1 = cpu_seconds();
      star_horizon_batch(jd_tt, jd_ut1, kDeltaT, &sites[k], 1, n, stars.data(),
                         &streams[k], fitted.data());
      double t2 = cpu_seconds();
      star_horizon_batch(jd_tt, jd_ut1, kDeltaT, &sites[k], 1, 0, stars.data(), nullptr,
                         plain.data());
      double t3 = cpu_seconds();
      star_horizon_batch(jd_tt, jd_ut1, kDeltaT, &sites[k], 1, 0, stars.data(),
                         &bare_streams[k], fitted.data());
      double t4 = cpu_seconds();
      t_plain += t1 - t0;
      t_stream += t2 - t1;
      t_date += t3 - t2;
      t_stream_date += t4 - t3;
      for (int i = 0; i < n; ++i) {
        worst_alt = std::fmax(worst_alt, std::fabs(fitted[i].zd - plain[i].zd));
        double daz = std::fabs(fitted[i].az - plain[i].az);
        worst_az = std::fmax(worst_az, std::fmin(daz, 360.0 - daz));
        sink += plain[i].zd;
      }
    }
  }

  // The NOVAS calls, star by star.
  const int call_dates = dates < 50 ? dates : 50;
  double t_calls = 0.0;
  for (int d = 0; d < call_dates; ++d) {
    const double jd_ut1 = jd0 + d / 24.0, jd_tt = jd_ut1 + kDeltaT / 86400.0;
    for (int k = 0; k < kSites; ++k) {
      const double t0 = cpu_seconds();
      for (cat_entry s : stars) {
        double ra, dec, zd, az, rar, decr;
        topo_star(jd_tt, kDeltaT, &s, &sites[k], 1, &ra, &dec);
        equ2hor(jd_ut1, kDeltaT, 1, 0.0, 0.0, &sites[k], ra, dec, 1, &zd, &az, &rar, &decr);
        sink += zd;
      }
      t_calls += cpu_seconds() - t0;
    }
  }

  const double evaluations = static_cast<double>(dates) * kSites;
  const double per_date = t_date / evaluations * 1e6;
  const double per_stream_date = t_stream_date / evaluations * 1e6;
  std::printf("dates x sites %.0f, stars %d\n", evaluations, n);
  std::printf("no stream: the date's models alone (no star) %9.2f us per date\n", per_date);
  std::printf("           all the stars                     %9.2f us per date, %7.3f us "
              "per star beyond the date's models\n",
              t_plain / evaluations * 1e6, (t_plain / evaluations * 1e6 - per_date) / n);
  std::printf("stream:    the date's models alone (no star) %9.2f us per date\n",
              per_stream_date);
  std::printf("           all the stars                     %9.2f us per date, %7.3f us "
              "per star beyond the date's models\n",
              t_stream / evaluations * 1e6,
              (t_stream / evaluations * 1e6 - per_stream_date) / n);
  std::printf("topo_star + equ2hor, star by star            %9.2f us per star\n",
              t_calls / (static_cast<double>(call_dates) * kSites * n) * 1e6);
  std::printf("stream against series: zenith distance %.2e deg, azimuth %.2e deg\n",
              worst_alt, worst_az);
  return sink == 12345.678 ? 2 : 0;
}
