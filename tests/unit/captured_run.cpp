// captured_run.cpp - a program's run in process, its output kept, and
// that output taken apart.
#include "captured_run.h"

#include <cstdlib>
#include <sstream>

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

std::vector<std::string> split_lines(const std::string &text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::vector<std::string> tsv_fields(const std::string &line) {
  std::vector<std::string> f(1);
  for (const char c : line) {
    if (c == '\t')
      f.emplace_back();
    else
      f.back() += c;
  }
  return f;
}

} // namespace kit_test
