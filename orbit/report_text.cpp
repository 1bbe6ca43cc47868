// report_text.cpp - passrange's report line with std::to_chars.
#include "report_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tracking {

namespace {

// The longest field: "-", 309 integer digits, ".", six decimals.
constexpr std::size_t kFieldMax = 320;

// Writes x as printf's "%W.Plf" (plus sign when `plus`, as "%+W.Plf"):
// to_chars with a precision gives printf's digits and its "-" (a negative
// zero and a negative value that rounds to zero included), and the field
// is padded on the left with blanks to `width`.  x must be finite.
char *fixed(char *out, double x, int precision, int width, bool plus) {
  char text[kFieldMax];
  char *first = text;
  if (plus && !std::signbit(x))
    *first++ = '+';
  const auto [last, ec] = std::to_chars(first, text + sizeof text, x, std::chars_format::fixed,
                                        precision);
  // The room holds any finite double at these precisions.
  (void)ec;
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
