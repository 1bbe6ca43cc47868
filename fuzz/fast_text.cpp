// Fuzz target: the fast number text against the C library's, on any bytes.
//
// Properties checked: the input read as an orbit file by OrbitReader
// (without its comment and "Z" rules) gives the same records, bit for bit
// in every field, as read_orbit_record's fscanf on the same bytes, and the
// same number of them; the input's first 48 bytes taken as six doubles
// (every class: zeros, subnormals, infinities, not-a-numbers) make the
// same report line with report_text as with snprintf of its format.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "fuzz_check.h"
#include "orbit_reader.h"
#include "orbit_record.h"
#include "report_text.h"
#include "text_exactness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size >= 6 * sizeof(double)) {
    double v[6];
    std::memcpy(v, data, sizeof v);
    char fast[tracking::kReportTextMax], slow[tracking::kReportTextMax];
    const std::size_t n = tracking::report_text(v[0], v[1], v[2], v[3], v[4], v[5], fast);
    const int m = std::snprintf(slow, sizeof slow, tracking::kReportFormat, v[0], v[1], v[2],
                                v[3], v[4], v[5]);
    FUZZ_CHECK(m > 0 && n == static_cast<std::size_t>(m) && std::memcmp(fast, slow, n) == 0);
  }

  std::vector<char> text;
  std::vector<OrbitRecord> slow, fast;
  OrbitRecord r;
  if (std::FILE *f = kit_fuzz::open_input(data, size, text)) {
    while (read_orbit_record(f, r))
      slow.push_back(r);
    std::fclose(f);
  }
  std::vector<char> again;
  if (std::FILE *f = kit_fuzz::open_input(data, size, again)) {
    {
      tracking::OrbitReader reader(f, tracking::OrbitReader::Rules{});
      tracking::OrbitReader::Status s;
      while ((s = reader.next(r)) == tracking::OrbitReader::Status::record)
        fast.push_back(r);
      FUZZ_CHECK(s != tracking::OrbitReader::Status::read_error);
    }
    std::fclose(f);
  }
  FUZZ_CHECK(slow.size() == fast.size());
  for (std::size_t i = 0; i < slow.size(); ++i)
    FUZZ_CHECK(exactness::same_record(slow[i], fast[i]));
  return 0;
}
