// floor-charconv - the parse-and-print floor (floor.cpp) with <charconv>:
// the same loop over the same records, the numbers read with
// std::from_chars from the file held in memory and the same line printed
// with std::to_chars, byte for byte floor's output on an orbit file of
// plain decimal records (genorbit's).  It stops, as floor does, at the
// first record it cannot read; it knows none of the formatted reading's
// other forms (a "+", hexadecimal, inf, nan), which the kit's readers
// hand to fscanf.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "floor_fields.h"

namespace {

bool space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// printf's "%W.Plf" ("%+W.Plf" when plus) of a finite x.
char *field(char *out, double x, int precision, int width, bool plus) {
  char text[400];
  char *first = text;
  if (plus && !std::signbit(x))
    *first++ = '+';
  const char *last = std::to_chars(first, text + sizeof text, x, std::chars_format::fixed,
                                   precision).ptr;
  const int n = static_cast<int>(last - text);
  for (int pad = n; pad < width; ++pad)
    *out++ = ' ';
  std::memcpy(out, text, static_cast<std::size_t>(n));
  return out + n;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2)
    return 1;
  std::FILE *f = std::fopen(argv[1], "r");
  if (f == nullptr)
    return 1;
  std::string text;
  char chunk[1 << 16];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
    text.append(chunk, n);
  std::fclose(f);
  const char *p = text.data(), *const end = p + text.size();
  static const char kSeparators[5] = {'-', '-', 'T', ':', ':'};
  for (;;) {
    long long stamp[5];
    double v[7];
    bool ok = true;
    for (int i = 0; ok && i < 5; ++i) {
      while (p < end && space(*p))
        ++p;
      const auto [q, ec] = std::from_chars(p, end, stamp[i]);
      ok = ec == std::errc() && q < end && *q == kSeparators[i];
      p = q + 1;
    }
    for (int i = 0; ok && i < 7; ++i) {
      while (p < end && space(*p))
        ++p;
      const auto [q, ec] = std::from_chars(p, end, v[i]);
      ok = ec == std::errc();
      p = q;
    }
    if (!ok)
      break;
    const double second = v[0], x = v[1], y = v[2], z = v[3], vx = v[4], vy = v[5], vz = v[6];
    double out[6];
    floor_fields(stamp, second, x, y, z, vx, vy, vz, out);
    char line[2048];
    char *o = line;
    bool finite = true;
    for (const double w : out)
      finite = finite && std::isfinite(w);
    if (!finite) {
      std::printf("%.5lf %13lf %13lf %13lf   %+5.1lf %+5.1lf \n", out[0], out[1], out[2],
                  out[3], out[4], out[5]);
      continue;
    }
    o = field(o, out[0], 5, 0, false);
    *o++ = ' ';
    o = field(o, out[1], 6, 13, false);
    *o++ = ' ';
    o = field(o, out[2], 6, 13, false);
    *o++ = ' ';
    o = field(o, out[3], 6, 13, false);
    std::memcpy(o, "   ", 3);
    o += 3;
    o = field(o, out[4], 1, 5, true);
    *o++ = ' ';
    o = field(o, out[5], 1, 5, true);
    std::memcpy(o, " \n", 2);
    o += 2;
    std::fwrite(line, 1, static_cast<std::size_t>(o - line), stdout);
  }
  return 0;
}
