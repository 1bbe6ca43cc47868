// sky.h - where the sources are in the sky of an antenna's site: their
// altitude and azimuth at an instant, as topo_star then equ2hor give them,
// with the rates a search brackets their extrema by (the source_search
// library).
#ifndef KIT_SOURCES_SKY_H
#define KIT_SOURCES_SKY_H

#include <vector>

#include "catalog.h"
#include "novas_kit.h"

namespace sources {

// A site: latitude and longitude (degrees, north and east positive) and
// height (metres); its weather is the observing site's, 10 C and 1010 mbar.
struct Site {
  double latitude, longitude, height;
};

// The observing site of sunguard, where azel and elev stand; and the
// equatorial mount's, at its own latitude on the site's meridian and
// height, so that polarlimits' conversion returns a source's own hour
// angle and declination.
inline constexpr Site kObservingSite{38.43313, -79.83984, 824.0};
inline constexpr Site kMountSite{38.25081388888889, -79.83984, 824.0};

// A source as a site sees it at an instant: altitude (90 - the zenith
// distance) and azimuth (north through east), degrees, and their rates,
// degrees per second.
struct Pointed {
  double altitude, azimuth;
  double altitude_rate, azimuth_rate;
};

// ---------------------------------------------------------------------------
// Sky: the sources' pointing at a few sites.
//
// The place is the kit's extension star_horizon_batch: topo_star at
// reduced accuracy with the kit's time scales, then equ2hor with the
// refraction option given (1 the standard atmosphere, 0 none), at the UTC
// Julian date of the instant's calendar; along the stream of a site's
// dates the nutation series comes from the stream's fit.  The rates are
// those of a direction fixed on the sky, turning with the Earth (the
// altitude's multiplied by the refraction's own change with the altitude):
// they serve to bracket extrema, not to be printed.
// Throws kit::Failure when a place fails (a span outside the solar
// ephemeris, a source that cannot be placed).
// ---------------------------------------------------------------------------
class Sky {
public:
  Sky(const std::vector<Source> &sources, const std::vector<Site> &sites, short int ref_option);

  // Every source at a site at Unix seconds t.
  void all_at(double t, int site, std::vector<Pointed> &out);
  // One source at a site.
  Pointed at(double t, int site, int source);

  int sites() const { return static_cast<int>(sites_.size()); }
  int sources() const { return static_cast<int>(stars_.size()); }

private:
  Pointed pointed(const star_horizon &place, int site) const;
  void place(double t, int site, int n, const cat_entry *stars, star_horizon *out);

  std::vector<cat_entry> stars_;
  std::vector<on_surface> sites_;
  std::vector<ter2cel_stream> streams_;
  short int ref_option_;
  std::vector<star_horizon> places_;
};

} // namespace sources

#endif
