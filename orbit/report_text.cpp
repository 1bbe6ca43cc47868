// report_text.cpp - passrange's report line: exact integer rounding and
// std::to_chars.
#include "report_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace tracking {

namespace {

// The longest field: "-", 309 integer digits, ".", six decimals.
constexpr std::size_t kFieldMax = 320;

// 10^precision for the format's precisions, 0 to 6.
constexpr std::uint64_t kPowerOfTen[7] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// Below this magnitude x 10^6 rounded fits 64 bits: 2^44 10^6 < 2^64.
constexpr double kScaledLimit = 17592186044416.0; // 2^44

// |x| 10^precision rounded to an integer as printf rounds it: to nearest,
// an exact tie to the even integer.  |x| = m 2^-shift exactly (m the
// significand, below 2^53), so |x| 10^p = m 10^p 2^-shift is formed exactly
// in 128 bits and the bits shifted out decide the rounding.
// |x| < kScaledLimit.
std::uint64_t scaled(double x, int precision) {
  __extension__ typedef unsigned __int128 Wide;
  // |x| = m 2^-shift from its bits: the significand with its leading bit
  // (none for a subnormal) and the exponent less the significand's 52 bits
  // and the bias.
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t m = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const int shift = biased == 0 ? 1074 : 1075 - biased;
  if (m == 0)
    return 0;
  const Wide n = static_cast<Wide>(m) * kPowerOfTen[precision];
  if (shift <= 0)
    return static_cast<std::uint64_t>(n << -shift);
  if (shift >= 127)
    return 0; // |x| 10^6 < 2^-54: below a half
  const Wide q = n >> shift;
  const Wide rest = n - (q << shift);
  const Wide half = static_cast<Wide>(1) << (shift - 1);
  const bool up = rest > half || (rest == half && (q & 1) != 0);
  return static_cast<std::uint64_t>(q) + (up ? 1 : 0);
}

// Writes x as printf's "%W.Plf" (plus sign when `plus`, as "%+W.Plf"),
// padded on the left with blanks to `width`; printf's "-" for a negative
// zero and a negative value that rounds to zero.  Below kScaledLimit the
// digits are those of x 10^P rounded (scaled), written with to_chars of
// integers; otherwise to_chars with a precision, which gives printf's
// digits for any finite double.  x must be finite.
char *fixed(char *out, double x, int precision, int width, bool plus) {
  char text[kFieldMax];
  char *first = text;
  if (std::signbit(x))
    *first++ = '-';
  else if (plus)
    *first++ = '+';
  char *last;
  if (std::fabs(x) < kScaledLimit) {
    const std::uint64_t q = scaled(x, precision);
    const std::uint64_t unit = kPowerOfTen[precision];
    last = std::to_chars(first, text + sizeof text, q / unit).ptr;
    if (precision > 0) {
      *last++ = '.';
      // The decimals with their leading zeros: unit + fraction, its "1"
      // dropped.
      char decimals[8];
      std::to_chars(decimals, decimals + sizeof decimals, unit + q % unit);
      std::memcpy(last, decimals + 1, static_cast<std::size_t>(precision));
      last += precision;
    }
  } else {
    last = std::to_chars(first, text + sizeof text, std::fabs(x), std::chars_format::fixed,
                         precision)
               .ptr;
  }
  const std::size_t n = static_cast<std::size_t>(last - text);
  for (std::size_t pad = n; pad < static_cast<std::size_t>(width); ++pad)
    *out++ = ' ';
  std::memcpy(out, text, n);
  return out + n;
}

} // namespace

std::size_t report_text(double julian_date, double distance1, double distance2,
                        double geocentric, double elevation1, double elevation2, char *out) {
  if (!(std::isfinite(julian_date) && std::isfinite(distance1) && std::isfinite(distance2) &&
        std::isfinite(geocentric) && std::isfinite(elevation1) && std::isfinite(elevation2))) {
    // printf's own words for infinities and not-a-numbers, with their signs.
    const int n = std::snprintf(out, kReportTextMax, kReportFormat, julian_date, distance1,
                                distance2, geocentric, elevation1, elevation2);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  char *p = out;
  p = fixed(p, julian_date, 5, 0, false);
  *p++ = ' ';
  p = fixed(p, distance1, 6, 13, false);
  *p++ = ' ';
  p = fixed(p, distance2, 6, 13, false);
  *p++ = ' ';
  p = fixed(p, geocentric, 6, 13, false);
  std::memcpy(p, "   ", 3);
  p += 3;
  p = fixed(p, elevation1, 1, 5, true);
  *p++ = ' ';
  p = fixed(p, elevation2, 1, 5, true);
  std::memcpy(p, " \n", 2);
  p += 2;
  return static_cast<std::size_t>(p - out);
}

} // namespace tracking
