// station_visibility.cpp - a station's threshold and its crossings' bounds.
#include "station_visibility.h"

#include <algorithm>

namespace tracking {

const char kElevation[] = "elevation";
const char kMask[] = "mask";

double Visibility::threshold(double azimuth, windows::Bound *bound) const {
  if (mask != nullptr) {
    const double m = mask->elevation(azimuth);
    if (m > min_elevation) {
      if (bound != nullptr)
        *bound = kMask;
      return m;
    }
  }
  if (bound != nullptr)
    *bound = kElevation;
  return min_elevation;
}

bool Visibility::may_cross(const Look &a, const Look &b) const {
  if (!(a.sine_rate * b.sine_rate > 0.0 && a.azimuth_rate * b.azimuth_rate > 0.0))
    return true;
  double lowest = min_elevation, highest = min_elevation;
  if (mask != nullptr) {
    // The azimuths swept run from the earlier look's towards the later's
    // in the sense of the motion.
    double mask_low, mask_high;
    if (a.azimuth_rate > 0.0)
      mask->range(a.azimuth_deg, b.azimuth_deg, mask_low, mask_high);
    else
      mask->range(b.azimuth_deg, a.azimuth_deg, mask_low, mask_high);
    lowest = std::max(lowest, mask_low);
    highest = std::max(highest, mask_high);
  }
  const double low = std::min(a.elevation_deg, b.elevation_deg);
  const double high = std::max(a.elevation_deg, b.elevation_deg);
  return !(high < lowest || low >= highest);
}

} // namespace tracking
