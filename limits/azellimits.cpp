// azellimits - can the alt-azimuth antenna point at this altitude and
// azimuth?  Usage: azellimits altitude_deg azimuth_deg.  Exit status 0: yes;
// 1: no, or a malformed request (then a message on standard error).
//
// The antenna reaches altitudes 8 to 82.5 degrees and azimuths 5 to 355
// degrees: a 10-degree band of azimuth centred on north is out of reach.
#include "pointing.h"

#include <cstdio>

namespace {

constexpr double kMinAltitude = 8.0;
constexpr double kMaxAltitude = 82.5;
constexpr double kMinAzimuth = 5.0;
constexpr double kMaxAzimuth = 355.0;

// Limit rule: bounds included.  Written as "inside every bound" so that a
// value that compares false with everything is refused, not waved through.
bool azel_accepts(const limits::Pointing &p) {
  return p.altitude_deg >= kMinAltitude && p.altitude_deg <= kMaxAltitude &&
         p.azimuth_deg >= kMinAzimuth && p.azimuth_deg <= kMaxAzimuth;
}

} // namespace

int main(int argc, char *argv[]) {
  return limits::run_limit_check(argc, argv, "azellimits", azel_accepts,
                                 stderr);
}
