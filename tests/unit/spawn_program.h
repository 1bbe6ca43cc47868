// spawn_program.h - run a built program with an exact argument vector and
// capture what it writes, for tests that the golden-file runner cannot
// express (an empty argument vector, standard output on a full device).
#ifndef KIT_TESTS_SPAWN_PROGRAM_H
#define KIT_TESTS_SPAWN_PROGRAM_H

#include <string>
#include <vector>

namespace kit_test {

struct SpawnResult {
  int status;      // exit status, or -1 when the program did not exit normally
  int signal;      // the signal that ended it, or 0
  std::string out; // standard output (empty when stdout_path was given)
  std::string err; // standard error
};

// Starts `path` with exactly `argv` (no terminating null needed; an empty
// vector gives the program an empty argument vector), standard input from
// /dev/null, in `workdir` when not empty, standard output to `stdout_path`
// when not empty (kClosedOutput: standard output closed), and waits for
// it.  Fails the calling test on spawn errors.
inline constexpr const char *kClosedOutput = "(closed)";
SpawnResult spawn_program(const std::string &path,
                          const std::vector<const char *> &argv,
                          const std::string &workdir = {},
                          const std::string &stdout_path = {});

// A fresh, empty temporary directory (absolute path).
std::string make_temp_dir();

} // namespace kit_test

#endif
