// station_visibility.h - when a station sees the spacecraft: its threshold
// (the larger of its minimum elevation and its horizon mask at the
// spacecraft's azimuth), the constraint's sign function and the names of
// its bounds (the visibility library).
#ifndef KIT_ORBIT_STATION_VISIBILITY_H
#define KIT_ORBIT_STATION_VISIBILITY_H

#include "bound.h"
#include "horizon_mask.h"
#include "look_angles.h"

namespace tracking {

// What sets an edge of a station's view.
extern const char kElevation[]; // "elevation": the minimum elevation
extern const char kMask[];      // "mask": the horizon mask, above the minimum

// ---------------------------------------------------------------------------
// Visibility: one station's view as a constraint.
//
// The spacecraft is in view when its elevation is at or above the
// threshold at its azimuth; margin() is the elevation above the threshold,
// the constraint's sign function (at or above zero: inside; not a number:
// outside).
// ---------------------------------------------------------------------------
struct Visibility {
  double min_elevation = 0.0;          // degrees
  const HorizonMask *mask = nullptr;   // none: the minimum alone

  // The threshold at an azimuth (degrees), and what sets it there.
  double threshold(double azimuth, windows::Bound *bound = nullptr) const;

  // The elevation above the threshold, degrees.
  double margin(const Look &l) const {
    return l.elevation_deg - threshold(l.azimuth_deg, nullptr);
  }

  // -------------------------------------------------------------------------
  // may_cross: whether the margin can change sign between two looks of a
  // stretch of time, from their values and motions.
  //
  // Given:   a, b  the looks at the stretch's ends
  // Returned (function value):
  //   false when the elevation and the azimuth each keep the sense of their
  //   motion (their rates at both ends of one sign) and the elevation's
  //   range over the stretch lies wholly below, or wholly at or above, the
  //   threshold's range over the azimuths swept; true otherwise (a stretch
  //   that may hold a crossing, to be looked at more closely)
  // -------------------------------------------------------------------------
  bool may_cross(const Look &a, const Look &b) const;
};

} // namespace tracking

#endif
