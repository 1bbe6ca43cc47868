// guard - how often the every-record mode of passrange recomputes a line on
// the exact Earth rotation, and what that costs, on an orbit file.
//
//   guard ORBITFILE
//
// Reads every record into memory, then, with passrange's own report_line:
//   (a) computes every line along one stream (the fitted rotation, guarded,
//       as the every-record mode does), counting the recomputed lines;
//   (b) computes once more, on the exact rotation alone, the lines (a)
//       recomputed: an upper bound of what the guard added to (a), since
//       it includes the date and the fitted rotation those lines had too.
// Prints the count, the rate and (b)/(a), best of five timings each.
#include <chrono>
#include <cstdio>
#include <vector>

#include "novas_kit.h"
#include "passrange.h"

namespace {

// Where the computed distances go, so that no computation is left out.
volatile double g_sink;

double seconds_since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0)
      .count();
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: guard ORBITFILE\n");
    return 1;
  }
  std::FILE *f = std::fopen(argv[1], "r");
  if (f == nullptr) {
    std::fprintf(stderr, "guard: cannot open %s\n", argv[1]);
    return 1;
  }
  std::vector<OrbitRecord> records;
  for (OrbitRecord r; read_orbit_record(f, r);)
    records.push_back(r);
  std::fclose(f);
  if (records.empty()) {
    std::fprintf(stderr, "guard: no record in %s\n", argv[1]);
    return 1;
  }

  std::vector<const OrbitRecord *> recomputed;
  double all = 0.0, again = 0.0, sink = 0.0;
  for (int round = 0; round < 5; ++round) {
    recomputed.clear();
    ter2cel_stream stream;
    ter2cel_stream_init(&stream);
    auto t0 = std::chrono::steady_clock::now();
    for (const OrbitRecord &r : records) {
      const ReportLine l = report_line(r, &stream);
      sink += l.distance1;
      if (l.recomputed)
        recomputed.push_back(&r);
    }
    const double a = seconds_since(t0);
    t0 = std::chrono::steady_clock::now();
    for (const OrbitRecord *r : recomputed)
      sink += report_line(*r, nullptr).distance1;
    const double b = seconds_since(t0);
    if (round == 0 || a < all)
      all = a;
    if (round == 0 || b < again)
      again = b;
  }
  g_sink = sink;
  std::printf("%zu of %zu lines recomputed (%.3f %%), at most %.2f %% of the "
              "lines' time (%.1f ms of %.1f ms)\n",
              recomputed.size(), records.size(),
              100.0 * static_cast<double>(recomputed.size()) /
                  static_cast<double>(records.size()),
              100.0 * again / all, 1e3 * again, 1e3 * all);
  return 0;
}
