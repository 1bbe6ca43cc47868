// limit_terms.cpp - the antennas' limits as margins with rates.
#include "limit_terms.h"

#include <cmath>

#include "limit_rules.h"
#include "math_constants.h"

namespace limits {

const char kAltitude[] = "altitude";
const char kAzimuth[] = "azimuth";
const char kHourAngle[] = "hour-angle";
const char kDeclination[] = "declination";

namespace {

constexpr double kRadians = kit::kPi / 180.0;
constexpr double kSinLatitude = kMountSinLatitude;
constexpr double kCosLatitude = kMountCosLatitude;

// The hour angle's and the declination's rates of the mount's conversion
// (hours and degrees per second), by its derivatives.
void mount_rates(const Pointing &p, const PointingRate &r, const MountPlace &m,
                 double &hour_angle_rate, double &declination_rate) {
  const double hr = p.altitude_deg * kRadians, a = (p.azimuth_deg - 180.0) * kRadians;
  const double dh = r.altitude_deg_s * kRadians, da = r.azimuth_deg_s * kRadians;
  const double sin_hr = std::sin(hr), cos_hr = std::cos(hr);
  const double sin_a = std::sin(a), cos_a = std::cos(a);
  const double d_sin_dec =
      (kSinLatitude * cos_hr + kCosLatitude * sin_hr * cos_a) * dh + kCosLatitude * cos_hr * sin_a * da;
  declination_rate = d_sin_dec / std::cos(m.declination_deg * kRadians) / kRadians;
  const double y = sin_a, x = kSinLatitude * cos_a + kCosLatitude * std::tan(hr);
  const double dy = cos_a * da;
  const double dx = -kSinLatitude * sin_a * da + kCosLatitude * dh / (cos_hr * cos_hr);
  hour_angle_rate = (x * dy - y * dx) / (x * x + y * y) / kRadians / 15.0;
}

} // namespace

int antenna_terms(Antenna antenna, const Pointing &p, const PointingRate &r,
                  LimitTerm (&terms)[kMaxTerms]) {
  const double alt = p.altitude_deg, dalt = r.altitude_deg_s;
  switch (antenna) {
  case Antenna::azel: {
    // The azimuth's distance from north less 5 degrees, weighted by the
    // cosine of the altitude: the margin's sign is that distance's against
    // 5 degrees, and the margin itself a smooth function of the direction
    // (the north and east components of a unit vector) but for its kinks
    // at north and south, so that a pointing that sweeps round the zenith
    // does not swing it.
    const bool east = p.azimuth_deg <= 180.0;
    const double distance = east ? p.azimuth_deg : 360.0 - p.azimuth_deg;
    const double distance_rate = east ? r.azimuth_deg_s : -r.azimuth_deg_s;
    const double c = std::cos(alt * kRadians), s = std::sin(alt * kRadians);
    const double x = (distance - 5.0) * kRadians;
    terms[0] = {alt - 8.0, dalt, kAltitude};
    terms[1] = {82.5 - alt, -dalt, kAltitude};
    terms[2] = {c * std::sin(x),
                (-s * dalt * std::sin(x) + c * std::cos(x) * distance_rate) * kRadians, kAzimuth};
    return 3;
  }
  case Antenna::elev:
    terms[0] = {alt - 5.0, dalt, kAltitude};
    terms[1] = {88.5 - alt, -dalt, kAltitude};
    return 2;
  case Antenna::polar: {
    const MountPlace m = polar_mount_place(p);
    double dha, ddec;
    mount_rates(p, r, m, dha, ddec);
    const double ha = m.hour_angle_h;
    terms[0] = {m.altitude_deg - 11.0, dalt, kAltitude};
    terms[1] = {6.5 - std::fabs(ha), ha < 0.0 ? dha : ha > 0.0 ? -dha : 0.0, kHourAngle};
    terms[2] = {m.declination_deg + 37.0, ddec, kDeclination};
    terms[3] = {77.0 - m.declination_deg, -ddec, kDeclination};
    return 4;
  }
  }
  return 0;
}

} // namespace limits
