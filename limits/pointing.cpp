// pointing.cpp - the command contract shared by the pointing-limit checkers.
#include "pointing.h"

#include <cmath>
#include <cstdlib>

#include "program_name.h"

namespace limits {

namespace {

constexpr char kUsage[] = "Usage: %s altitide_deg azimuth_deg\n";
// A problem message is its own line followed by the usage line.
constexpr char kAltitudeProblem[] = "Problem with altitude: %lf\n";
constexpr char kAzimuthProblem[] = "Problem with azimuth: %lf\n";

double read_degrees(const char *text) { return std::strtod(text, nullptr); }

} // namespace

PointingRequest read_pointing_request(int argc, const char *const argv[]) {
  PointingRequest request{RequestFault::usage, {0.0, 0.0}};
  if (argc < 3) {
    return request;
  }

  // Altitude first: when it fails, the azimuth is not even read.
  const double altitude = read_degrees(argv[1]);
  request.pointing.altitude_deg = altitude;
  if (altitude > 90.0 || altitude < -90.0 || std::isnan(altitude)) {
    request.fault = RequestFault::altitude;
    return request;
  }

  const double azimuth = read_degrees(argv[2]);
  request.pointing.azimuth_deg = azimuth;
  if (azimuth < 0.0 || azimuth > 360.0 || std::isnan(azimuth)) {
    request.fault = RequestFault::azimuth;
    return request;
  }

  request.fault = RequestFault::none;
  return request;
}

void write_request_problem(std::FILE *err, const PointingRequest &request,
                           const char *name) {
  switch (request.fault) {
  case RequestFault::usage:
    std::fprintf(err, kUsage, name);
    break;
  case RequestFault::altitude:
    std::fprintf(err, kAltitudeProblem, request.pointing.altitude_deg);
    std::fprintf(err, kUsage, name);
    break;
  case RequestFault::azimuth:
    std::fprintf(err, kAzimuthProblem, request.pointing.azimuth_deg);
    std::fprintf(err, kUsage, name);
    break;
  case RequestFault::none:
    break;
  }
}

int run_limit_check(int argc, const char *const argv[], const char *own_name,
                    LimitRule accepts, std::FILE *err) {
  const PointingRequest request = read_pointing_request(argc, argv);
  if (request.fault != RequestFault::none) {
    write_request_problem(err, request, kit::program_name(argc, argv, own_name));
    return 1;
  }
  return accepts(request.pointing) ? 0 : 1;
}

} // namespace limits
