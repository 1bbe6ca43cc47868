// oem_fields.cpp - lines, keywords, fields and numbers of a KVN message.
#include "oem_fields.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace oem {

namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

} // namespace

std::string_view trimmed(std::string_view line) {
  std::size_t b = 0, e = line.size();
  while (b < e && blank(line[b]))
    ++b;
  while (e > b && blank(line[e - 1]))
    --e;
  return line.substr(b, e - b);
}

// A data line is told by its first character alone, so that the first
// pass over a message spends nothing on its data.
LineKind line_kind(std::string_view line) {
  if (line.empty())
    return LineKind::kBlank;
  if (line[0] >= '0' && line[0] <= '9')
    return LineKind::kNumbers;
  std::size_t word = 0;
  while (word < line.size() && !blank(line[word]) && line[word] != '=')
    ++word;
  const std::string_view first = line.substr(0, word);
  if (first == "COMMENT")
    return LineKind::kComment;
  if (word == line.size()) {
    if (first == "META_START")
      return LineKind::kMetaStart;
    if (first == "META_STOP")
      return LineKind::kMetaStop;
    if (first == "COVARIANCE_START")
      return LineKind::kCovarianceStart;
    if (first == "COVARIANCE_STOP")
      return LineKind::kCovarianceStop;
  }
  if (line.find('=') != std::string_view::npos && word > 0)
    return LineKind::kKeyword;
  const char c = line[0];
  if (c == '-' || c == '+' || c == '.')
    return LineKind::kNumbers;
  return LineKind::kOther;
}

bool keyword_value(std::string_view line, std::string_view &keyword,
                   std::string_view &value) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos)
    return false;
  keyword = trimmed(line.substr(0, eq));
  value = trimmed(line.substr(eq + 1));
  return !keyword.empty();
}

int split_fields(std::string_view line, std::string_view *fields, int max) {
  const char *p = line.data();
  const char *const end = p + line.size();
  int n = 0;
  for (;;) {
    while (p != end && (*p == ' ' || *p == '\t' || *p == '\r'))
      ++p;
    if (p == end)
      return n;
    if (n == max)
      return max + 1;
    const char *start = p;
    while (p != end && *p != ' ' && *p != '\t' && *p != '\r')
      ++p;
    fields[n++] = std::string_view(start, static_cast<std::size_t>(p - start));
  }
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z')
      x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z')
      y = static_cast<char>(y - 'a' + 'A');
    if (x != y)
      return false;
  }
  return true;
}

// A leading '+' (which from_chars does not take) is skipped before a digit
// or point; text that from_chars reads wholly but finds beyond the range of
// a double goes to strtod, which tells overflow (infinite) from underflow
// (a subnormal or zero, kept).
NumberStatus parse_number(std::string_view text, double &v) {
  const char *first = text.data();
  const char *last = first + text.size();
  if (first != last && *first == '+' && last - first > 1 &&
      (first[1] == '.' || (first[1] >= '0' && first[1] <= '9')))
    ++first;
  double x = 0.0;
  const std::from_chars_result r = std::from_chars(first, last, x);
  if (r.ptr != last || first == last)
    return NumberStatus::kNotANumber;
  if (r.ec == std::errc::result_out_of_range) {
    const std::string copy(first, last);
    x = std::strtod(copy.c_str(), nullptr);
  } else if (r.ec != std::errc()) {
    return NumberStatus::kNotANumber;
  }
  if (!std::isfinite(x))
    return NumberStatus::kNotFinite;
  v = x;
  return NumberStatus::kNumber;
}

// from_chars itself finds each number's end, which must be a blank or the
// line's end: the text is swept once.
bool read_data_fields(std::string_view line, std::string_view &epoch,
                      double *values, int &count) {
  const char *p = line.data();
  const char *const end = p + line.size();
  while (p != end && !blank(*p))
    ++p;
  epoch = std::string_view(line.data(), static_cast<std::size_t>(p - line.data()));
  int n = 0;
  for (;;) {
    while (p != end && blank(*p))
      ++p;
    if (p == end)
      break;
    if (n == 9)
      return false;
    const std::from_chars_result r = std::from_chars(p, end, values[n]);
    if (r.ec != std::errc() || r.ptr == p || (r.ptr != end && !blank(*r.ptr)) ||
        !std::isfinite(values[n]))
      return false;
    p = r.ptr;
    ++n;
  }
  count = n + 1;
  return n == 6 || n == 9;
}

} // namespace oem
