// horizon_mask.cpp - reading and evaluating an azimuth-dependent horizon.
#include "horizon_mask.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tracking {

namespace {

// A number at *p (after blanks), read by strtod; false when there is none
// or it is not finite.
bool number(const char *&p, double &value) {
  while (*p == ' ' || *p == '\t' || *p == '\r')
    ++p;
  char *end = nullptr;
  errno = 0;
  value = std::strtod(p, &end);
  if (end == p || errno == ERANGE || !std::isfinite(value))
    return false;
  p = end;
  return true;
}

std::string at_line(long line, const char *what) {
  return "line " + std::to_string(line) + ": " + what;
}

} // namespace

std::string HorizonMask::read(const char *path) {
  std::FILE *f = std::fopen(path, "r");
  if (f == nullptr)
    return std::string("cannot open: ") + std::strerror(errno);
  std::vector<std::pair<double, double>> points;
  char *buffer = nullptr;
  std::size_t capacity = 0;
  long line = 0;
  std::string problem;
  while (problem.empty() && getline(&buffer, &capacity, f) != -1) {
    ++line;
    if (char *comment = std::strchr(buffer, '#'))
      *comment = '\0';
    const char *p = buffer;
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
      ++p;
    if (*p == '\0')
      continue;
    double az, el;
    if (!number(p, az) || !number(p, el)) {
      problem = at_line(line, "not an azimuth and an elevation");
      break;
    }
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
      ++p;
    if (*p != '\0')
      problem = at_line(line, "more than an azimuth and an elevation");
    else if (!(az >= 0.0 && az < 360.0))
      problem = at_line(line, "azimuth outside 0 to 360");
    else if (!(el >= -90.0 && el <= 90.0))
      problem = at_line(line, "elevation outside -90 to 90");
    else if (std::any_of(points.begin(), points.end(),
                         [az](const auto &q) { return q.first == az; }))
      problem = at_line(line, "azimuth given twice");
    else
      points.emplace_back(az, el);
  }
  const bool failed = std::ferror(f) != 0;
  std::free(buffer);
  std::fclose(f);
  if (!problem.empty())
    return problem;
  if (failed)
    return "cannot read the file";
  if (points.empty())
    return "no point";
  std::sort(points.begin(), points.end());
  azimuth_.clear();
  elevation_.clear();
  for (const auto &[az, el] : points) {
    azimuth_.push_back(az);
    elevation_.push_back(el);
  }
  return {};
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

double HorizonMask::smallest_step() const {
  double step = 360.0;
  for (std::size_t i = 0; i < azimuth_.size(); ++i) {
    const double next = i + 1 < azimuth_.size() ? azimuth_[i + 1] : azimuth_[0] + 360.0;
    if (azimuth_.size() > 1)
      step = std::min(step, next - azimuth_[i]);
  }
  return step;
}

} // namespace tracking
