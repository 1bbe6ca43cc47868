// passrange - distances and elevations of a spacecraft seen from the two
// tracking stations TS1 and TS2, from an orbit file of timestamped geocentric
// state vectors.
//
//   passrange ORBITFILE              one report line per record, at its time
//   passrange ORBITFILE INSTANT      the record nearest INSTANT (within 1800 s),
//                                    carried along its velocity to INSTANT
//   passrange ORBITFILE START END    the record of smallest geocentric distance
//                                    within [START, END], at its own time
//
// INSTANT, START and END are Unix seconds read with atol.  The mode follows
// from the values: a window start of 0 reports every record, a requested
// instant of 0 asks for the closest approach.
//
// Report line: Julian date (UTC) of the record, distances TS1, TS2 and
// geocentre in km, geometric elevations at TS1 and TS2 in degrees.
//
// Exit status: 0 after a completed scan; 1 for a wrong argument count, an
// orbit file that cannot be opened or read, no record in the requested
// window, or report lines that could not be written; the code of ter2cel
// when it fails.

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "escape.h"
#include "message_record.h"
#include "orbit_file.h"
#include "novas_kit.h"
#include "oem.h"
#include "orbit_input.h"
#include "orbit_reader.h"
#include "passrange.h"
#include "program_name.h"
#include "report_text.h"
#include "stations.h"
#include "time_scale_settings.h"
#include "utc_instant.h"

// Instants are read with atol: it must hold any Unix time of the kit's
// range (the build refuses other targets).
static_assert(sizeof(long) >= 8, "passrange needs a 64-bit long");

namespace {

// What a field of a line may lose to the stream's fitted nutation series.
// The fit moves station positions by at most 9.9e-12 km and up vectors by
// 1.6e-15 (400,000 dates over its span, the years 1000 to 3000); a distance also rounds a few
// units in its last place differently.  A field that could round to
// another printed digit without the fit is computed again without it, so
// that a line never depends on the fit:
// - a distance within 1e-10 km plus 2e-15 of itself of a rounding boundary
//   of its six decimals;
// - an elevation within 1e-6 degree of a rounding boundary of its decimal,
//   or any elevation at a station nearer than 10 km, where the direction
//   turns fastest with the station's position.
constexpr double kDistanceMargin = 1e-10;     // km
constexpr double kDistanceRelativeMargin = 2e-15;
constexpr double kElevationMargin = 1e-6;     // degrees
constexpr double kNearStation = 10.0;         // km

// The fields of a report line that depend on the Earth's rotation: the
// distances and elevations at both stations, from the rotated station
// vectors c (TS1 position, TS1 up, TS2 position, TS2 up).
void set_station_fields(const double (&p)[3], const double (&c)[4][3],
                        ReportLine &line) {
  tracking::station_geometry(p, c[0], c[1], line.distance1, line.elevation1);
  tracking::station_geometry(p, c[2], c[3], line.distance2, line.elevation2);
}

// Whether x printed with `decimals` decimals (scale = 10^decimals) lies
// within `margin` of a rounding boundary, that is of a value halfway between
// two printed ones; never for a not-a-number or an infinity.
bool near_rounding_boundary(double x, double scale, double margin) {
  const double t = x * scale;
  const double f = t - std::floor(t);
  return std::fabs(f - 0.5) <= margin * scale;
}

bool depends_on_the_fit(const ReportLine &f) {
  const auto distance = [](double d) {
    return near_rounding_boundary(
        d, 1e6, kDistanceMargin + kDistanceRelativeMargin * std::fabs(d));
  };
  const auto elevation = [](double e, double d) {
    return d < kNearStation || near_rounding_boundary(e, 1e1, kElevationMargin);
  };
  return distance(f.distance1) || distance(f.distance2) ||
         elevation(f.elevation1, f.distance1) ||
         elevation(f.elevation2, f.distance2);
}

} // namespace

// Computes the report line of one record; see passrange.h.  The carried
// position, the distances and the cosine are formed in the order written,
// which the printed digits depend on; the Julian date is the timestamp's,
// of its decimal hour (utc::Instant).
ReportLine report_line(std::int64_t requested_instant,
                       std::int64_t record_unixsec, int year, int month,
                       int day, int hour, int minute, double second, double x,
                       double y, double z, double vx, double vy, double vz,
                       ter2cel_stream *stream) {
  if (requested_instant != record_unixsec) {
    const double dt = static_cast<double>(requested_instant - record_unixsec);
    x = vx * dt + x;
    y = vy * dt + y;
    z = vz * dt + z;
  }
  const double p[3] = {x, y, z};

  ReportLine line{};
  line.julian_date =
      utc::Instant::of_calendar(year, month, day, hour, minute, second).julian_date();
  const double jd_ut1 = kit::kTimeScales.jd_ut1(line.julian_date);

  double celestial[4][3];
  line.status = tracking::rotate_stations(jd_ut1, stream, celestial);
  if (line.status != 0)
    return line;
  set_station_fields(p, celestial, line);
  line.recomputed = stream != nullptr && depends_on_the_fit(line);
  if (line.recomputed) {
    line.status = tracking::rotate_stations(jd_ut1, nullptr, celestial);
    if (line.status != 0)
      return line;
    set_station_fields(p, celestial, line);
  }
  line.geocentric = std::sqrt((x * x + y * y) + z * z);
  return line;
}

ReportLine report_line(const OrbitRecord &r, ter2cel_stream *stream) {
  const utc::Instant &s = r.stamp;
  return report_line(s.record_time(), s.record_time(), s.year(), s.month(), s.day(), s.hour(),
                     s.minute(), s.second(), r.x, r.y, r.z, r.vx, r.vy, r.vz, stream);
}

// Prints the report line of one record; see passrange.h.
void compute_and_print_distace_to_the_two_tracking_stations_geocenter_and_elevations_for_a_given_date_unixsec(
    std::int64_t requested_instant, std::int64_t record_unixsec, int year,
    int month, int day, int hour, int minute, double second, double x,
    double y, double z, double vx, double vy, double vz,
    ter2cel_stream *stream) {
  const ReportLine l =
      report_line(requested_instant, record_unixsec, year, month, day, hour,
                  minute, second, x, y, z, vx, vy, vz, stream);
  // A failure of the Earth's rotation ends the run here, with its own
  // message on the standard output and its code as the exit status.
  if (l.status != 0) {
    std::printf("Error %d from ter2cel.", l.status);
    std::exit(l.status);
  }
  // printf's bytes for "%.5lf %13lf %13lf %13lf   %+5.1lf %+5.1lf \n"
  // (report_text); a failed write shows in ferror(stdout) at the end.
  char text[tracking::kReportTextMax];
  const std::size_t n = tracking::report_text(l.julian_date, l.distance1, l.distance2,
                                              l.geocentric, l.elevation1, l.elevation2, text);
  std::fwrite(text, 1, n, stdout);
}

namespace {

// Half width of the selection window around a requested instant, seconds.
constexpr std::int64_t kHalfWindow = 1800;

// Selection state starting values: 100 days, 1e10 km.
constexpr std::int64_t kNoOffset = 8640000;
constexpr double kNoDistance = 10000000000.0;

// Window bounds around an instant, held at the ends of the 64-bit range.
std::int64_t saturating_add(std::int64_t a, std::int64_t b) {
  std::int64_t s;
  if (__builtin_add_overflow(a, b, &s))
    return b > 0 ? INT64_MAX : INT64_MIN;
  return s;
}

void report(std::int64_t requested_instant, const OrbitRecord &r,
            ter2cel_stream *stream) {
  compute_and_print_distace_to_the_two_tracking_stations_geocenter_and_elevations_for_a_given_date_unixsec(
      requested_instant, r.stamp.record_time(), r.stamp.year(), r.stamp.month(),
      r.stamp.day(), r.stamp.hour(), r.stamp.minute(), r.stamp.second(), r.x, r.y, r.z, r.vx,
      r.vy, r.vz, stream);
}

// Exit status after the report lines: 0, or 1 with a message when the
// standard output could not take them (a full device, a closed pipe).
int finish_output() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "Error writing the report to standard output\n");
    return 1;
  }
  return 0;
}

} // namespace

ReportRequest request_from_arguments(int argc, const char *const argv[]) {
  ReportRequest q{0, 0, 0};
  if (argc == 4) {
    q.window_start = std::atol(argv[2]);
    q.window_end = std::atol(argv[3]);
  } else if (argc == 3) {
    q.requested_instant = std::atol(argv[2]);
    q.window_start = saturating_add(q.requested_instant, -kHalfWindow);
    q.window_end = saturating_add(q.requested_instant, kHalfWindow);
  }
  return q;
}

namespace {

// The scan of run_report over the records next() gives, in file order;
// when failed() says the records ended on a fault, the selective modes
// answer nothing (the caller reports the fault).
template <typename Next, typename Failed> int scan(Next next, Failed failed, ReportRequest q) {
  std::int64_t best_offset = kNoOffset;
  double best_distance = kNoDistance;
  bool selected = false;
  OrbitRecord best{};

  // Every-record mode reports a stream of nearby dates: the Earth's
  // rotation takes its nutation series from a fit along the stream.
  ter2cel_stream stream;
  ter2cel_stream_init(&stream);

  // One pass in file order; the values, not the argument count, decide the
  // mode: no window start reports every record, no requested instant asks
  // for the closest approach, otherwise the record nearest the instant.
  // Records are taken to be in ascending time order.
  OrbitRecord r;
  while (next(r)) {
    const std::int64_t t = r.stamp.record_time();
    if (q.window_start == 0) {
      report(t, r, &stream);
      continue;
    }
    if (t < q.window_start)
      continue;
    if (t > q.window_end)
      break; // no later record can lie in the window
    if (q.requested_instant == 0) {
      const double distance = std::sqrt((r.x * r.x + r.y * r.y) + r.z * r.z);
      if (distance < best_distance) {
        best_distance = distance;
        best = r;
        selected = true;
      }
      continue;
    }
    // The record lies in the window, so the offset is at most 1800 s.
    const std::int64_t offset = q.requested_instant > t
                                    ? q.requested_instant - t
                                    : t - q.requested_instant;
    if (offset < best_offset) {
      best_offset = offset;
      best = r;
      selected = true;
    }
    if (t > q.requested_instant)
      break; // later records are farther from the instant
  }
  if (q.window_start == 0 || failed())
    return -1;
  // A report needs a record: none in the window is an answer of its own.
  if (!selected) {
    std::fprintf(stderr, "No orbit record in the requested time window.\n");
    return 1;
  }
  if (q.requested_instant == 0)
    q.requested_instant = best.stamp.record_time();
  report(q.requested_instant, best, nullptr);
  return -1;
}

// A message's fault on one line of standard error: the file's name with
// its control characters escaped.
int refuse_message(const char *path, const std::string &why) {
  std::fflush(stdout);
  std::fprintf(stderr, "Error in orbit file %s: %s\n", cli::escape(path, "", "\\x%02x").c_str(),
               why.c_str());
  return 1;
}

// The scan of an orbit ephemeris message: its structure checked before any
// line, a fault in its data (a state not finite or too large to compute
// with among them) reported after the lines before it in every-record mode,
// and instead of an answer in the selective modes.
int scan_message(std::FILE *f, const char *path, ReportRequest q) {
  oem::OemReader reader(f, path);
  if (!reader.check())
    return refuse_message(path, reader.error());
  std::string fault;
  const int status = scan(
      [&](OrbitRecord &r) {
        oem::OemRecord m;
        if (!reader.next(m)) {
          fault = reader.error();
          return false;
        }
        const char *why =
            tracking::message_record(m, r) ? tracking::unusable(r) : tracking::kOutsideTheYears;
        if (why != nullptr) {
          fault = "line " + std::to_string(m.line) + ": " + why;
          return false;
        }
        return true;
      },
      [&fault] { return !fault.empty(); }, q);
  if (!fault.empty())
    return refuse_message(path, fault);
  return status;
}

} // namespace

int run_report(const char *path, ReportRequest q) {
  FILE *f = std::fopen(path, "r");
  if (f == nullptr) {
    std::fprintf(stderr, "Error opening orbit file %s \n", path);
    return 1;
  }
  int status;
  bool read_failed;
  {
    // The kit's records, or an orbit ephemeris message told by its first
    // keyword.
    const tracking::OrbitInput input(f);
    read_failed = input.failed();
    if (read_failed) {
      status = 1;
    } else if (input.form() == tracking::OrbitForm::xml_message) {
      status = refuse_message(path, oem::kXmlRefusal);
    } else if (input.form() == tracking::OrbitForm::message) {
      status = scan_message(input.stream(), path, q);
    } else {
      // The records as read_orbit_record reads them, from a large buffer
      // (plain decimal numbers with std::from_chars), without the windows
      // tools' comments and "Z".
      std::FILE *records = input.stream();
      tracking::OrbitReader reader(records, tracking::OrbitReader::Rules{});
      status = scan(
          [&reader](OrbitRecord &r) {
            return reader.next(r) == tracking::OrbitReader::Status::record;
          },
          [] { return false; }, q);
      read_failed = std::ferror(records) != 0;
    }
  }
  std::fclose(f);

  if (read_failed) {
    std::fprintf(stderr, "Error reading orbit file %s\n", path);
    return 1;
  }
  return status >= 0 ? status : finish_output();
}

#ifndef KIT_NO_MAIN
namespace {

constexpr const char *kUsage =
    "Usage: %s KQ140225-161120.org  # compute distances and elevations in "
    "each line of the input orbit file\n"
    "  or\n"
    "       %s KQ140225-161120.org 1478232000 1478235600 # compute distance "
    "and elevations for the smallest geocentric distance within the "
    "specified timerange\n";

} // namespace

int main(int argc, char *argv[]) {
  const char *name = kit::program_name(argc, argv, "passrange");
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, kUsage, name, name);
    return 1;
  }
  // The report lines leave in blocks of 64 KiB when they do not go to a
  // terminal, which keeps its line by line output.
  static char output[1 << 16];
  if (isatty(STDOUT_FILENO) == 0)
    std::setvbuf(stdout, output, _IOFBF, sizeof output);
  return run_report(argv[1], request_from_arguments(argc, argv));
}
#endif
