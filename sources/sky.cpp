// sky.cpp - the sources' altitudes and azimuths at a site.
#include "sky.h"

#include <cmath>
#include <string>

#include "failure.h"
#include "math_constants.h"
#include "time_scale_settings.h"
#include "utc_instant.h"

namespace sources {

namespace {

constexpr double kRadians = kit::kPi / 180.0;
// The Earth's rotation against the stars, degrees per second of time.
constexpr double kTurn = 360.98564736629 / 86400.0;

// The standard atmosphere's refraction at an observed altitude (degrees),
// as equ2hor takes it, and its rate of change with that altitude.
double refraction_slope(double altitude, double height) {
  const double zenith = 90.0 - altitude;
  if (zenith < 0.1 || zenith > 91.0)
    return 0.0;
  const double pressure = 1010.0 * std::exp(-height / 9100.0);
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
    ter2cel_stream stream;
    ter2cel_stream_init_span(&stream, 4.0);
    streams_.push_back(stream);
  }
  places_.resize(stars_.size());
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
  const double phi = sites_[site].latitude * kRadians;
  const double h = p.altitude * kRadians, a = p.azimuth * kRadians;
  p.altitude_rate = kTurn * std::cos(phi) * std::sin(a);
  if (ref_option_ != 0)
    p.altitude_rate *= 1.0 + refraction_slope(p.altitude, sites_[site].height);
  p.azimuth_rate = kTurn * (std::sin(phi) - std::cos(phi) * std::tan(h) * std::cos(a));
  return p;
}

void Sky::all_at(double t, int site, std::vector<Pointed> &out) {
  place(t, site, static_cast<int>(stars_.size()), stars_.data(), places_.data());
  out.resize(stars_.size());
  for (std::size_t i = 0; i < stars_.size(); ++i)
    out[i] = pointed(places_[i], site);
}

Pointed Sky::at(double t, int site, int source) {
  star_horizon place;
  this->place(t, site, 1, &stars_[static_cast<std::size_t>(source)], &place);
  return pointed(place, site);
}

} // namespace sources
