// Fuzz target: the command contract of the pointing-limit checkers
// (read_pointing_request, write_request_problem, run_limit_check) on
// argument vectors cut from the input at NUL bytes, and the equatorial
// mount's conversion and limit rule (polar_mount_place, polar_mount_accepts)
// on the values read and on the input's first sixteen bytes taken as two
// raw doubles (any bit pattern: NaNs, infinities, subnormals).
//
// Properties checked: a request passes the range check only with both
// values inside it and not NaN; an altitude fault leaves the azimuth
// unread; a faulty request always gets its two-line (or usage) text and
// status 1, an accepted one no text and the mount rule's answer; the mount
// accepts only a place it could compute (finite altitude, hour angle and
// declination), and no input crashes the conversion.  The mount's limits
// themselves are pinned by the golden cases and unit tests.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "pointing.h"
#include "limit_rules.h"

namespace {

void check_mount(const limits::Pointing &p) {
  const limits::MountPlace m = limits::polar_mount_place(p);
  if (limits::polar_mount_accepts(m)) {
    FUZZ_CHECK(std::isfinite(m.altitude_deg));
    FUZZ_CHECK(std::isfinite(m.hour_angle_h));
    FUZZ_CHECK(std::isfinite(m.declination_deg));
  }
}

bool polar_rule(const limits::Pointing &p) {
  return limits::polar_mount_accepts(limits::polar_mount_place(p));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  if (size >= 2 * sizeof(double)) {
    limits::Pointing raw;
    std::memcpy(&raw.altitude_deg, data, sizeof(double));
    std::memcpy(&raw.azimuth_deg, data + sizeof(double), sizeof(double));
    check_mount(raw);
  }

  const kit_fuzz::Arguments args("polarlimits", data, size, 3);
  const limits::PointingRequest request =
      limits::read_pointing_request(args.argc(), args.argv());
  const double alt = request.pointing.altitude_deg;
  const double az = request.pointing.azimuth_deg;
  switch (request.fault) {
  case limits::RequestFault::usage:
    FUZZ_CHECK(args.argc() < 3);
    break;
  case limits::RequestFault::altitude:
    FUZZ_CHECK(args.argc() >= 3);
    FUZZ_CHECK(std::isnan(alt) || alt > 90.0 || alt < -90.0);
    FUZZ_CHECK(az == 0.0);
    break;
  case limits::RequestFault::azimuth:
    FUZZ_CHECK(alt >= -90.0 && alt <= 90.0);
    FUZZ_CHECK(std::isnan(az) || az < 0.0 || az > 360.0);
    break;
  case limits::RequestFault::none:
    FUZZ_CHECK(alt >= -90.0 && alt <= 90.0);
    FUZZ_CHECK(az >= 0.0 && az <= 360.0);
    check_mount(request.pointing);
    break;
  }

  char *text = nullptr;
  std::size_t length = 0;
  std::FILE *err = open_memstream(&text, &length);
  if (err == nullptr)
    return 0;
  const int status = limits::run_limit_check(args.argc(), args.argv(),
                                             "polarlimits", polar_rule, err);
  std::fclose(err);
  const std::string written(text, length);
  std::free(text);
  FUZZ_CHECK(status == 0 || status == 1);
  if (request.fault == limits::RequestFault::none) {
    FUZZ_CHECK(written.empty());
    FUZZ_CHECK(status == (polar_rule(request.pointing) ? 0 : 1));
  } else {
    FUZZ_CHECK(status == 1);
    FUZZ_CHECK(written.ends_with(" altitide_deg azimuth_deg\n"));
    const char *first =
        request.fault == limits::RequestFault::usage     ? "Usage: "
        : request.fault == limits::RequestFault::altitude ? "Problem with altitude: "
                                                          : "Problem with azimuth: ";
    FUZZ_CHECK(written.rfind(first, 0) == 0);
  }
  return 0;
}
