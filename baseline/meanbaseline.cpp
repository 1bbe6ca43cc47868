// meanbaseline - mean baseline length and position angle.
//
// Reads every pair of numbers from "fort.75" in the working directory,
// averages each component, and prints the length of the mean vector divided
// by 212.37 and its position angle folded into 0..180 degrees, as
// "%4.1lf %5.1lf" with no line end.  Arguments are ignored.  Exit status 0
// when the line was written; 1, with no text at all, when the file cannot be
// opened or read, holds fewer than four pairs, or is not a list of pairs.
#include "meanbaseline.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "math_constants.h"

namespace baseline {

namespace {

using kit::kPi;

} // namespace

PairSums read_pairs(std::FILE *in) {
  PairSums sums{ReadStatus::ok, 0, 0.0, 0.0};
  for (;;) {
    double first = 0.0;
    double second = 0.0;
    const int got = std::fscanf(in, "%lf %lf", &first, &second);
    if (got == EOF) {
      // End of input before the first number of a pair, or a read error.
      sums.status = std::ferror(in) ? ReadStatus::read_error : ReadStatus::ok;
      return sums;
    }
    if (got != 2) {
      // 0: a token that is not a number (fscanf leaves it in the stream, so
      // retrying would never progress); 1: a number without its partner.
      sums.status =
          std::ferror(in) ? ReadStatus::read_error : ReadStatus::not_pairs;
      return sums;
    }
    if (sums.count == INT_MAX) {
      sums.status = ReadStatus::too_many;
      return sums;
    }
    ++sums.count;
    sums.sum1 += first;
    sums.sum2 += second;
  }
}

MeanBaseline reduce_pairs(int count, double sum1, double sum2) {
  const double n = static_cast<double>(count);
  const double mean2 = sum2 / n;
  const double mean1 = sum1 / n;

  MeanBaseline b;
  b.length = std::sqrt(mean1 * mean1 + mean2 * mean2) / kLengthScale;
  b.angle_deg = (std::atan2(mean1, mean2) * 180.0) / kPi;
  if (b.angle_deg < 0.0) {
    b.angle_deg += 180.0;
  }
  return b;
}

int write_mean_baseline(std::FILE *out, const MeanBaseline &b) {
  if (std::fprintf(out, "%4.1lf %5.1lf", b.length, b.angle_deg) < 0) {
    return 1;
  }
  return std::fflush(out) == 0 && !std::ferror(out) ? 0 : 1;
}

} // namespace baseline

#ifndef KIT_NO_MAIN
int main() {
  std::FILE *in = std::fopen("fort.75", "r");
  if (in == nullptr) {
    return 1;
  }
  const baseline::PairSums sums = baseline::read_pairs(in);
  std::fclose(in);

  if (sums.status != baseline::ReadStatus::ok ||
      sums.count < baseline::kMinPairs) {
    return 1;
  }
  return baseline::write_mean_baseline(
      stdout, baseline::reduce_pairs(sums.count, sums.sum1, sums.sum2));
}
#endif
