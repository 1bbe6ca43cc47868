// stations.cpp - the tracking stations, their rotation to celestial axes
// and the geometry seen from them.
#include "stations.h"

#include <cmath>

#include "math_constants.h"
#include "time_scale_settings.h"

namespace tracking {

namespace {

// The terrestrial vectors rotated: the orbit report's four, then, for the
// horizon frames, TS1 north and east, TS2 north and east and the pole, made
// from them by make_terrestrial.
constexpr int kReportVectors = 4;
constexpr int kFrameVectors = 9;

// ter2cel settings: equinox-based method, full accuracy, GCRS output axes.
constexpr short kMethod = 1;
constexpr short kAccuracy = 0;
constexpr short kOutputGcrs = 0;

struct TerrestrialVectors {
  double v[kFrameVectors][3];
};

// North and east of an up vector u: east = (z x u) / |z x u|, north = u x
// east.
void horizon_axes(const double (&u)[3], double (&north)[3], double (&east)[3]) {
  const double h = std::sqrt(u[0] * u[0] + u[1] * u[1]);
  east[0] = -u[1] / h;
  east[1] = u[0] / h;
  east[2] = 0.0;
  north[0] = u[1] * east[2] - u[2] * east[1];
  north[1] = u[2] * east[0] - u[0] * east[2];
  north[2] = u[0] * east[1] - u[1] * east[0];
}

TerrestrialVectors make_terrestrial() {
  TerrestrialVectors t{};
  for (int i = 0; i < kReportVectors; ++i)
    for (int k = 0; k < 3; ++k)
      t.v[i][k] = kStationVectors[i][k];
  horizon_axes(kStationVectors[1], t.v[4], t.v[5]);
  horizon_axes(kStationVectors[3], t.v[6], t.v[7]);
  t.v[8][2] = 1.0;
  return t;
}

const TerrestrialVectors &terrestrial() {
  static const TerrestrialVectors t = make_terrestrial();
  return t;
}

short rotate(double jd_ut1, ter2cel_stream *stream, int n, const double (*in)[3],
             double (*out)[3]) {
  const kit::TimeScaleSettings &ts = kit::kTimeScales;
  return ter2cel_batch(jd_ut1, 0.0, ts.delta_t(), kMethod, kAccuracy,
                       kOutputGcrs, ts.polar_x, ts.polar_y, n, in, out, stream);
}

void copy(const double (&from)[3], double (&to)[3]) {
  to[0] = from[0];
  to[1] = from[1];
  to[2] = from[2];
}

} // namespace

short rotate_stations(double jd_ut1, ter2cel_stream *stream,
                      double (&celestial)[4][3]) {
  return rotate(jd_ut1, stream, kReportVectors, kStationVectors, celestial);
}

short rotate_station_frames(double jd_ut1, ter2cel_stream *stream,
                            StationFrames &frames) {
  double c[kFrameVectors][3];
  const short status = rotate(jd_ut1, stream, kFrameVectors, terrestrial().v, c);
  if (status != 0)
    return status;
  for (int s = 0; s < kStationCount; ++s) {
    StationFrame &f = frames.station[s];
    copy(c[2 * s], f.position);
    copy(c[2 * s + 1], f.up);
    copy(c[4 + 2 * s], f.north);
    copy(c[5 + 2 * s], f.east);
  }
  copy(c[8], frames.pole);
  return 0;
}

void station_geometry(const double (&p)[3], const double (&s)[3],
                      const double (&u)[3], double &distance,
                      double &elevation) {
  const double dx = p[0] - s[0];
  const double dy = p[1] - s[1];
  const double dz = p[2] - s[2];
  distance = std::sqrt((dx * dx + dy * dy) + dz * dz);
  const double u_length = std::sqrt((u[0] * u[0] + u[1] * u[1]) + u[2] * u[2]);
  double c = ((u[0] * dx + u[1] * dy) + u[2] * dz) / (u_length * distance);
  if (c > 1.0)
    c = 1.0;
  else if (c < -1.0)
    c = -1.0;
  const double zenith = 180.0 * std::acos(c) / kit::kPi;
  elevation = 90.0 - zenith;
}

double station_azimuth(const double (&p)[3], const StationFrame &f) {
  const double d[3] = {p[0] - f.position[0], p[1] - f.position[1],
                       p[2] - f.position[2]};
  const double n = f.north[0] * d[0] + f.north[1] * d[1] + f.north[2] * d[2];
  const double e = f.east[0] * d[0] + f.east[1] * d[1] + f.east[2] * d[2];
  double az = std::atan2(e, n) * (180.0 / kit::kPi);
  if (az < 0.0)
    az += 360.0;
  // A negative zero, and a sum that rounded up to 360, are north.
  if (az >= 360.0 || az == 0.0)
    az = 0.0;
  return az;
}

} // namespace tracking
