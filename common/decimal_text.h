// decimal_text.h - whether a text is a decimal number as people type one.
#ifndef KIT_COMMON_DECIMAL_TEXT_H
#define KIT_COMMON_DECIMAL_TEXT_H

namespace kit {

// ---------------------------------------------------------------------------
// decimal_text: whether the whole of text is an optional sign, digits with
// an optional point and fraction (at least one digit in all), then an
// optional exponent: "10", "-0.5", ".5", "+5", "1e-3".  No white space, no
// hexadecimal, no words (inf, nan): what strtod would read beyond these is
// refused before it reads it.
// ---------------------------------------------------------------------------
constexpr bool decimal_text(const char *text) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const char *p = text;
  if (*p == '+' || *p == '-')
    ++p;
  int digits = 0;
  while (digit(*p))
    ++p, ++digits;
  if (*p == '.') {
    ++p;
    while (digit(*p))
      ++p, ++digits;
  }
  if (digits == 0)
    return false;
  if (*p == 'e' || *p == 'E') {
    ++p;
    if (*p == '+' || *p == '-')
      ++p;
    if (!digit(*p))
      return false;
    while (digit(*p))
      ++p;
  }
  return *p == '\0';
}

} // namespace kit

#endif
