// Fuzz target: passwindows on an orbit file of any bytes (run_passwindows
// with the input as its ORBITFILE, rows as JSON Lines, records at most a
// minute apart interpolated across).
//
// Properties checked: the run ends with status 0 or 1; a refusal writes one
// line on standard error, beginning "passwindows: ", and nothing on standard
// output; an answer writes nothing on standard error and only JSON objects,
// one a line, on standard output.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "passwindows.h"

namespace {

std::string written(std::FILE *f, char *&buffer, std::size_t &size) {
  std::fclose(f);
  std::string s(buffer, size);
  std::free(buffer);
  return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const int fd = memfd_create("orbit", 0);
  if (fd < 0)
    return 0;
  if (write(fd, data, size) != static_cast<ssize_t>(size)) {
    close(fd);
    return 0;
  }
  std::string path = "/proc/self/fd/" + std::to_string(fd);
  std::string a0 = "passwindows", a1 = "--format=json", a2 = "--max-gap=60";
  char *argv[] = {a0.data(), a1.data(), a2.data(), path.data(), nullptr};
  char *out_text = nullptr, *err_text = nullptr;
  std::size_t out_size = 0, err_size = 0;
  std::FILE *out = open_memstream(&out_text, &out_size);
  std::FILE *err = open_memstream(&err_text, &err_size);
  FUZZ_CHECK(out != nullptr && err != nullptr);
  const int status = run_passwindows(4, argv, out, err);
  close(fd);
  const std::string o = written(out, out_text, out_size);
  const std::string e = written(err, err_text, err_size);
  FUZZ_CHECK(status == 0 || status == 1);
  if (status == 1) {
    FUZZ_CHECK(o.empty());
    FUZZ_CHECK(e.rfind("passwindows: ", 0) == 0);
    FUZZ_CHECK(e.find('\n') == e.size() - 1);
    return 0;
  }
  FUZZ_CHECK(e.empty());
  for (std::size_t at = 0; at < o.size();) {
    const std::size_t end = o.find('\n', at);
    FUZZ_CHECK(end != std::string::npos);
    FUZZ_CHECK(o[at] == '{' && o[end - 1] == '}');
    at = end + 1;
  }
  return 0;
}
