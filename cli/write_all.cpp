// write_all.cpp - a whole buffer written to a descriptor.
#include "write_all.h"

#include <unistd.h>

#include <cerrno>

namespace cli {

bool write_all(int fd, const char *data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

} // namespace cli
