// oem_frame.cpp - a message's frames and their states on GCRS axes.
#include "oem_frame.h"

#include "novas_kit.h"
#include "oem_fields.h"
#include "time_scale_settings.h"

namespace oem {

namespace {

// "ITRF" alone, or followed by a realisation's year as the realisations
// are named: two digits after a '-' ("ITRF-93"), or four ("ITRF2000").
bool itrf_name(std::string_view name) {
  if (name.size() < 4 || !same_ignoring_case(name.substr(0, 4), "ITRF"))
    return false;
  std::string_view year = name.substr(4);
  if (year.empty())
    return true;
  if (year[0] == '-')
    year.remove_prefix(1);
  if (year.size() != (name[4] == '-' ? 2u : 4u))
    return false;
  for (const char c : year)
    if (c < '0' || c > '9')
      return false;
  return true;
}

} // namespace

bool frame_named(std::string_view name, Frame &frame) {
  if (same_ignoring_case(name, "GCRF") || same_ignoring_case(name, "ICRF")) {
    frame = Frame::kGcrf;
  } else if (same_ignoring_case(name, "EME2000") || same_ignoring_case(name, "J2000")) {
    frame = Frame::kEme2000;
  } else if (itrf_name(name)) {
    frame = Frame::kItrf;
  } else {
    return false;
  }
  return true;
}

// The terrestrial velocity gains omega x p = (-omega y, omega x, 0) before
// the rotation.  Both vectors go through ter2cel_batch without a stream,
// which evaluates the date's models once for the two and gives ter2cel's
// result to the last bit.
short to_gcrs(Frame frame, double jd_utc, double p[3], double v[3]) {
  switch (frame) {
  case Frame::kGcrf:
    return 0;
  case Frame::kEme2000: {
    // NOVAS's frame_tie writes its result while it reads its argument: the
    // two must not be the same array.
    double pc[3], vc[3];
    frame_tie(p, -1, pc);
    frame_tie(v, -1, vc);
    for (int i = 0; i < 3; ++i) {
      p[i] = pc[i];
      v[i] = vc[i];
    }
    return 0;
  }
  case Frame::kItrf:
    break;
  }
  const kit::TimeScaleSettings &ts = kit::kTimeScales;
  const double terrestrial[2][3] = {
      {p[0], p[1], p[2]},
      {v[0] - kEarthRotationRate * p[1], v[1] + kEarthRotationRate * p[0], v[2]}};
  double celestial[2][3];
  const short status = ter2cel_batch(ts.jd_ut1(jd_utc), 0.0, ts.delta_t(), 1, 0, 0,
                                     ts.polar_x, ts.polar_y, 2, terrestrial, celestial,
                                     nullptr);
  if (status != 0)
    return status;
  for (int i = 0; i < 3; ++i) {
    p[i] = celestial[0][i];
    v[i] = celestial[1][i];
  }
  return 0;
}

} // namespace oem
