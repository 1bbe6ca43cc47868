// Fuzz target: the formatted orbit-record scan (read_orbit_record), which
// the fast reading passrange and the windows tools use falls back to and is
// checked against (fast_text), on an orbit file held in memory.
//
// Properties checked: the scan always ends; every record it accepts moved
// the stream forward by as many characters as it says it took, starts with
// its year as written (not a number beyond int wrapped into another year),
// and has a record time, which means a second that is a number inside the
// range of int; the reader never reads past the input.
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "passrange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  std::vector<char> text;
  std::FILE *f = kit_fuzz::open_input(data, size, text);
  if (f == nullptr)
    return 0;
  OrbitRecord r;
  long position = 0, consumed = -1;
  while (read_orbit_record(f, r, &consumed)) {
    // The year is the first number of the record's text.
    std::size_t at = static_cast<std::size_t>(position);
    while (at < size && std::isspace(static_cast<unsigned char>(text[at])))
      ++at;
    std::string year_text;
    while (at < size &&
           (std::isdigit(static_cast<unsigned char>(text[at])) ||
            (year_text.empty() && (text[at] == '-' || text[at] == '+'))))
      year_text += text[at++];
    errno = 0;
    const long long year = std::strtoll(year_text.c_str(), nullptr, 10);
    FUZZ_CHECK(errno == 0 && year == r.stamp.year());

    const long now = std::ftell(f);
    FUZZ_CHECK(now > position);
    FUZZ_CHECK(now - position == consumed);
    FUZZ_CHECK(now <= static_cast<long>(size));
    position = now;
    FUZZ_CHECK(r.stamp.second() > -2147483649.0 && r.stamp.second() < 2147483648.0);
  }
  std::fclose(f);
  return 0;
}
