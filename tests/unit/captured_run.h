// captured_run.h - a program's whole run called in process (its run_...
// function), with what it writes on its standard output and error kept.
#ifndef KIT_TESTS_CAPTURED_RUN_H
#define KIT_TESTS_CAPTURED_RUN_H

#include <cstdio>
#include <string>
#include <vector>

namespace kit_test {

struct CapturedRun {
  int status;
  std::string out, err;
};

// Calls run(argc, argv, out, err) with argv = {name, args...} and memory
// streams for out and err.
CapturedRun run_captured(int (*run)(int, char *[], std::FILE *, std::FILE *),
                         const char *name, std::vector<std::string> args);

} // namespace kit_test

#endif
