// limit_rules.cpp - the antennas' limit rules and the equatorial mount's
// conversion.
#include "limit_rules.h"

#include <cmath>

#include "math_constants.h"

namespace limits {

namespace {

constexpr double kSinLatitude = kMountSinLatitude;
constexpr double kCosLatitude = kMountCosLatitude;
using kit::kPi;

// The alt-azimuth antenna's reach.
constexpr double kAzelMinAltitude = 8.0;
constexpr double kAzelMaxAltitude = 82.5;
constexpr double kAzelMinAzimuth = 5.0;
constexpr double kAzelMaxAzimuth = 355.0;

// The elevation-limited antenna's reach.
constexpr double kElevMinAltitude = 5.0;
constexpr double kElevMaxAltitude = 88.5;

// The equatorial mount's reach.
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

// Limit rules: bounds included.  Written as "inside every bound" so that a
// value that compares false with everything is refused, not waved through.
bool azel_accepts(const Pointing &p) {
  return p.altitude_deg >= kAzelMinAltitude && p.altitude_deg <= kAzelMaxAltitude &&
         p.azimuth_deg >= kAzelMinAzimuth && p.azimuth_deg <= kAzelMaxAzimuth;
}

bool elev_accepts(const Pointing &p) {
  return p.altitude_deg >= kElevMinAltitude && p.altitude_deg <= kElevMaxAltitude;
}

bool polar_accepts(const Pointing &p) { return polar_mount_accepts(polar_mount_place(p)); }

} // namespace limits
