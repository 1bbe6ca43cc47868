// sky.h - where the sources are in the sky of an antenna's site: their
// altitude and azimuth at an instant, as topo_star then equ2hor give them,
// with the rates a search brackets their extrema by (the source_search
// library).
#ifndef KIT_SOURCES_SKY_H
#define KIT_SOURCES_SKY_H

#include <memory>
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
// The place is the kit's extension star_track_horizon: a track of each
// source at each site over spans of 2 days of TT (fitted when the search
// first reaches a span, the span's models shared by every site and source;
// the two spans last reached are kept, so that a bracket across a span's
// edge fits nothing twice and memory does not grow with the search), which
// gives topo_star at reduced accuracy with the kit's time scales, then
// equ2hor with the refraction option given (1 the standard atmosphere, 0
// none), at the UTC Julian date of the instant's calendar, within 1e-10
// degree of star_horizon_batch.  Where a span cannot be fitted (an end
// beyond the solar ephemeris) or a source not tracked, the instant is
// placed by star_horizon_batch itself, along the stream of a site's dates.
// A single place is remembered among the last few asked for.
// The rates are those of a direction fixed on the sky, turning with the
// Earth (the altitude's multiplied by the refraction's own change with the
// altitude): they serve to bracket extrema, not to be printed.
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
  // A site as the places are computed at (its weather the observing
  // site's).
  const on_surface &site(int site) const { return sites_[static_cast<std::size_t>(site)]; }
  int sources() const { return static_cast<int>(stars_.size()); }

private:
  // The tracks of one span: the span's fit, and each site's tracks of
  // every source (empty until the site is first placed in the span).
  struct Span {
    long long index;
    short int status; // star_track_span_fit's
    std::unique_ptr<star_track_span> fit;
    std::vector<std::vector<star_track>> tracks;
  };

  Pointed pointed(const star_horizon &place, int site) const;
  void place(double t, int site, int n, const cat_entry *stars, star_horizon *out);
  // The tracks of a site over the span of TT Julian date jd_tt, or null
  // when the span cannot be fitted.
  const std::vector<star_track> *tracks_at(double jd_tt, int site);
  // Source i at a site: from its track, or by star_horizon_batch.
  void place_one(double t, double jd_tt, double jd_ut1, const std::vector<star_track> *tracks,
                 int site, int i, star_horizon *out);

  std::vector<cat_entry> stars_;
  std::vector<on_surface> sites_;
  // What the rates take of each site: its latitude's sine and cosine and
  // the standard atmosphere's pressure there.
  struct SiteTerms {
    double sin_lat, cos_lat, pressure;
  };
  std::vector<SiteTerms> site_terms_;
  std::vector<ter2cel_stream> streams_;
  short int ref_option_;
  std::vector<star_horizon> places_;
  Span spans_[2];
  // The last kRecent single places (at), which the search asks for again
  // as each of a source's limits brackets its crossings from the same
  // instants: a place found here is the one computed before, bit for bit.
  // Their instants are kept apart from the rest, for a quick scan.
  static constexpr int kRecent = 64;
  struct Recent {
    int site, source;
    Pointed pointed;
  };
  double recent_t_[kRecent];
  Recent recent_[kRecent];
  int next_recent_ = 0;
};

} // namespace sources

#endif
