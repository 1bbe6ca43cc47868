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
  // Returned (function value):
  //   empty on success; otherwise the reason, naming the line: a line
  //   that is not two numbers, a value out of range, an azimuth given
  //   twice, no point at all, or a file that cannot be read
  // -------------------------------------------------------------------------
  std::string read(const char *path);

  // The mask's elevation at an azimuth: linear in azimuth between the
  // neighbouring points, across north from the last point to the first; a
  // single point is a constant.
  double elevation(double azimuth) const;

  // The slope of the piece holding the azimuth, degrees per degree.
  double slope(double azimuth) const;

  // The smallest azimuth step between neighbouring points (360 for one
  // point): a search takes steps that cross at most one point.
  double smallest_step() const;

  bool empty() const { return azimuth_.empty(); }

private:
  // The piece holding an azimuth: its start and its width.
  std::size_t piece(double azimuth, double &from, double &width) const;
  std::vector<double> azimuth_, elevation_; // sorted by azimuth
};

} // namespace tracking

#endif
