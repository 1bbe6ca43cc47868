// held_output.cpp - output held in memory and in a private temporary file.
#include "held_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "write_all.h"

namespace cli {

HeldOutput::HeldOutput(std::size_t memory_limit) : memory_limit_(memory_limit) {
  cookie_io_functions_t io{};
  io.write = &HeldOutput::write_cookie;
  stream_ = fopencookie(this, "w", io);
  if (stream_ == nullptr)
    problem_ = std::string("cannot hold the output: ") + std::strerror(errno);
}

HeldOutput::~HeldOutput() {
  if (stream_ != nullptr)
    std::fclose(stream_);
  if (file_ >= 0)
    ::close(file_);
}

// The temporary file, made when the memory is full: in $TMPDIR, its name
// removed at once, its descriptor moved above the standard streams.
bool HeldOutput::spill() {
  const char *folder = std::getenv("TMPDIR");
  if (folder == nullptr || *folder == '\0')
    folder = "/tmp";
  std::string name = std::string(folder) + "/passkit.XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    problem_ = "cannot make a temporary file in '" + std::string(folder) +
               "': " + std::strerror(errno);
    return false;
  }
  ::unlink(name.c_str());
  file_ = fd > STDERR_FILENO ? fd : ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  if (file_ != fd)
    ::close(fd);
  if (file_ < 0 || !write_all(file_, memory_.data(), memory_.size())) {
    problem_ = "cannot write a temporary file in '" + std::string(folder) +
               "': " + std::strerror(errno);
    return false;
  }
  memory_.clear();
  memory_.shrink_to_fit();
  return true;
}

ssize_t HeldOutput::write_cookie(void *cookie, const char *data, std::size_t size) {
  HeldOutput &self = *static_cast<HeldOutput *>(cookie);
  if (!self.problem_.empty())
    return -1;
  if (self.file_ < 0 && self.memory_.size() + size <= self.memory_limit_) {
    self.memory_.append(data, size);
    return static_cast<ssize_t>(size);
  }
  if (self.file_ < 0 && !self.spill())
    return -1;
  if (!write_all(self.file_, data, size)) {
    self.problem_ = std::string("cannot write the temporary file: ") + std::strerror(errno);
    return -1;
  }
  return static_cast<ssize_t>(size);
}

bool HeldOutput::copy_to(std::FILE *out) {
  if (stream_ == nullptr || std::fflush(stream_) != 0 || !problem_.empty()) {
    if (problem_.empty())
      problem_ = "cannot hold the output";
    return false;
  }
  const auto written = [this, out]() {
    if (std::fflush(out) != 0 || std::ferror(out)) {
      problem_ = "cannot write to standard output";
      return false;
    }
    return true;
  };
  if (file_ < 0) {
    if (!memory_.empty())
      std::fwrite(memory_.data(), 1, memory_.size(), out);
    return written();
  }
  if (::lseek(file_, 0, SEEK_SET) != 0) {
    problem_ = std::string("cannot read the temporary file: ") + std::strerror(errno);
    return false;
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(file_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      problem_ = std::string("cannot read the temporary file: ") + std::strerror(errno);
      return false;
    }
    if (n == 0)
      break;
    if (std::fwrite(buffer, 1, static_cast<std::size_t>(n), out) != static_cast<std::size_t>(n))
      break;
  }
  return written();
}

} // namespace cli
