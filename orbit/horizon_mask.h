// horizon_mask.h - a station's horizon that depends on the azimuth: the
// elevation below which it cannot track, read from a file.
#ifndef KIT_ORBIT_HORIZON_MASK_H
#define KIT_ORBIT_HORIZON_MASK_H

#include <string>
#include <vector>

namespace tracking {

class HorizonMask {
public:
  // -------------------------------------------------------------------------
  // read: the mask in a file.
  //
  // Given:   path  a text file of lines "AZIMUTH ELEVATION" in degrees
  //                (azimuth 0 to below 360, north through east; elevation
  //                -90 to 90), blank lines and comments from "#" to the
  //                line's end ignored
  // Throws kit::Failure with the reason, naming the first line at fault: a
  //   line that is not two numbers, a value out of range, an azimuth given
  //   twice (the later line), no point at all, or a file that cannot be
  //   read.  O(n log n) in the number of points.
  // -------------------------------------------------------------------------
  void read(const char *path);

  // The mask's elevation at an azimuth: linear in azimuth between the
  // neighbouring points, across north from the last point to the first; a
  // single point is a constant.
  double elevation(double azimuth) const;

  // The slope of the piece holding the azimuth, degrees per degree.
  double slope(double azimuth) const;

  // The lowest and highest elevation of the mask over the azimuths swept
  // from `from` to `to` towards the east (through north when to < from),
  // both in [0, 360): its values there and at every point between.
  // O(log n).
  void range(double from, double to, double &lowest, double &highest) const;

  bool empty() const { return azimuth_.empty(); }

private:
  // The reading of read(): empty, or the reason.
  std::string load(const char *path);
  // The piece holding an azimuth: its start and its width.
  std::size_t piece(double azimuth, double &from, double &width) const;
  // The points' lowest and highest elevations over indices [i, j).
  void points_range(std::size_t i, std::size_t j, double &lowest, double &highest) const;
  std::vector<double> azimuth_, elevation_; // sorted by azimuth
  // Segment trees of the elevations' minima and maxima: the leaves at
  // [n, 2n), node k over its children 2k and 2k + 1.
  std::vector<double> lowest_, highest_;
};

} // namespace tracking

#endif
