// spawn_program.cpp - see spawn_program.h.
#include "spawn_program.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

extern char **environ;

namespace kit_test {

namespace {

std::string slurp(const std::string &file) {
  std::string text;
  if (std::FILE *f = std::fopen(file.c_str(), "rb")) {
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
      text.append(buf, n);
    }
    std::fclose(f);
  }
  return text;
}

} // namespace

std::string make_temp_dir() {
  const char *base = std::getenv("TMPDIR");
  std::string templ = std::string(base && *base ? base : "/tmp") + "/kit-XXXXXX";
  std::vector<char> buf(templ.begin(), templ.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) == nullptr) {
    ADD_FAILURE() << "mkdtemp failed";
    return {};
  }
  return buf.data();
}

SpawnResult spawn_program(const std::string &path,
                          const std::vector<const char *> &argv,
                          const std::string &workdir,
                          const std::string &stdout_path) {
  SpawnResult result{-1, 0, {}, {}};
  const std::string capture = make_temp_dir();
  const std::string out_file = capture + "/stdout";
  const std::string err_file = capture + "/stderr";

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (stdout_path == kClosedOutput)
    posix_spawn_file_actions_addclose(&actions, 1);
  else
    posix_spawn_file_actions_addopen(
        &actions, 1, stdout_path.empty() ? out_file.c_str() : stdout_path.c_str(),
        O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!workdir.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, workdir.c_str());
  }

  std::vector<char *> args;
  for (const char *a : argv) {
    args.push_back(const_cast<char *>(a));
  }
  args.push_back(nullptr);

  pid_t pid = 0;
  const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr,
                             args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    ADD_FAILURE() << "posix_spawn " << path << ": error " << rc;
  } else {
    int wstatus = 0;
    if (waitpid(pid, &wstatus, 0) == pid) {
      if (WIFEXITED(wstatus))
        result.status = WEXITSTATUS(wstatus);
      else if (WIFSIGNALED(wstatus))
        result.signal = WTERMSIG(wstatus);
    }
    if (stdout_path.empty()) {
      result.out = slurp(out_file);
    }
    result.err = slurp(err_file);
  }
  std::remove(out_file.c_str());
  std::remove(err_file.c_str());
  rmdir(capture.c_str());
  return result;
}

} // namespace kit_test
