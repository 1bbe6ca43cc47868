// meanbaseline.h - reading and reducing the baseline samples of meanbaseline.
// Defined in meanbaseline.cpp; tests and fuzz targets reach them through the
// meanbaseline_functions target (the source built without its main).
#ifndef KIT_BASELINE_MEANBASELINE_H
#define KIT_BASELINE_MEANBASELINE_H

#include <cstdio>

namespace baseline {

// The input length that prints as 1.0.
inline constexpr double kLengthScale = 212.37;

// Fewer pairs than this give no answer.
inline constexpr int kMinPairs = 4;

// How reading the samples ended.
enum class ReadStatus {
  ok,         // end of input after a whole number of pairs
  not_pairs,  // a token that is not a number, or a lone final number
  read_error, // the stream reported an error
  too_many,   // more pairs than the count can hold
};

// The samples, accumulated in file order.
struct PairSums {
  ReadStatus status;
  int count;   // pairs read
  double sum1; // sum of the first components, from +0
  double sum2; // sum of the second components, from +0
};

// The reduced baseline.
struct MeanBaseline {
  double length;    // mean vector length / kLengthScale
  double angle_deg; // position angle, folded into 0..180 (NaN stays NaN)
};

// ---------------------------------------------------------------------------
// read_pairs: read a stream of numbers two at a time.
//
// Given:
//   in   FILE *   text stream of numbers separated by white space (line ends
//                 are white space; pairs need not follow lines)
//
// Returned (function value):
//   PairSums   count and component sums of the pairs read, and a status:
//     ok          the input ended before the first number of a pair
//     not_pairs   a token that is not a number, or a number with no partner
//                 before the end of input; count and sums cover the pairs
//                 read before it
//     read_error  ferror() on the stream
//     too_many    INT_MAX pairs were read and another followed
//
// Notes:
//   1) Pairs are read with fscanf "%lf %lf", so numbers take the forms strtod
//      accepts (decimal, hexadecimal, inf, nan) in the C locale.
//   2) Always returns: a token that is not a number ends the reading instead
//      of being met again and again.
//   3) Reads to the end of a well-formed stream; does not close it.
// ---------------------------------------------------------------------------
PairSums read_pairs(std::FILE *in);

// ---------------------------------------------------------------------------
// reduce_pairs: mean baseline length and position angle.
//
// Given:
//   count   int      pairs read (> 0)
//   sum1    double   sum of the first components
//   sum2    double   sum of the second components
//
// Returned (function value):
//   MeanBaseline   length: sqrt(m1*m1 + m2*m2) / 212.37 with m1, m2 the
//                  means; angle: atan2(m1, m2) in degrees, measured from the
//                  second component's axis towards the first, with 180 added
//                  when negative, so 0..180: a vector and its opposite agree,
//                  except along the second axis, where the positive
//                  direction gives 0 and the negative one 180
//
// Notes:
//   1) Operation order is fixed: mean2 then mean1; degrees as
//      (angle * 180) / pi with pi = 3.141592653589793.
//   2) A NaN anywhere gives NaN for both values; NaN is not folded.
// ---------------------------------------------------------------------------
MeanBaseline reduce_pairs(int count, double sum1, double sum2);

// ---------------------------------------------------------------------------
// write_mean_baseline: print the answer line.
//
// Given:
//   out   FILE *                 stream to write to (stdout in the program)
//   b     const MeanBaseline &   the reduced baseline
//
// Returned (function value):
//   int   0 when "%4.1lf %5.1lf" (no line end) was written and flushed,
//         1 when the stream reported an error
// ---------------------------------------------------------------------------
int write_mean_baseline(std::FILE *out, const MeanBaseline &b);

} // namespace baseline

#endif
