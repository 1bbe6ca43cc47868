// floor - the parse-and-print floor of the orbit report: reads an orbit file
// with the record reader of passrange and prints, for every record, a line of
// the report's format from trivial arithmetic, with no astronomy.  What
// passrange takes beyond this program's time is the cost of its geometry.
#include <cmath>
#include <cstdio>

#include "passrange.h"

int main(int argc, char **argv) {
  if (argc != 2)
    return 1;
  std::FILE *f = std::fopen(argv[1], "r");
  if (f == nullptr)
    return 1;
  OrbitRecord r;
  while (read_orbit_record(f, r)) {
    const double hour = (r.hour + r.minute / 60.0) + r.second / 3600.0;
    const double d = std::sqrt((r.x * r.x + r.y * r.y) + r.z * r.z);
    std::printf("%.5lf %13lf %13lf %13lf   %+5.1lf %+5.1lf \n",
                r.year * 365.25 + r.day + hour / 24.0, r.x - r.vx, r.y - r.vy,
                d, r.z / d, r.vz);
  }
  std::fclose(f);
  return 0;
}
