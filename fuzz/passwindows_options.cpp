// Fuzz target: passwindows' command line (parse_passwindows_options), on
// argument vectors cut from the input at NUL bytes.
//
// Properties checked: a command line is accepted or refused with one line
// of text; an accepted one names an orbit file, keeps every minimum
// elevation within -90 to 90, a positive largest gap, a span whose start is
// not after its end, at least one window stream, and a mask only from a
// file that was read; --help and --version are taken as they come.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "failure.h"
#include "fuzz_check.h"
#include "passwindows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const kit_fuzz::Arguments args("passwindows", data, size, 12);
  // getopt_long may permute the vector: hand it a copy of the pointers.
  std::vector<char *> argv;
  for (int i = 0; i <= args.argc(); ++i)
    argv.push_back(const_cast<char *>(args.argv()[i]));
  PasswindowsOptions o;
  try {
    parse_passwindows_options(args.argc(), argv.data(), o);
  } catch (const kit::Failure &e) {
    FUZZ_CHECK(std::string(e.what()).find('\n') == std::string::npos);
    return 0;
  }
  if (o.common.help || o.common.version)
    return 0;
  FUZZ_CHECK(!o.orbit.empty() || args.argc() >= 2);
  for (int k = 0; k < tracking::kStationCount; ++k) {
    FUZZ_CHECK(o.settings.min_elevation[k] >= -90.0 && o.settings.min_elevation[k] <= 90.0);
    FUZZ_CHECK(o.settings.mask[k] == nullptr ||
               (o.settings.mask[k] == &o.masks[k] && !o.masks[k].empty()));
  }
  FUZZ_CHECK(o.settings.max_gap > 0.0 && std::isfinite(o.settings.max_gap));
  FUZZ_CHECK(!(o.settings.start > o.settings.end));
  bool any = false;
  for (const bool w : o.settings.wanted)
    any |= w;
  FUZZ_CHECK(any);
  return 0;
}
