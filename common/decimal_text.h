// decimal_text.h - whether a text is a decimal number as people type one,
// and fixed-width fields of digits.
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

// ---------------------------------------------------------------------------
// fixed_digits: the n characters at text as a number, when all are decimal
// digits (a field of fixed width: "2016" of a date); false otherwise, and
// value is then undefined.
// ---------------------------------------------------------------------------
constexpr bool fixed_digits(const char *text, int n, int &value) {
  value = 0;
  for (int i = 0; i < n; ++i) {
    if (text[i] < '0' || text[i] > '9')
      return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

} // namespace kit

#endif
