// escape.cpp - texts escaped for one line of output.
#include "escape.h"

#include <cstdio>
#include <cstring>

namespace cli {

std::string escape(const std::string &text, const char *backslashed, const char *control) {
  std::string out;
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c != '\0' && std::strchr(backslashed, c) != nullptr) {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7f) {
      char escaped[16];
      std::snprintf(escaped, sizeof escaped, control, u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out;
}

} // namespace cli
