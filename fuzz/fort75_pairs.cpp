// Fuzz target: the fort.75 reader of meanbaseline (read_pairs) on a file
// held in memory, and the reduction and answer line of what it read.
//
// Properties checked: the reader always returns, and ok only at the end of
// the input; the pair count is never negative; a reduction of four or more
// pairs gives a length that is not negative and an angle folded into
// 0..180 (NaN aside), printed as two fields with nothing else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "meanbaseline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  std::vector<char> text;
  std::FILE *in = kit_fuzz::open_input(data, size, text);
  if (in == nullptr)
    return 0;
  const baseline::PairSums sums = baseline::read_pairs(in);
  FUZZ_CHECK(sums.count >= 0);
  FUZZ_CHECK(sums.status != baseline::ReadStatus::read_error);
  if (sums.status == baseline::ReadStatus::ok)
    FUZZ_CHECK(std::fgetc(in) == EOF && std::feof(in));
  std::fclose(in);

  if (sums.status != baseline::ReadStatus::ok ||
      sums.count < baseline::kMinPairs)
    return 0;
  const baseline::MeanBaseline b =
      baseline::reduce_pairs(sums.count, sums.sum1, sums.sum2);
  FUZZ_CHECK(std::isnan(b.length) || b.length >= 0.0);
  FUZZ_CHECK(std::isnan(b.angle_deg) ||
             (b.angle_deg >= 0.0 && b.angle_deg <= 180.0));

  char *line = nullptr;
  std::size_t length = 0;
  std::FILE *out = open_memstream(&line, &length);
  if (out == nullptr)
    return 0;
  const int status = baseline::write_mean_baseline(out, b);
  std::fclose(out);
  const std::string written(line, length);
  std::free(line);
  FUZZ_CHECK(status == 0);
  // "%4.1lf %5.1lf": one blank between two fields, no line end.
  FUZZ_CHECK(written.size() >= 10);
  FUZZ_CHECK(written.find('\n') == std::string::npos);
  FUZZ_CHECK(written.find(' ') != std::string::npos);
  return 0;
}
