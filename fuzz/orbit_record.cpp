// Fuzz target: the orbit-record scan of passrange (read_orbit_record), on
// an orbit file held in memory.
//
// Properties checked: the scan always ends; every record it accepts moved
// the stream forward and has a record time, which means a second that is a
// number inside the range of int; the reader never reads past the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "fuzz_check.h"
#include "passrange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  // fmemopen reads the bytes in place; a copy of exactly the input's size
  // keeps the buffer writable and bounded.
  std::vector<char> text(data, data + size);
  std::FILE *f = fmemopen(size > 0 ? text.data() : nullptr, size, "r");
  if (f == nullptr)
    return 0;
  OrbitRecord r;
  long position = 0;
  while (read_orbit_record(f, r)) {
    const long now = std::ftell(f);
    FUZZ_CHECK(now > position);
    FUZZ_CHECK(now <= static_cast<long>(size));
    position = now;
    FUZZ_CHECK(r.second > -2147483649.0 && r.second < 2147483648.0);
  }
  std::fclose(f);
  return 0;
}
