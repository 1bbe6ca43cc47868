// look_angles.h - a spacecraft seen from a tracking station at one instant:
// range, elevation and azimuth, and how fast each changes (the tracking
// library).
#ifndef KIT_ORBIT_LOOK_ANGLES_H
#define KIT_ORBIT_LOOK_ANGLES_H

#include "stations.h"

namespace tracking {

// The Earth's rotation rate, radians per second of UT1: the rate of the
// Earth rotation angle, 2 pi 1.00273781191135448 / 86400.  It gives the
// stations' velocities, for the rates below only.
inline constexpr double kEarthRotationRate = 7.292115146706979e-5;

// What the spacecraft looks like from one station.
struct Look {
  double range_km;
  double elevation_deg;   // geometric, as station_geometry computes it
  double azimuth_deg;     // [0, 360), north through east; 0 on the vertical
  double range_rate;      // km/s
  double elevation_rate;  // degrees/s; infinite on the vertical
  double azimuth_rate;    // degrees/s
  double sine_rate;       // the rate of the sine of the elevation, 1/s:
                          // the elevation rate's sign everywhere
  double sight_rate;      // rad/s: how fast the line of sight turns in the
                          // station's horizon, at most (its turn seen from
                          // the station, plus the Earth's)
};

// ---------------------------------------------------------------------------
// look_angles: the spacecraft at p with velocity v (km, km/s, GCRS axes)
// seen from station f, the terrestrial pole on GCRS axes being `pole`.
//
// Notes:
//   1) Range and elevation are station_geometry's, bit for bit: the same
//      code serves the orbit report.
//   2) Azimuth = atan2(east . d, north . d) with d = p - station.
//   3) The rates take the station and its horizon as turning about the pole
//      at kEarthRotationRate (precession and nutation move them a
//      hundred-million times slower); they are what a search needs to
//      bracket extrema, not values for print.
// ---------------------------------------------------------------------------
Look look_angles(const double (&p)[3], const double (&v)[3],
                 const StationFrame &f, const double (&pole)[3]);

} // namespace tracking

#endif
