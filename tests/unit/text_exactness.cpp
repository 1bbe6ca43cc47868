// text_exactness.cpp - the fast number text against the C library's.
#include "text_exactness.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "orbit_reader.h"
#include "orbit_record.h"
#include "report_text.h"

namespace exactness {

namespace {

using Random = std::mt19937_64;

std::uint64_t below(Random &g, std::uint64_t n) { return g() % n; }
double uniform(Random &g, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(g);
}

// The text with its control characters shown, for a mismatch's report.
std::string shown(const std::string &text, std::size_t limit = 400) {
  std::string s;
  for (const char c : text.substr(0, limit)) {
    if (c == '\n')
      s += "\\n";
    else if (c == '\t')
      s += "\\t";
    else if (static_cast<unsigned char>(c) < 0x20) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
      s += hex;
    } else
      s += c;
  }
  return text.size() > limit ? s + "..." : s;
}

// ---- the report line ------------------------------------------------------

// A value for a field printed with `precision` decimals whose values are
// usually of magnitude `scale`.
double report_value(Random &g, int precision, double scale) {
  const double sign = below(g, 2) ? -1.0 : 1.0;
  const double ten = std::pow(10.0, precision);
  switch (below(g, 13)) {
  case 0: // any bit pattern: every class, mostly huge and tiny
    return std::bit_cast<double>(g());
  case 1:
    return sign * 0.0;
  case 2: // subnormal
    return sign * std::bit_cast<double>(g() & ((std::uint64_t{1} << 52) - 1));
  case 3:
    return sign * INFINITY;
  case 4: { // a not-a-number with a random payload
    const std::uint64_t bits = (g() & 0x800fffffffffffffULL) | 0x7ff0000000000001ULL;
    return std::bit_cast<double>(bits);
  }
  case 5: // the field's usual values
    return sign * uniform(g, 0.0, scale);
  case 6: { // the double nearest a decimal halfway point, and its neighbours
    const double k = std::floor(uniform(g, 0.0, scale * ten));
    const double v = sign * ((k + 0.5) / ten);
    const int side = static_cast<int>(below(g, 3));
    return side == 0 ? v : std::nextafter(v, side == 1 ? INFINITY : -INFINITY);
  }
  case 7: { // an exact binary halfway point: odd m / 2^(precision + 1)
    // (m 5^(p+1) / 10^(p+1): p + 1 decimals, the last a 5), of the field's
    // magnitudes or of any up to 2^51
    const double top = below(g, 2) ? std::ldexp(scale, precision) : std::ldexp(1.0, static_cast<int>(1 + below(g, 51)));
    const double m = 2.0 * std::floor(uniform(g, 0.0, top)) + 1.0;
    return sign * std::ldexp(m, -(precision + 1));
  }
  case 12: { // about 2^44, where the writer's integer digits give way to
             // to_chars with a precision: any significand, 2^38 to 2^50
    const double m = static_cast<double>(g() >> 11); // below 2^53
    const double v = std::ldexp(m, static_cast<int>(below(g, 13)) - 15);
    if (below(g, 4) == 0) // 2^44 itself or a neighbour
      return sign * std::nextafter(17592186044416.0, below(g, 2) ? 0.0 : INFINITY);
    return sign * v;
  }
  case 8: { // halfway below a carry into one more digit: 9.95, 99.9999995
    const double k = std::pow(10.0, static_cast<double>(below(g, 12))) * ten - 1.0;
    const double v = sign * ((k + 0.5) / ten);
    const int side = static_cast<int>(below(g, 3));
    return side == 0 ? v : std::nextafter(v, side == 1 ? INFINITY : -INFINITY);
  }
  case 9: // huge
    return sign * std::pow(10.0, uniform(g, 13.0, 308.3));
  case 10: // tiny: rounds to a zero of either sign
    return sign * std::pow(10.0, uniform(g, -323.0, -precision - 0.5));
  default: { // exact halfway points at the scale of a few units
    const double m = 2.0 * static_cast<double>(below(g, 2000)) + 1.0;
    return sign * std::ldexp(m, -(precision + 1));
  }
  }
}

// ---- the orbit records ----------------------------------------------------

// The shortest decimal text of x (to_chars), or printf's in a format.
std::string shortest(double x) {
  char text[400];
  return std::string(text, std::to_chars(text, text + sizeof text, x).ptr);
}
std::string printed(const char *format, double x) {
  char text[2000];
  std::snprintf(text, sizeof text, format, x);
  return text;
}

// The exact decimal text of the point halfway between x (of magnitude
// 1e-3 to 1e9) and the next double, with the digits just above or below
// it when asked.
std::string halfway_text(double x, int side) {
  const long double mid = (static_cast<long double>(x) +
                           static_cast<long double>(std::nextafter(x, INFINITY))) /
                          2.0L;
  char text[200];
  std::snprintf(text, sizeof text, "%.70Lf", mid);
  std::string s = text;
  while (s.back() == '0')
    s.pop_back();
  if (side > 0)
    s += "0000000001";
  else if (side < 0 && s.back() > '1')
    s.back() = static_cast<char>(s.back() - 1), s += "99999999";
  return s;
}

// A number's text as an orbit record may hold it.
std::string number_text(Random &g) {
  static const char *const kOdd[] = {
      "+1.5", "+0", "0x1p3", "-0x1.8p1", "0X10", "inf", "-inf", "nan", "-nan", "NAN",
      "infinity", "1e", "1e+", "-2.5e-", "1e-400", "-1e-400", "1e400", "-1e309", "1e-310",
      "2.4703282292062327e-324", "2.4703282292062328e-324", "4.9406564584124654e-324",
      "1.7976931348623157e308", "1.7976931348623159e308", ".5", "-.5", "5.", "-0", "-0.0",
      "000000000000000000000001.25", "1.5.5", "1-2", "3-", "1x", "e5", "-", ".", "--1",
      "1e5e5", "0.0000000000000000000000000000000000000000000000000001"};
  const double sign = below(g, 2) ? -1.0 : 1.0;
  switch (below(g, 16)) {
  case 0:
    return kOdd[below(g, sizeof kOdd / sizeof *kOdd)];
  case 1:
    return shortest(std::bit_cast<double>(g()));
  case 2:
    return printed("%.17g", std::bit_cast<double>(g()));
  case 3:
    return printed("%.40e", sign * uniform(g, 0.0, 1e5));
  case 4:
    return halfway_text(std::pow(10.0, uniform(g, -3.0, 9.0)), static_cast<int>(below(g, 3)) - 1);
  case 5: { // hundreds of digits
    std::string s = below(g, 2) ? "-" : "";
    for (std::uint64_t i = 0, n = 300 + below(g, 600); i < n; ++i)
      s += static_cast<char>('0' + below(g, 10));
    if (below(g, 2))
      s.insert(1 + below(g, s.size() - 1), ".");
    return s;
  }
  case 6:
    return printed("%.6f", sign * uniform(g, 0.0, 1e5));
  case 7:
    return printed("%.3e", sign * std::pow(10.0, uniform(g, -330.0, 330.0)));
  default: // genorbit's kind of text
    return printed("%.9f", sign * uniform(g, 0.0, 50000.0));
  }
}

// White space between two fields (or none: numbers run together).
std::string gap(Random &g) {
  static const char *const kGaps[] = {" ", "\t", "\n", "\r\n", "\v", "\f", "  \t ", "\n\n"};
  switch (below(g, 24)) {
  case 0:
    return "";
  case 1:
    return std::string(200 + below(g, 200), below(g, 2) ? ' ' : '\n');
  default:
    return below(g, 3) ? " " : kGaps[below(g, sizeof kGaps / sizeof *kGaps)];
  }
}

// One integer field of the timestamp, sometimes one fscanf reads
// differently from from_chars or refuses.
std::string stamp_field(Random &g, long lo, long hi) {
  std::string s = std::to_string(lo + static_cast<long>(below(g, static_cast<std::uint64_t>(hi - lo + 1))));
  switch (below(g, 60)) {
  case 0:
    return "+" + s;
  case 1:
    return " " + s;
  case 2:
    return "0" + s;
  case 3:
    return "99999999999999999999";
  case 4:
    return "4294969312";
  case 5:
    return "x";
  default:
    return s;
  }
}

// One record; `odd` lets its fields take any text, not only plain ones.
std::string record_text(Random &g, bool odd) {
  std::string s = stamp_field(g, below(g, 50) ? 1990 : -40000, below(g, 50) ? 2100 : 40000) +
                  (below(g, 200) ? "-" : "/") + stamp_field(g, 1, 12) + "-" +
                  stamp_field(g, 1, 28) + (below(g, 200) ? "T" : " ") + stamp_field(g, 0, 23) +
                  ":" + stamp_field(g, 0, 59) + ":";
  s += odd && below(g, 4) == 0 ? number_text(g) : printed("%.3f", uniform(g, 0.0, 59.999));
  for (int i = 0; i < 6; ++i) {
    s += odd ? gap(g) : " ";
    if (s.back() != ' ' && s.back() != '\n' && below(g, 2))
      s += ' ';
    s += odd && below(g, 3) == 0 ? number_text(g) : printed("%.9f", uniform(g, -5e4, 5e4));
  }
  return s + (odd && below(g, 10) == 0 ? gap(g) : "\n");
}

std::vector<OrbitRecord> formatted_records(const std::string &text) {
  std::vector<OrbitRecord> out;
  std::FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  OrbitRecord r;
  while (f != nullptr && read_orbit_record(f, r))
    out.push_back(r);
  if (f != nullptr)
    std::fclose(f);
  return out;
}

std::vector<OrbitRecord> fast_records(const std::string &text, bool &failed) {
  std::vector<OrbitRecord> out;
  std::FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  failed = f == nullptr;
  if (f == nullptr)
    return out;
  {
    tracking::OrbitReader reader(f, tracking::OrbitReader::Rules{});
    OrbitRecord r;
    tracking::OrbitReader::Status s;
    while ((s = reader.next(r)) == tracking::OrbitReader::Status::record)
      out.push_back(r);
    failed = s == tracking::OrbitReader::Status::read_error;
  }
  std::fclose(f);
  return out;
}

bool same_bits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

bool same_record(const OrbitRecord &a, const OrbitRecord &b) {
  const utc::Instant &s = a.stamp, &t = b.stamp;
  return s.year() == t.year() && s.month() == t.month() && s.day() == t.day() &&
         s.hour() == t.hour() && s.minute() == t.minute() && same_bits(s.second(), t.second()) &&
         s.record_time() == t.record_time() && same_bits(a.x, b.x) && same_bits(a.y, b.y) &&
         same_bits(a.z, b.z) && same_bits(a.vx, b.vx) && same_bits(a.vy, b.vy) &&
         same_bits(a.vz, b.vz);
}

Outcome check_report_text(std::uint64_t seed, std::uint64_t values) {
  Random g(seed);
  Outcome o;
  static const int kPrecision[6] = {5, 6, 6, 6, 1, 1};
  static const double kScale[6] = {2.5e6, 1e5, 1e5, 1e5, 90.0, 90.0};
  char fast[tracking::kReportTextMax];
  char slow[tracking::kReportTextMax];
  while (o.values < values) {
    double v[6];
    for (int i = 0; i < 6; ++i)
      v[i] = report_value(g, kPrecision[i], kScale[i]);
    // Most lines finite, so that the fast path writes them.
    if (below(g, 4) != 0)
      for (double &x : v)
        if (!std::isfinite(x))
          x = 0.5;
    const std::size_t n = tracking::report_text(v[0], v[1], v[2], v[3], v[4], v[5], fast);
    const int m =
        std::snprintf(slow, sizeof slow, tracking::kReportFormat, v[0], v[1], v[2], v[3], v[4], v[5]);
    o.values += 6;
    if (m < 0 || n != static_cast<std::size_t>(m) || std::memcmp(fast, slow, n) != 0) {
      if (o.mismatches++ == 0) {
        char bits[200];
        std::snprintf(bits, sizeof bits, "%a %a %a %a %a %a", v[0], v[1], v[2], v[3], v[4],
                      v[5]);
        o.first = std::string("values ") + bits + "\nfast:     " +
                  shown(std::string(fast, n)) + "\nsnprintf: " +
                  shown(std::string(slow, m > 0 ? static_cast<std::size_t>(m) : 0));
      }
    }
  }
  return o;
}

Outcome check_orbit_reading(std::uint64_t seed, std::uint64_t values) {
  Random g(seed);
  Outcome o;
  for (std::uint64_t text_number = 0; o.values < values; ++text_number) {
    // One text in 200 beyond the reader's first 64 KiB buffer.
    const std::uint64_t records = text_number % 200 == 7 ? 900 + below(g, 300) : 1 + below(g, 30);
    std::string text = below(g, 10) ? "" : gap(g);
    std::uint64_t fields = 0;
    for (std::uint64_t i = 0; i < records; ++i) {
      // Mostly plain records; an odd one now and then stops neither
      // reading early.
      text += record_text(g, below(g, records > 100 ? 50 : 4) == 0);
      fields += 12;
    }
    if (below(g, 5) == 0) // cut short
      text.resize(below(g, text.size()) + 1);
    o.values += fields;
    const std::vector<OrbitRecord> slow = formatted_records(text);
    bool failed = false;
    const std::vector<OrbitRecord> fast = fast_records(text, failed);
    std::size_t i = 0;
    while (i < slow.size() && i < fast.size() && same_record(slow[i], fast[i]))
      ++i;
    if (failed || i < slow.size() || i < fast.size()) {
      if (o.mismatches++ == 0)
        o.first = "text " + shown(text, 3000) + "\nrecords: fscanf " +
                  std::to_string(slow.size()) + ", OrbitReader " + std::to_string(fast.size()) +
                  ", the first that differ: " + std::to_string(i) +
                  (failed ? " (a read error)" : "");
    }
  }
  return o;
}

} // namespace exactness
