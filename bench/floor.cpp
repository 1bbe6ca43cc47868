// floor - the parse-and-print floor of the orbit report: reads an orbit file
// with formatted reading (fscanf of the record's pattern, timegm of its
// timestamp, as the kit's reader first did) and prints, for every record,
// a line of the report's format with printf from trivial arithmetic, with
// no astronomy.  What passrange takes beyond this program's time is the
// cost of its geometry; what it takes below it, the gain of its exact fast
// reading and writing.
#include <cstdio>

#include "floor_fields.h"

int main(int argc, char **argv) {
  if (argc != 2)
    return 1;
  std::FILE *f = std::fopen(argv[1], "r");
  if (f == nullptr)
    return 1;
  long long stamp[5];
  double second, x, y, z, vx, vy, vz;
  while (std::fscanf(f, "%lld-%lld-%lldT%lld:%lld:%lf %lf %lf %lf %lf %lf %lf", &stamp[0],
                     &stamp[1], &stamp[2], &stamp[3], &stamp[4], &second, &x, &y, &z, &vx, &vy,
                     &vz) == 12) {
    double out[6];
    floor_fields(stamp, second, x, y, z, vx, vy, vz, out);
    std::printf("%.5lf %13lf %13lf %13lf   %+5.1lf %+5.1lf \n", out[0], out[1], out[2], out[3],
                out[4], out[5]);
  }
  std::fclose(f);
  return 0;
}
