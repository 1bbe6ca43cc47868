// station_options.cpp - --min-elevation and --mask read.
#include "station_options.h"

#include "failure.h"
#include "options.h"

namespace tracking {

int station_index(const std::string &name) {
  for (int k = 0; k < kStationCount; ++k)
    if (name == kStationNames[k])
      return k;
  return -1;
}

void read_min_elevation(const char *text, double (&min)[kStationCount]) {
  std::string name, value = text;
  const bool one = cli::split_assignment(text, name, value);
  double deg;
  if (!cli::parse_number(value.c_str(), deg) || !(deg >= -90.0 && deg <= 90.0))
    throw kit::Failure("--min-elevation: " + cli::quoted(value) +
                       " is not an elevation from -90 to 90");
  const int k = one ? station_index(name) : -1;
  if (one && k < 0)
    throw kit::Failure("--min-elevation: unknown station " + cli::quoted(name) + " (TS1 or TS2)");
  for (int s = 0; s < kStationCount; ++s)
    if (!one || s == k)
      min[s] = deg;
}

void read_mask(const char *text, HorizonMask (&masks)[kStationCount],
               const HorizonMask *(&mask)[kStationCount]) {
  std::string name, path;
  if (!cli::split_assignment(text, name, path))
    throw kit::Failure("--mask: " + cli::quoted(text) + " is not STATION=FILE");
  const int k = station_index(name);
  if (k < 0)
    throw kit::Failure("--mask: unknown station " + cli::quoted(name) + " (TS1 or TS2)");
  try {
    masks[k].read(path.c_str());
  } catch (const kit::Failure &e) {
    throw kit::Failure("--mask: " + cli::quoted(path) + ": " + e.what());
  }
  mask[k] = &masks[k];
}

} // namespace tracking
