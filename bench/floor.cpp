// floor - the parse-and-print floor of the orbit report: reads an orbit file
// with formatted reading (fscanf of the record's pattern, timegm of its
// timestamp, as the kit's reader first did) and prints, for every record,
// a line of the report's format with printf from trivial arithmetic, with
// no astronomy.  What passrange takes beyond this program's time is the
// cost of its geometry; what it takes below it, the gain of its exact fast
// reading and writing.
#include <cmath>
#include <cstdio>
#include <ctime>

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
    std::tm tm{};
    tm.tm_sec = static_cast<int>(second);
    tm.tm_min = static_cast<int>(stamp[4]);
    tm.tm_hour = static_cast<int>(stamp[3]);
    tm.tm_mday = static_cast<int>(stamp[2]);
    tm.tm_mon = static_cast<int>(stamp[1]) - 1;
    tm.tm_year = static_cast<int>(stamp[0]) - 1900;
    const double t = static_cast<double>(timegm(&tm));
    const double hour = (stamp[3] + stamp[4] / 60.0) + second / 3600.0;
    const double d = std::sqrt((x * x + y * y) + z * z);
    std::printf("%.5lf %13lf %13lf %13lf   %+5.1lf %+5.1lf \n",
                static_cast<double>(stamp[0]) * 365.25 + static_cast<double>(stamp[2]) + hour / 24.0,
                x - vx, y - vy, d, z / d, vz + t * 0.0);
  }
  std::fclose(f);
  return 0;
}
