// look_angles.cpp - range, elevation and azimuth from a station, and their
// rates.
#include "look_angles.h"

#include <cmath>

#include "math_constants.h"
#include "vector3.h"

namespace tracking {

namespace {

constexpr double kDegrees = 180.0 / kit::kPi;

// The velocity of a vector fixed to the Earth: omega pole x r.
void turning(const double (&pole)[3], const double (&r)[3], double (&out)[3]) {
  cross(pole, r, out);
  for (double &x : out)
    x *= kEarthRotationRate;
}

} // namespace

Look look_angles(const double (&p)[3], const double (&v)[3],
                 const StationFrame &f, const double (&pole)[3]) {
  Look look;
  station_geometry(p, f.position, f.up, look.range_km, look.elevation_deg);

  double station_velocity[3], up_rate[3], north_rate[3], east_rate[3];
  turning(pole, f.position, station_velocity);
  turning(pole, f.up, up_rate);
  turning(pole, f.north, north_rate);
  turning(pole, f.east, east_rate);
  const double d[3] = {p[0] - f.position[0], p[1] - f.position[1],
                       p[2] - f.position[2]};
  const double dd[3] = {v[0] - station_velocity[0], v[1] - station_velocity[1],
                        v[2] - station_velocity[2]};
  const double r = look.range_km;

  // Elevation: sin e = up . d / r.
  const double sine = dot(f.up, d) / r;
  look.range_rate = dot(d, dd) / r;
  look.sine_rate = (dot(up_rate, d) + dot(f.up, dd)) / r - sine * look.range_rate / r;
  look.elevation_rate = look.sine_rate / std::sqrt(1.0 - sine * sine) * kDegrees;

  // Azimuth: atan2(east . d, north . d).
  const double x = dot(f.north, d), y = dot(f.east, d);
  const double dx = dot(north_rate, d) + dot(f.north, dd);
  const double dy = dot(east_rate, d) + dot(f.east, dd);
  double az = std::atan2(y, x) * kDegrees;
  if (az < 0.0)
    az += 360.0;
  // A negative zero, and a sum that rounded up to 360, are north.
  if (az >= 360.0 || az == 0.0)
    az = 0.0;
  look.azimuth_deg = az;
  look.azimuth_rate = (x * dy - y * dx) / (x * x + y * y) * kDegrees;

  // |d x d'| / r^2, plus the Earth's own turn.
  double c[3];
  cross(d, dd, c);
  look.sight_rate = std::sqrt(dot(c, c)) / (r * r) + kEarthRotationRate;
  return look;
}

} // namespace tracking
