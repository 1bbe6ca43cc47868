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
#include <string>

#include "captured_run.h"
#include "fuzz_check.h"
#include "passwindows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const int fd = memfd_create("orbit", 0);
  if (fd < 0)
    return 0;
  if (write(fd, data, size) != static_cast<ssize_t>(size)) {
    close(fd);
    return 0;
  }
  const kit_test::CapturedRun r =
      kit_test::run_captured(run_passwindows, "passwindows",
                             {"--format=jsonl", "--max-gap=60",
                              "/proc/self/fd/" + std::to_string(fd)});
  close(fd);
  const std::string &o = r.out, &e = r.err;
  FUZZ_CHECK(r.status == 0 || r.status == 1);
  if (r.status == 1) {
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
