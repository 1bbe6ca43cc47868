// stations.cpp - the tracking stations, their rotation to celestial axes
// and the geometry seen from them.
#include "stations.h"

#include <cmath>

#include "math_constants.h"
#include "time_scale_settings.h"
#include "vector3.h"

namespace tracking {

namespace {

// The terrestrial vectors rotated: the orbit report's four, then, for the
// horizon frames, the pole.
constexpr int kReportVectors = 4;
constexpr int kFrameVectors = 5;
constexpr double kFrameTerrestrial[kFrameVectors][3] = {
    {kStationVectors[0][0], kStationVectors[0][1], kStationVectors[0][2]},
    {kStationVectors[1][0], kStationVectors[1][1], kStationVectors[1][2]},
    {kStationVectors[2][0], kStationVectors[2][1], kStationVectors[2][2]},
    {kStationVectors[3][0], kStationVectors[3][1], kStationVectors[3][2]},
    {0.0, 0.0, 1.0}};

// ter2cel settings: equinox-based method, full accuracy, GCRS output axes.
constexpr short kMethod = 1;
constexpr short kAccuracy = 0;
constexpr short kOutputGcrs = 0;

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
  const short status = rotate(jd_ut1, stream, kFrameVectors, kFrameTerrestrial, c);
  if (status != 0)
    return status;
  copy(c[4], frames.pole);
  for (int s = 0; s < kStationCount; ++s) {
    StationFrame &f = frames.station[s];
    copy(c[2 * s], f.position);
    copy(c[2 * s + 1], f.up);
    cross(frames.pole, f.up, f.east);
    const double e = std::sqrt(dot(f.east, f.east));
    for (double &x : f.east)
      x /= e;
    cross(f.up, f.east, f.north);
  }
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

} // namespace tracking
