// horizon_mask.cpp - reading and evaluating an azimuth-dependent horizon.
#include "horizon_mask.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "decimal_text.h"
#include "failure.h"
#include "text_line.h"

namespace tracking {

namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A number at *p (after blanks): a word of decimal text (kit::decimal_text)
// whose value is finite; false otherwise.
bool number(const char *&p, double &value) {
  while (blank(*p))
    ++p;
  const char *end = p;
  while (*end != '\0' && !blank(*end))
    ++end;
  const std::string word(p, end);
  if (!kit::decimal_text(word.c_str()))
    return false;
  value = std::strtod(word.c_str(), nullptr);
  if (!std::isfinite(value))
    return false;
  p = end;
  return true;
}

std::string at_line(long line, const char *what) {
  return "line " + std::to_string(line) + ": " + what;
}

} // namespace

std::string HorizonMask::load(const char *path) {
  std::FILE *f = std::fopen(path, "r");
  if (f == nullptr)
    return std::string("cannot open: ") + std::strerror(errno);
  struct Point {
    double azimuth, elevation;
    long line;
  };
  std::vector<Point> points;
  char *buffer = nullptr;
  std::size_t capacity = 0;
  long line = 0;
  std::string problem;
  ssize_t length;
  while (problem.empty() && (length = cli::text_line(&buffer, &capacity, f)) != -1) {
    ++line;
    if (length == cli::kLineTooLong) {
      problem = at_line(line, "a line longer than 65536 bytes");
      break;
    }
    if (std::strlen(buffer) != static_cast<std::size_t>(length)) {
      problem = at_line(line, "a NUL byte");
      break;
    }
    if (char *comment = std::strchr(buffer, '#'))
      *comment = '\0';
    const char *p = buffer;
    while (blank(*p))
      ++p;
    if (*p == '\0')
      continue;
    double az, el;
    if (!number(p, az) || !number(p, el)) {
      problem = at_line(line, "not an azimuth and an elevation");
      break;
    }
    while (blank(*p))
      ++p;
    if (*p != '\0')
      problem = at_line(line, "more than an azimuth and an elevation");
    else if (!(az >= 0.0 && az < 360.0))
      problem = at_line(line, "azimuth outside 0 to 360");
    else if (!(el >= -90.0 && el <= 90.0))
      problem = at_line(line, "elevation outside -90 to 90");
    else
      points.push_back({az, el, line});
  }
  const bool failed = std::ferror(f) != 0;
  std::free(buffer);
  std::fclose(f);
  // An azimuth given twice is named by the later of its lines, as a
  // reading that checked each line against those before it would name
  // it: the first such line in the file, unless a fault stands before it.
  std::sort(points.begin(), points.end(), [](const Point &a, const Point &b) {
    return a.azimuth != b.azimuth ? a.azimuth < b.azimuth : a.line < b.line;
  });
  long twice = 0;
  for (std::size_t i = 1; i < points.size(); ++i)
    if (points[i].azimuth == points[i - 1].azimuth && (twice == 0 || points[i].line < twice))
      twice = points[i].line;
  if (twice != 0)
    return at_line(twice, "azimuth given twice");
  if (!problem.empty())
    return problem;
  if (failed)
    return "cannot read the file";
  if (points.empty())
    return "no point";
  azimuth_.clear();
  elevation_.clear();
  for (const Point &p : points) {
    azimuth_.push_back(p.azimuth);
    elevation_.push_back(p.elevation);
  }
  const std::size_t n = points.size();
  lowest_.assign(2 * n, 0.0);
  highest_.assign(2 * n, 0.0);
  for (std::size_t i = 0; i < n; ++i)
    lowest_[n + i] = highest_[n + i] = elevation_[i];
  for (std::size_t k = n - 1; k > 0; --k) {
    lowest_[k] = std::min(lowest_[2 * k], lowest_[2 * k + 1]);
    highest_[k] = std::max(highest_[2 * k], highest_[2 * k + 1]);
  }
  return {};
}

void HorizonMask::read(const char *path) {
  const std::string problem = load(path);
  if (!problem.empty())
    throw kit::Failure(problem);
}

std::size_t HorizonMask::piece(double azimuth, double &from, double &width) const {
  const std::size_t n = azimuth_.size();
  // The last point at or before the azimuth, or the last of all (the piece
  // across north) when the azimuth lies before the first.
  const auto after = std::upper_bound(azimuth_.begin(), azimuth_.end(), azimuth);
  const std::size_t i = after == azimuth_.begin()
                            ? n - 1
                            : static_cast<std::size_t>(after - azimuth_.begin()) - 1;
  from = azimuth_[i];
  const double to = i + 1 < n ? azimuth_[i + 1] : azimuth_[0] + 360.0;
  width = to - from;
  if (azimuth < from)
    from -= 360.0;
  return i;
}

double HorizonMask::elevation(double azimuth) const {
  if (azimuth_.size() == 1)
    return elevation_[0];
  double from, width;
  const std::size_t i = piece(azimuth, from, width);
  const double next = elevation_[(i + 1) % azimuth_.size()];
  return elevation_[i] + (next - elevation_[i]) * ((azimuth - from) / width);
}

double HorizonMask::slope(double azimuth) const {
  if (azimuth_.size() == 1)
    return 0.0;
  double from, width;
  const std::size_t i = piece(azimuth, from, width);
  return (elevation_[(i + 1) % azimuth_.size()] - elevation_[i]) / width;
}

void HorizonMask::points_range(std::size_t i, std::size_t j, double &lowest,
                               double &highest) const {
  const std::size_t n = azimuth_.size();
  for (i += n, j += n; i < j; i /= 2, j /= 2) {
    if (i & 1) {
      lowest = std::min(lowest, lowest_[i]);
      highest = std::max(highest, highest_[i]);
      ++i;
    }
    if (j & 1) {
      --j;
      lowest = std::min(lowest, lowest_[j]);
      highest = std::max(highest, highest_[j]);
    }
  }
}

void HorizonMask::range(double from, double to, double &lowest, double &highest) const {
  lowest = std::min(elevation(from), elevation(to));
  highest = std::max(elevation(from), elevation(to));
  const auto index = [this](double az) {
    return static_cast<std::size_t>(std::upper_bound(azimuth_.begin(), azimuth_.end(), az) -
                                    azimuth_.begin());
  };
  // The points strictly after `from` and up to `to`, through north when
  // the sweep wraps.
  const std::size_t i = index(from), j = index(to);
  if (from <= to) {
    points_range(i, j, lowest, highest);
  } else {
    points_range(i, azimuth_.size(), lowest, highest);
    points_range(0, j, lowest, highest);
  }
}

} // namespace tracking
