// picture_file.cpp - a picture renamed over its name when whole.
#include "picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "failure.h"
#include "options.h"

namespace chart {

namespace {

// The private file's name for the signal handler: a fixed buffer it may
// read without allocating.
char pending[4096];
volatile sig_atomic_t child_to_stop = 0;

extern "C" void remove_and_exit(int) {
  if (child_to_stop != 0)
    kill(static_cast<pid_t>(child_to_stop), SIGKILL);
  if (pending[0] != '\0')
    unlink(pending);
  _exit(1);
}

// OUTPUT's folder, cut from the name itself: "." for a bare name, "/" for
// one in the root.
std::string folder_of(const std::string &output) {
  const std::size_t slash = output.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : output.substr(0, slash);
}

std::string cannot_write(const std::string &output, int error) {
  return "cannot write " + cli::quoted(output) + ": " + std::strerror(error);
}

} // namespace

PictureFile::PictureFile(const std::string &output) : output_(output) {
  struct stat st;
  if (stat(output.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    throw kit::Failure(cli::quoted(output) + " is a folder, not a picture file");
  if (!output.empty() && output.back() == '/')
    throw kit::Failure(cannot_write(output, EISDIR));
  std::string templ = folder_of(output) + "/.passchart.XXXXXX";
  if (templ.size() >= sizeof pending)
    throw kit::Failure(cannot_write(output, ENAMETOOLONG));
  std::vector<char> name(templ.begin(), templ.end());
  name.push_back('\0');
  fd_ = mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0)
    throw kit::Failure(cannot_write(output, errno));
  path_ = name.data();
  std::memcpy(pending, path_.c_str(), path_.size() + 1);
  struct sigaction sa {};
  sa.sa_handler = remove_and_exit;
  sigemptyset(&sa.sa_mask);
  for (const int sig : {SIGHUP, SIGINT, SIGTERM})
    sigaction(sig, &sa, nullptr);
}

PictureFile::~PictureFile() {
  child_to_stop = 0;
  pending[0] = '\0';
  if (fd_ >= 0)
    close(fd_);
  if (!path_.empty())
    unlink(path_.c_str());
}

int PictureFile::scratch() const {
  std::string templ = folder_of(output_) + "/.passchart.XXXXXX";
  std::vector<char> name(templ.begin(), templ.end());
  name.push_back('\0');
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0)
    unlink(name.data());
  return fd;
}

void PictureFile::stop_on_signal(pid_t child) { child_to_stop = child; }

void PictureFile::commit() {
  const mode_t mask = umask(0);
  umask(mask);
  if (fchmod(fd_, 0666 & ~mask) != 0 || fsync(fd_) != 0 || close(fd_) != 0) {
    const int error = errno;
    fd_ = -1;
    throw kit::Failure(cannot_write(output_, error));
  }
  fd_ = -1;
  if (rename(path_.c_str(), output_.c_str()) != 0)
    throw kit::Failure(cannot_write(output_, errno));
  pending[0] = '\0';
  path_.clear();
}

} // namespace chart
