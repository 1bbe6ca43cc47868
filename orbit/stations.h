// stations.h - the tracking stations TS1 and TS2, turned to celestial axes,
// and the geometry of a spacecraft seen from them; shared by passrange and
// passwindows (the tracking library).
#ifndef KIT_ORBIT_STATIONS_H
#define KIT_ORBIT_STATIONS_H

#include "novas_kit.h"

namespace tracking {

// The stations, in the order their fields are reported.
inline constexpr int kStationCount = 2;
inline constexpr const char *kStationNames[kStationCount] = {"TS1", "TS2"};

// Their vectors on terrestrial (ITRS) axes, in the order the orbit report
// rotates them: TS1 position and up vector, TS2 position and up vector.
// Positions in km, each the metre value divided by 1000.0 and rounded once;
// up vectors along the geodetic vertical (TS1 38.43782360 N 79.83577935 W,
// TS2 54.82062222 N 37.62828888 E).
inline constexpr double kStationVectors[4][3] = {
    {882.87984013, -4924.4823080099995, 3944.13068519},
    {0.13822607745500268, -0.7709903907572531, 0.6216649973027126},
    {2916.948887, 2248.6482429999996, 5190.099798},
    {0.45629468620828334, 0.35175324771948163, 0.8173523181938627}};

// ---------------------------------------------------------------------------
// rotate_stations: the vectors passrange reports with, on GCRS axes.
//
// Given:
//   jd_ut1  UT1 Julian date (one part)
//   stream  nullptr for a date on its own, or the stream of dates this one
//           belongs to (ter2cel_batch: its nutation series fitted along it)
// Returned:
//   celestial  TS1 position (km), TS1 up vector, TS2 position, TS2 up vector
//   function value  0, or ter2cel's non-zero status (celestial untouched)
// References: NOVAS 3.1 ter2cel (equinox-based method, full accuracy, GCRS
//   output), here through ter2cel_batch, with the kit's time-scale settings
//   (delta T, polar motion).
short rotate_stations(double jd_ut1, ter2cel_stream *stream,
                      double (&celestial)[4][3]);

// One station's horizon on GCRS axes: its position (km) and the unit
// vectors of its geodetic vertical, north and east.
struct StationFrame {
  double position[3];
  double up[3];
  double north[3];
  double east[3];
};

// Both stations' horizons and the terrestrial pole at one date.
struct StationFrames {
  StationFrame station[kStationCount];
  double pole[3]; // the terrestrial z axis on GCRS axes (unit vector)
};

// ---------------------------------------------------------------------------
// rotate_station_frames: both stations' horizons on GCRS axes.
//
// Given:   jd_ut1, stream as for rotate_stations
// Returned:
//   frames  positions and up vectors as rotate_stations gives them, bit for
//           bit, and the terrestrial pole rotated alike; east = pole x up,
//           normalised, and north = up x east (a rotation keeps cross
//           products, so these are the terrestrial north and east rotated)
//   function value  0, or ter2cel's non-zero status (frames untouched)
short rotate_station_frames(double jd_ut1, ter2cel_stream *stream,
                            StationFrames &frames);

// ---------------------------------------------------------------------------
// station_geometry: a spacecraft seen from a station.
//
// Given:   p  spacecraft position, s  station position (km), u  the
//          station's up vector, all on the same axes
// Returned:
//   distance   |p - s|, km: sqrt((dx*dx + dy*dy) + dz*dz)
//   elevation  geometric elevation above the station's horizon plane,
//              degrees: 90 - 180 acos(c) / pi with c the cosine of the
//              angle between u and p - s, held within [-1, 1] so that
//              rounding on the vertical gives +90 or -90; not a number at
//              the station itself (distance 0)
void station_geometry(const double (&p)[3], const double (&s)[3],
                      const double (&u)[3], double &distance,
                      double &elevation);

} // namespace tracking

#endif
