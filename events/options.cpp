// options.cpp - the shared pieces of the windows tools' command lines.
#include "options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace events {

const char *kit_version() { return KIT_VERSION; }

bool parse_number(const char *text, double &value) {
  if (text == nullptr || *text == '\0')
    return false;
  char *end = nullptr;
  errno = 0;
  const double v = std::strtod(text, &end);
  if (*end != '\0' || !std::isfinite(v) || errno == ERANGE)
    return false;
  value = v;
  return true;
}

bool split_assignment(const char *text, std::string &name, std::string &value) {
  const char *equals = std::strchr(text, '=');
  if (equals == nullptr)
    return false;
  name.assign(text, equals);
  value.assign(equals + 1);
  return true;
}

} // namespace events
