// text_line.cpp - a bounded line of a text file.
#include "text_line.h"

#include <cstdlib>
#include <new>

namespace cli {

ssize_t text_line(char **buffer, std::size_t *capacity, std::FILE *f) {
  std::size_t length = 0;
  for (;;) {
    const int c = getc(f);
    if (c == EOF) {
      if (length == 0)
        return -1;
      break;
    }
    if (length == kLongestLine)
      return kLineTooLong;
    if (length + 2 > *capacity) {
      const std::size_t grown = *capacity < 128 ? 128 : 2 * *capacity;
      char *bigger = static_cast<char *>(std::realloc(*buffer, grown));
      if (bigger == nullptr)
        throw std::bad_alloc();
      *buffer = bigger;
      *capacity = grown;
    }
    (*buffer)[length++] = static_cast<char>(c);
    if (c == '\n')
      break;
  }
  (*buffer)[length] = '\0';
  return static_cast<ssize_t>(length);
}

} // namespace cli
