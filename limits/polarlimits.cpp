// polarlimits - can the equatorial-mount antenna point at this altitude and
// azimuth?  Usage: polarlimits altitude_deg azimuth_deg.  Exit status 0: yes;
// 1: no, or a malformed request (then a message on standard error).
//
// The mount's limits are in hour angle and declination, so the pointing is
// converted from horizon coordinates at the mount's latitude first.
#include "polarlimits.h"

#include <cmath>
#include <cstdio>

#include "math_constants.h"

namespace limits {

namespace {

// Mount latitude 38.25081388888889 degrees north, through its stored sine
// and cosine (never computed at run time, so every build agrees bit for bit).
constexpr double kSinLatitude = 0.6191051047064607;
constexpr double kCosLatitude = 0.7853081365466693;
using kit::kPi;

constexpr double kMinAltitude = 11.0;
constexpr double kMinHourAngle = -6.5;
constexpr double kMaxHourAngle = 6.5;
constexpr double kMinDeclination = -37.0;
constexpr double kMaxDeclination = 77.0;

} // namespace

MountPlace polar_mount_place(const Pointing &p) {
  const double hr = (p.altitude_deg * kPi) / 180.0;
  const double sin_hr = std::sin(hr);
  const double cos_hr = std::cos(hr);

  // Azimuth from south, positive towards west, in radians.
  const double a = (kPi * (p.azimuth_deg - 180.0)) / 180.0;
  const double sin_a = std::sin(a);
  const double cos_a = std::cos(a);
  const double tan_hr = std::tan(hr);

  const double h =
      std::atan2(sin_a, kSinLatitude * cos_a + tan_hr * kCosLatitude);
  const double dec =
      std::asin(kSinLatitude * sin_hr - (kCosLatitude * cos_hr) * cos_a);

  MountPlace m;
  m.altitude_deg = (hr * 180.0) / kPi;
  m.hour_angle_h = ((180.0 * h) / kPi) / 15.0;
  m.declination_deg = (dec * 180.0) / kPi;
  return m;
}

bool polar_mount_accepts(const MountPlace &m) {
  // "Inside every bound" rather than "outside none": a NaN fails.
  return m.altitude_deg >= kMinAltitude && m.hour_angle_h >= kMinHourAngle &&
         m.hour_angle_h <= kMaxHourAngle &&
         m.declination_deg >= kMinDeclination &&
         m.declination_deg <= kMaxDeclination;
}

} // namespace limits

#ifndef KIT_NO_MAIN
namespace {

bool polar_accepts(const limits::Pointing &p) {
  return limits::polar_mount_accepts(limits::polar_mount_place(p));
}

} // namespace

int main(int argc, char *argv[]) {
  return limits::run_limit_check(argc, argv, "polarlimits", polar_accepts,
                                 stderr);
}
#endif
