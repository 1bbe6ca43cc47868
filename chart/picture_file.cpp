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

// The signals that end a run, handled unless they were ignored (nohup, a
// background job).
constexpr int kEndingSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2};

extern "C" void remove_and_exit(int) {
  if (child_to_stop != 0)
    kill(static_cast<pid_t>(child_to_stop), SIGKILL);
  if (pending[0] != '\0')
    unlink(pending);
  static const char kMessage[] = "passchart: stopped by a signal, no picture written\n";
  if (write(2, kMessage, sizeof kMessage - 1) < 0) {
    // Nothing more can be told.
  }
  _exit(1);
}

// The ending signals blocked (true) or delivered again.
void block_ending_signals(bool block) {
  sigset_t set;
  sigemptyset(&set);
  for (const int sig : kEndingSignals)
    sigaddset(&set, sig);
  sigprocmask(block ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

// A private file made from a template, its name given back; the ending
// signals blocked meanwhile, so that none comes between its making and
// what the caller does next with `keep` (its name kept for the handler,
// or the file unlinked).
int private_file(const std::string &templ, std::string &made, bool keep) {
  std::vector<char> name(templ.begin(), templ.end());
  name.push_back('\0');
  block_ending_signals(true);
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  const int error = errno;
  if (fd >= 0) {
    made = name.data();
    if (keep)
      std::memcpy(pending, made.c_str(), made.size() + 1);
    else
      unlink(name.data());
  }
  block_ending_signals(false);
  errno = error;
  return fd;
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
  template_ = folder_of(output) + "/.passchart.XXXXXX";
  if (template_.size() >= sizeof pending)
    throw kit::Failure(cannot_write(output, ENAMETOOLONG));
  // The handler first, so that no signal finds the file made and not
  // known to it; an ignored signal stays ignored.
  struct sigaction sa {};
  sa.sa_handler = remove_and_exit;
  sigemptyset(&sa.sa_mask);
  for (const int sig : kEndingSignals) {
    struct sigaction before {};
    if (sigaction(sig, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
      sigaction(sig, &sa, nullptr);
  }
  fd_ = private_file(template_, path_, true);
  if (fd_ < 0)
    throw kit::Failure(cannot_write(output, errno));
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
  std::string made;
  return private_file(template_, made, false);
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
  // From the rename on the run has succeeded: an ending signal is held
  // back until the process ends, with status 0, rather than report a
  // failure once OUTPUT is replaced.
  block_ending_signals(true);
  if (rename(path_.c_str(), output_.c_str()) != 0) {
    const int error = errno;
    block_ending_signals(false);
    throw kit::Failure(cannot_write(output_, error));
  }
  pending[0] = '\0';
  path_.clear();
}

} // namespace chart
