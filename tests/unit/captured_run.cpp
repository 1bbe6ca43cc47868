// captured_run.cpp - a program's run in process, its output kept.
#include "captured_run.h"

#include <cstdlib>

namespace kit_test {

CapturedRun run_captured(int (*run)(int, char *[], std::FILE *, std::FILE *),
                         const char *name, std::vector<std::string> args) {
  args.insert(args.begin(), name);
  std::vector<char *> argv;
  for (std::string &a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  char *out = nullptr, *err = nullptr;
  std::size_t out_size = 0, err_size = 0;
  std::FILE *o = open_memstream(&out, &out_size);
  std::FILE *e = open_memstream(&err, &err_size);
  const int status = run(static_cast<int>(args.size()), argv.data(), o, e);
  std::fclose(o);
  std::fclose(e);
  CapturedRun r{status, std::string(out, out_size), std::string(err, err_size)};
  std::free(out);
  std::free(err);
  return r;
}

} // namespace kit_test
