// elevlimits - can the elevation-limited antenna point at this altitude and
// azimuth?  Usage: elevlimits altitude_deg azimuth_deg.  Exit status 0: yes;
// 1: no, or a malformed request (then a message on standard error).
//
// The antenna reaches altitudes 5 to 88.5 degrees at every azimuth that
// passes the range check.
#include "pointing.h"

#include <cstdio>

namespace {

constexpr double kMinAltitude = 5.0;
constexpr double kMaxAltitude = 88.5;

// Limit rule: bounds included; the azimuth plays no part.  Written as
// "inside every bound" so that a NaN altitude is refused.
bool elev_accepts(const limits::Pointing &p) {
  return p.altitude_deg >= kMinAltitude && p.altitude_deg <= kMaxAltitude;
}

} // namespace

int main(int argc, char *argv[]) {
  return limits::run_limit_check(argc, argv, "elevlimits", elev_accepts,
                                 stderr);
}
