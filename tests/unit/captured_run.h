// captured_run.h - a program's whole run called in process (its run_...
// function), with what it writes on its standard output and error kept;
// its lines and tsv fields.
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

// The lines of what a run wrote, without their line ends.
std::vector<std::string> split_lines(const std::string &text);

// The fields of a tsv line, empty ones included.
std::vector<std::string> tsv_fields(const std::string &line);

} // namespace kit_test

#endif
