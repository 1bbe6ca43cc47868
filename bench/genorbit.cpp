// genorbit - writes a synthetic orbit file: timestamped geocentric states of
// a spacecraft on a Keplerian ellipse, in the orbit-file record format.
//
//   genorbit RECORDS SEGMENTS SEED [FIRST_YEAR LAST_YEAR [CADENCE [A E]]]
//
// The records are split into SEGMENTS runs spread in ascending order over
// 2000-2100, or from the start of FIRST_YEAR to the start of LAST_YEAR (a
// single run starts on 2016-11-01, or at FIRST_YEAR, and has a 15 s
// cadence, or CADENCE seconds).  The ellipse is drawn from SEED, or has the
// semi-major axis A (km) and the eccentricity E.  Each run has its own
// cadence, drawn from 1 s, 10 s, 37.25 s, 60 s, 300 s and 3600 s, so that
// timestamps carry fractions of a second and dates far apart occur.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "math_constants.h"

namespace {

constexpr double kGm = 398600.4418; // km^3/s^2
using kit::kPi;

// A small deterministic generator (splitmix64), the same on every platform.
struct Random {
  std::uint64_t state;
  double uniform() {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
  }
};

struct Orbit {
  double a, e, incl, node, argp;
};

// Position (km) and velocity (km/s) t seconds after perigee.
void state(const Orbit &o, double t, double r[3], double v[3]) {
  const double n = std::sqrt(kGm / (o.a * o.a * o.a));
  const double mean = std::fmod(n * t, 2.0 * kPi);
  double ecc = mean;
  for (int i = 0; i < 30; ++i)
    ecc -= (ecc - o.e * std::sin(ecc) - mean) / (1.0 - o.e * std::cos(ecc));
  const double b = o.a * std::sqrt(1.0 - o.e * o.e);
  const double px = o.a * (std::cos(ecc) - o.e), py = b * std::sin(ecc);
  const double edot = n / (1.0 - o.e * std::cos(ecc));
  const double vx = -o.a * std::sin(ecc) * edot, vy = b * std::cos(ecc) * edot;
  // Perifocal -> geocentric: rotate by the argument of perigee, the
  // inclination and the node.
  const double cw = std::cos(o.argp), sw = std::sin(o.argp);
  const double ci = std::cos(o.incl), si = std::sin(o.incl);
  const double cn = std::cos(o.node), sn = std::sin(o.node);
  const double m[3][2] = {{cn * cw - sn * sw * ci, -cn * sw - sn * cw * ci},
                          {sn * cw + cn * sw * ci, -sn * sw + cn * cw * ci},
                          {sw * si, cw * si}};
  for (int i = 0; i < 3; ++i) {
    r[i] = m[i][0] * px + m[i][1] * py;
    v[i] = m[i][0] * vx + m[i][1] * vy;
  }
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 4 && argc != 6 && argc != 7 && argc != 9) {
    std::fprintf(stderr, "usage: genorbit RECORDS SEGMENTS SEED "
                         "[FIRST_YEAR LAST_YEAR [CADENCE [A E]]]\n");
    return 1;
  }
  const long records = std::atol(argv[1]);
  const long segments = std::atol(argv[2]);
  Random rnd{static_cast<std::uint64_t>(std::atol(argv[3]))};
  if (records < 0 || segments < 1) {
    std::fprintf(stderr, "genorbit: bad counts\n");
    return 1;
  }
  static const double cadences[] = {1.0, 10.0, 37.25, 60.0, 300.0, 3600.0};
  // The span: 2000-01-01 and 100 Julian years, or the years asked for.
  double first = 946684800.0;
  double span = 3155760000.0;
  double single_start = 1477958400.0;     // 2016-11-01
  if (argc >= 6) {
    std::tm from{}, to{};
    from.tm_mday = to.tm_mday = 1;
    from.tm_year = std::atoi(argv[4]) - 1900;
    to.tm_year = std::atoi(argv[5]) - 1900;
    first = single_start = static_cast<double>(timegm(&from));
    span = static_cast<double>(timegm(&to)) - first;
    if (!(span > 0.0)) {
      std::fprintf(stderr, "genorbit: bad years\n");
      return 1;
    }
  }
  Orbit orbit{9000.0 + 200000.0 * rnd.uniform(), 0.1 + 0.8 * rnd.uniform(),
              kPi * rnd.uniform(), 2 * kPi * rnd.uniform(),
              2 * kPi * rnd.uniform()};
  const double single_cadence = argc >= 7 ? std::atof(argv[6]) : 15.0;
  if (argc == 9) {
    orbit.a = std::atof(argv[7]);
    orbit.e = std::atof(argv[8]);
  }
  if (!(single_cadence > 0.0) || !(orbit.a > 0.0) || !(orbit.e >= 0.0 && orbit.e < 1.0)) {
    std::fprintf(stderr, "genorbit: bad cadence or ellipse\n");
    return 1;
  }
  long written = 0;
  for (long s = 0; s < segments; ++s) {
    const long count = records / segments + (s < records % segments ? 1 : 0);
    const double cadence =
        segments == 1 ? single_cadence : cadences[static_cast<int>(6 * rnd.uniform()) % 6];
    // Whole-second start inside this segment's share of the century.
    const double start =
        segments == 1 ? single_start
                      : std::floor(first + span * (s + 0.5 * rnd.uniform()) / segments);
    for (long i = 0; i < count; ++i, ++written) {
      const double t = start + cadence * static_cast<double>(i);
      const std::time_t whole = static_cast<std::time_t>(std::floor(t));
      std::tm tm;
      gmtime_r(&whole, &tm);
      double r[3], v[3];
      state(orbit, t - first, r, v);
      std::printf("%04d-%02d-%02dT%02d:%02d:%06.3f %.6f %.6f %.6f %.9f %.9f %.9f\n",
                  tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                  tm.tm_min, tm.tm_sec + (t - std::floor(t)), r[0], r[1], r[2],
                  v[0], v[1], v[2]);
    }
  }
  return written == records ? 0 : 1;
}
