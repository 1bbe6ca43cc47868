// sky.cpp - the sources' altitudes and azimuths at a site.
#include "sky.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "failure.h"
#include "math_constants.h"
#include "time_scale_settings.h"
#include "utc_instant.h"

namespace sources {

namespace {

constexpr double kRadians = kit::kPi / 180.0;
// The tracks' spans: TT days from J2000, each fitted a hundredth of a day
// beyond its edges, so that a date rounded at an edge is still inside.
constexpr double kSpanDays = 2.0;
constexpr double kSpanMargin = 0.01;
constexpr double kJ2000 = 2451545.0;
// The index of a span slot not yet fitted: far from any date's, and far
// enough from the limits that the distance to a date's does not overflow.
constexpr long long kNoSpan = std::numeric_limits<long long>::min() / 4;

// The Earth's rotation against the stars, degrees per second of time.
constexpr double kTurn = 360.98564736629 / 86400.0;

// The standard atmosphere's pressure at a height (metres), mbar.
double standard_pressure(double height) { return 1010.0 * std::exp(-height / 9100.0); }

// The standard atmosphere's refraction at an observed altitude (degrees),
// as equ2hor takes it, and its rate of change with that altitude, at the
// site's pressure.
double refraction_slope(double altitude, double pressure) {
  const double zenith = 90.0 - altitude;
  if (zenith < 0.1 || zenith > 91.0)
    return 0.0;
  const double k = 0.016667 * (0.28 * pressure / (10.0 + 273.0));
  const double x = (altitude + 7.31 / (altitude + 4.4)) * kRadians;
  const double dx = (1.0 - 7.31 / ((altitude + 4.4) * (altitude + 4.4))) * kRadians;
  const double s = std::sin(x);
  return -k * dx / (s * s);
}

} // namespace

Sky::Sky(const std::vector<Source> &sources, const std::vector<Site> &sites, short int ref_option)
    : ref_option_(ref_option) {
  for (const Source &s : sources)
    stars_.push_back(s.star);
  for (const Site &s : sites) {
    on_surface o;
    make_on_surface(s.latitude, s.longitude, s.height, 10.0, 1010.0, &o);
    sites_.push_back(o);
    const double phi = s.latitude * kRadians;
    site_terms_.push_back({std::sin(phi), std::cos(phi), standard_pressure(s.height)});
    ter2cel_stream stream;
    ter2cel_stream_init_span(&stream, 4.0);
    streams_.push_back(stream);
  }
  places_.resize(stars_.size());
  for (Span &span : spans_)
    span.index = kNoSpan;
  for (int k = 0; k < kRecent; ++k) {
    recent_t_[k] = std::nan("");
    recent_[k] = {-1, -1, {}};
  }
}

const std::vector<star_track> *Sky::tracks_at(double jd_tt, int site) {
  const double k = std::floor((jd_tt - kJ2000) / kSpanDays);
  if (!(std::fabs(k) < 1e15)) // not a date the tracks serve (nor a number)
    return nullptr;
  const long long index = static_cast<long long>(k);
  Span *span = nullptr;
  for (Span &s : spans_)
    if (s.index == index)
      span = &s;
  if (span == nullptr) {
    // The span farther from this one gives way: the search moves forwards.
    const long long d0 = std::llabs(spans_[0].index - index);
    const long long d1 = std::llabs(spans_[1].index - index);
    span = d0 >= d1 ? &spans_[0] : &spans_[1];
    span->index = index;
    if (span->fit == nullptr)
      span->fit = std::make_unique<star_track_span>();
    const double first = kJ2000 + k * kSpanDays;
    span->status = star_track_span_fit(first - kSpanMargin, first + kSpanDays + kSpanMargin,
                                       kit::kTimeScales.delta_t(), span->fit.get());
    span->tracks.assign(sites_.size(), {});
  }
  if (span->status != 0)
    return nullptr;
  std::vector<star_track> &tracks = span->tracks[static_cast<std::size_t>(site)];
  if (tracks.empty()) {
    tracks.resize(stars_.size());
    for (std::size_t i = 0; i < stars_.size(); ++i)
      star_track_fit(span->fit.get(), &stars_[i], &sites_[static_cast<std::size_t>(site)],
                     ref_option_, &tracks[i]);
  }
  return &tracks;
}

void Sky::place_one(double t, double jd_tt, double jd_ut1, const std::vector<star_track> *tracks,
                    int site, int i, star_horizon *out) {
  const std::size_t k = static_cast<std::size_t>(i);
  if (tracks != nullptr) {
    out->status = star_track_horizon(&(*tracks)[k], jd_tt, jd_ut1, &out->zd, &out->az, nullptr,
                                     nullptr);
    if (out->status == 0)
      return;
  }
  place(t, site, 1, &stars_[k], out);
}

void Sky::place(double t, int site, int n, const cat_entry *stars, star_horizon *out) {
  const kit::TimeScaleSettings &ts = kit::kTimeScales;
  const double jd_utc = utc::julian_date_of(t);
  const short int status =
      star_horizon_batch(ts.jd_tt(jd_utc), ts.jd_ut1(jd_utc), ts.delta_t(), &sites_[site],
                         ref_option_, n, stars, &streams_[site], out);
  if (status != 0)
    throw kit::Failure("a source's place failed (status " + std::to_string(status) + ")");
}

Pointed Sky::pointed(const star_horizon &place, int site) const {
  Pointed p;
  p.altitude = 90.0 - place.zd;
  p.azimuth = place.az;
  const SiteTerms &terms = site_terms_[static_cast<std::size_t>(site)];
  const double h = p.altitude * kRadians, a = p.azimuth * kRadians;
  p.altitude_rate = kTurn * terms.cos_lat * std::sin(a);
  if (ref_option_ != 0)
    p.altitude_rate *= 1.0 + refraction_slope(p.altitude, terms.pressure);
  p.azimuth_rate = kTurn * (terms.sin_lat - terms.cos_lat * std::tan(h) * std::cos(a));
  return p;
}

void Sky::all_at(double t, int site, std::vector<Pointed> &out) {
  const kit::TimeScaleSettings &ts = kit::kTimeScales;
  const double jd_utc = utc::julian_date_of(t);
  const double jd_tt = ts.jd_tt(jd_utc), jd_ut1 = ts.jd_ut1(jd_utc);
  const std::vector<star_track> *tracks = tracks_at(jd_tt, site);
  out.resize(stars_.size());
  for (std::size_t i = 0; i < stars_.size(); ++i) {
    place_one(t, jd_tt, jd_ut1, tracks, site, static_cast<int>(i), &places_[i]);
    out[i] = pointed(places_[i], site);
  }
}

Pointed Sky::at(double t, int site, int source) {
  for (int k = 0; k < kRecent; ++k)
    if (recent_t_[k] == t && recent_[k].site == site && recent_[k].source == source)
      return recent_[k].pointed;
  const kit::TimeScaleSettings &ts = kit::kTimeScales;
  const double jd_utc = utc::julian_date_of(t);
  const double jd_tt = ts.jd_tt(jd_utc), jd_ut1 = ts.jd_ut1(jd_utc);
  star_horizon place;
  place_one(t, jd_tt, jd_ut1, tracks_at(jd_tt, site), site, source, &place);
  recent_t_[next_recent_] = t;
  Recent &r = recent_[next_recent_];
  next_recent_ = (next_recent_ + 1) % kRecent;
  r = {site, source, pointed(place, site)};
  return r.pointed;
}

} // namespace sources
