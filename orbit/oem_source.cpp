// oem_source.cpp - the message's lines, read twice, spooled when the
// stream cannot be rewound.
#include "oem_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace oem {

namespace {

// The buffer holds the longest line and one read beyond it.
constexpr std::size_t kRead = 1 << 18;

std::string reason(int error_number) { return std::strerror(error_number); }

} // namespace

// Chooses between rewinding f and spooling it; see oem_source.h.
MessageSource::MessageSource(std::FILE *f, std::string_view already_read)
    : f_(f), prefix_(already_read), prefix_used_(0),
      buf_(MessageSource::kLongestLine + kRead) {
  struct stat st;
  const int fd = fileno(f);
  const bool regular = fd < 0 || (fstat(fd, &st) == 0 && S_ISREG(st.st_mode));
  if (regular) {
    start_ = ftello(f);
    if (start_ >= 0)
      return;
  }
  const char *tmpdir = std::getenv("TMPDIR");
  spool_dir_ = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
  std::string name = spool_dir_ + "/oem-spool-XXXXXX";
  const int spool_fd = mkstemp(name.data());
  if (spool_fd < 0) {
    failure_ = "cannot make a temporary file in " + spool_dir_ +
               " to hold the message: " + reason(errno);
    return;
  }
  unlink(name.c_str());
  spool_ = fdopen(spool_fd, "w+b");
  if (spool_ == nullptr) {
    failure_ = "cannot open a temporary file in " + spool_dir_ + ": " + reason(errno);
    close(spool_fd);
    return;
  }
  if (!prefix_.empty() &&
      std::fwrite(prefix_.data(), 1, prefix_.size(), spool_) != prefix_.size())
    failure_ = "cannot write the message to a temporary file in " + spool_dir_ +
               ": " + reason(errno);
}

MessageSource::~MessageSource() {
  if (spool_ != nullptr)
    std::fclose(spool_);
}

// The first pass takes the caller's bytes and then f, copying f's bytes to
// the spool when there is one; the second takes the spool, or the caller's
// bytes and f again from where it stood.
bool MessageSource::fill(std::string &error) {
  char *dst = buf_.data() + end_;
  const std::size_t room = std::min(kRead, buf_.size() - end_);
  if (!second_ || spool_ == nullptr) {
    if (prefix_used_ < prefix_.size()) {
      const std::size_t n = std::min(room, prefix_.size() - prefix_used_);
      std::memcpy(dst, prefix_.data() + prefix_used_, n);
      prefix_used_ += n;
      end_ += n;
      return true;
    }
  }
  std::FILE *in = second_ && spool_ != nullptr ? spool_ : f_;
  const std::size_t n = std::fread(dst, 1, room, in);
  if (n < room && std::ferror(in)) {
    error = "cannot read the message: " + reason(errno);
    return false;
  }
  if (n == 0)
    eof_ = true;
  if (!second_ && spool_ != nullptr && n > 0 && std::fwrite(dst, 1, n, spool_) != n) {
    error = "cannot write the message to a temporary file in " + spool_dir_ +
            ": " + reason(errno);
    return false;
  }
  end_ += n;
  return true;
}

MessageSource::Next MessageSource::next_line(std::string_view &line,
                                             std::string &error) {
  if (!failure_.empty()) {
    error = failure_;
    return Next::kError;
  }
  for (;;) {
    const char *b = buf_.data() + pos_;
    const char *nl = static_cast<const char *>(std::memchr(b, '\n', end_ - pos_));
    if (nl != nullptr || (eof_ && pos_ < end_)) {
      const std::size_t len = nl != nullptr ? static_cast<std::size_t>(nl - b) : end_ - pos_;
      ++line_;
      if (len > kLongestLine) {
        error = "line " + std::to_string(line_) + ": longer than " +
                std::to_string(kLongestLine) + " characters";
        return Next::kError;
      }
      line = std::string_view(b, len);
      pos_ += nl != nullptr ? len + 1 : len;
      return Next::kLine;
    }
    if (eof_)
      return Next::kEnd;
    if (end_ - pos_ > kLongestLine) {
      error = "line " + std::to_string(line_ + 1) + ": longer than " +
              std::to_string(kLongestLine) + " characters";
      return Next::kError;
    }
    if (pos_ > 0) {
      std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
      end_ -= pos_;
      pos_ = 0;
    }
    if (!fill(error))
      return Next::kError;
  }
}

void MessageSource::skip_number_lines() {
  while (pos_ < end_ && buf_[pos_] >= '0' && buf_[pos_] <= '9') {
    const char *b = buf_.data() + pos_;
    const char *nl = static_cast<const char *>(std::memchr(b, '\n', end_ - pos_));
    if (nl == nullptr || static_cast<std::size_t>(nl - b) > kLongestLine)
      return;
    pos_ += static_cast<std::size_t>(nl - b) + 1;
    ++line_;
  }
}

bool MessageSource::second_pass(std::string &error) {
  second_ = true;
  eof_ = false;
  pos_ = end_ = 0;
  line_ = 0;
  prefix_used_ = 0;
  if (spool_ != nullptr) {
    if (std::fflush(spool_) != 0 || std::fseek(spool_, 0, SEEK_SET) != 0) {
      error = "cannot read back the temporary file holding the message: " +
              reason(errno);
      return false;
    }
    return true;
  }
  std::clearerr(f_);
  if (fseeko(f_, static_cast<off_t>(start_), SEEK_SET) != 0) {
    error = "cannot read the message again: " + reason(errno);
    return false;
  }
  return true;
}

} // namespace oem
