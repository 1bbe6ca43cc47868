// gnuplot.cpp - gnuplot run on a script through a pipe.
#include "gnuplot.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "failure.h"
#include "write_all.h"

extern char **environ;

namespace chart {

namespace {

// The last line of what gnuplot wrote to fd that holds more than blanks
// and carets (gnuplot ends a fault with the line that names it, after the
// command and a caret under the place), its blanks around cut.
std::string last_message(int fd) {
  std::string text;
  char buffer[4096];
  if (lseek(fd, 0, SEEK_SET) == 0)
    for (ssize_t n; text.size() < (1 << 20) && (n = read(fd, buffer, sizeof buffer)) > 0;)
      text.append(buffer, static_cast<std::size_t>(n));
  std::string message;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos)
      end = text.size();
    const std::string line = text.substr(at, end - at);
    const std::size_t a = line.find_first_not_of(" \t\r^"), b = line.find_last_not_of(" \t\r");
    if (a != std::string::npos)
      message = line.substr(a, b - a + 1);
    at = end + 1;
  }
  return message;
}

// Whether a picture of `size` bytes on fd ends as a whole one does: a PNG
// with its IEND chunk, an SVG with "</svg>" and blanks.
bool whole(int fd, off_t size, bool svg) {
  static const unsigned char kIend[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  char tail[64];
  const off_t n = std::min<off_t>(size, sizeof tail);
  if (pread(fd, tail, static_cast<std::size_t>(n), size - n) != n)
    return false;
  if (!svg)
    return n >= 12 && std::memcmp(tail + n - 12, kIend, 12) == 0;
  std::string end(tail, static_cast<std::size_t>(n));
  end.erase(end.find_last_not_of(" \t\r\n") + 1);
  return end.size() >= 6 && end.compare(end.size() - 6, 6, "</svg>") == 0;
}

class Descriptors {
public:
  ~Descriptors() {
    for (int fd : {pipe_[0], pipe_[1], messages_, picture_})
      if (fd >= 0)
        close(fd);
  }
  int pipe_[2] = {-1, -1};
  int messages_ = -1;
  int picture_ = -1;
};

} // namespace

void draw(bool svg, const std::string &script, PictureFile &picture) {
  Descriptors fds;
  fds.messages_ = picture.scratch();
  if (fds.messages_ < 0 || pipe2(fds.pipe_, O_CLOEXEC) != 0)
    throw kit::Failure(std::string("cannot run gnuplot: ") + std::strerror(errno));
  // The child's descriptors come from copies above those it is given (a
  // descriptor 1 to 3 of this process would be overwritten before use).
  fds.picture_ = fcntl(picture.descriptor(), F_DUPFD_CLOEXEC, 10);
  const int script_end = fcntl(fds.pipe_[0], F_DUPFD_CLOEXEC, 10);
  close(fds.pipe_[0]);
  fds.pipe_[0] = script_end;
  const int messages = fcntl(fds.messages_, F_DUPFD_CLOEXEC, 10);
  close(fds.messages_);
  fds.messages_ = messages;
  if (fds.picture_ < 0 || fds.pipe_[0] < 0 || fds.messages_ < 0)
    throw kit::Failure(std::string("cannot run gnuplot: ") + std::strerror(errno));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The script on descriptor 3, which gnuplot opens by name and reads in
  // blocks (its standard input it would read a byte at a time).
  posix_spawn_file_actions_adddup2(&actions, fds.pipe_[0], 3);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds.picture_, 1);
  posix_spawn_file_actions_adddup2(&actions, fds.messages_, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  char program[] = "gnuplot", script_name[] = "/dev/fd/3";
  char *argv[] = {program, script_name, nullptr};
  pid_t pid;
  const int spawned = posix_spawnp(&pid, program, &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (spawned == ENOENT)
    throw kit::Failure("gnuplot is not installed (Debian package gnuplot-nox)");
  if (spawned != 0)
    throw kit::Failure(std::string("cannot run gnuplot: ") + std::strerror(spawned));
  picture.stop_on_signal(pid);
  close(fds.pipe_[0]);
  fds.pipe_[0] = -1;
  // A gnuplot that stops reading ends the writes with EPIPE, not a signal.
  struct sigaction ignore {}, before {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, &before);
  const bool written = cli::write_all(fds.pipe_[1], script.data(), script.size());
  close(fds.pipe_[1]);
  fds.pipe_[1] = -1;
  sigaction(SIGPIPE, &before, nullptr);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR)
      throw kit::Failure(std::string("cannot run gnuplot: ") + std::strerror(errno));
  picture.stop_on_signal(0);
  const std::string message = last_message(fds.messages_);
  if (!message.empty())
    throw kit::Failure("gnuplot could not draw the chart: " + message);
  if (WIFSIGNALED(status))
    throw kit::Failure("gnuplot could not draw the chart: it ended on signal " +
                       std::to_string(WTERMSIG(status)));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw kit::Failure("gnuplot could not draw the chart: exit status " +
                       std::to_string(WEXITSTATUS(status)));
  if (!written)
    throw kit::Failure("gnuplot could not draw the chart: it did not read the whole script");
  struct stat st;
  if (fstat(picture.descriptor(), &st) != 0 || st.st_size == 0)
    throw kit::Failure("gnuplot drew nothing (is the disk full?)");
  if (!whole(picture.descriptor(), st.st_size, svg))
    throw kit::Failure("gnuplot's picture is cut short (is the disk full?)");
}

} // namespace chart
