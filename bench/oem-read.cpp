// oem-read - the cost of reading an orbit ephemeris message against reading
// the same records in the kit's orbit-file format.
//
//   oem-read ORBITFILE [RUNS]
//
// Writes ORBITFILE's records as a GCRF/UTC message, whose data lines are
// the orbit file's own lines, to a temporary file; reads the orbit file
// with the windows tools' reader (OrbitReader) and with passrange's
// (read_orbit_record), and the message with the oem reader (both of its
// passes, each state made a record), each RUNS times (default 5), checking
// that all give the same records; prints the best time of each and the
// message's against the others.  With a third argument "pipe" the message
// is also read from a pipe (spooled).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "message_record.h"
#include "oem.h"
#include "orbit_reader.h"
#include "orbit_record.h"

namespace {

double now() {
  return std::chrono::duration<double>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// A sum over a record's fields that every reader must reproduce.
double fields_sum(const OrbitRecord &r) {
  return static_cast<double>(r.stamp.record_time()) + r.stamp.second() + r.x + r.y + r.z + r.vx +
         r.vy + r.vz + r.stamp.year() + r.stamp.month() + r.stamp.day() + r.stamp.hour() +
         r.stamp.minute();
}

// The records of the orbit file by passrange's reading (read_orbit_record).
double read_formatted(const char *path, long &n) {
  std::FILE *f = std::fopen(path, "r");
  if (f == nullptr)
    return 0.0;
  OrbitRecord r;
  double sum = 0.0;
  n = 0;
  while (read_orbit_record(f, r)) {
    sum += fields_sum(r);
    ++n;
  }
  std::fclose(f);
  return sum;
}

// The records of the orbit file by the windows tools' reading (OrbitReader).
double read_buffered(const char *path, long &n) {
  std::FILE *f = std::fopen(path, "r");
  if (f == nullptr)
    return 0.0;
  tracking::OrbitReader reader(f, {true, true});
  OrbitRecord r;
  double sum = 0.0;
  n = 0;
  while (reader.next(r) == tracking::OrbitReader::Status::record) {
    sum += fields_sum(r);
    ++n;
  }
  std::fclose(f);
  return sum;
}

// The message's records, as the tools take them (message_record).
double read_message(std::FILE *f, long &n, std::string &error) {
  oem::OemReader reader(f, "message");
  oem::OemRecord m;
  OrbitRecord r;
  double sum = 0.0;
  n = 0;
  while (reader.next(m)) {
    if (!tracking::message_record(m, r))
      break;
    sum += fields_sum(r);
    ++n;
  }
  error = reader.error();
  return sum;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: oem-read ORBITFILE [RUNS [pipe]]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const bool pipe_too = argc > 3 && std::strcmp(argv[3], "pipe") == 0;

  // The message: a header, one segment from the first record to the last,
  // then the orbit file's lines.
  std::FILE *in = std::fopen(argv[1], "r");
  if (in == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  std::vector<std::string> lines;
  char line[4096];
  while (std::fgets(line, sizeof line, in) != nullptr)
    lines.emplace_back(line);
  std::fclose(in);
  if (lines.empty())
    return 1;
  const auto epoch = [](const std::string &l) { return l.substr(0, l.find(' ')); };
  const char *tmpdir = std::getenv("TMPDIR");
  std::string path = std::string(tmpdir != nullptr && *tmpdir ? tmpdir : "/tmp") +
                     "/oem-read-XXXXXX";
  const int fd = mkstemp(path.data());
  if (fd < 0) {
    std::perror("mkstemp");
    return 1;
  }
  std::FILE *out = fdopen(fd, "w");
  std::fprintf(out,
               "CCSDS_OEM_VERS = 2.0\nCREATION_DATE = 2026-12-09T00:00:00\n"
               "ORIGINATOR = BENCH\n\nMETA_START\nOBJECT_NAME = BENCH\n"
               "OBJECT_ID = 2030-999A\nCENTER_NAME = EARTH\nREF_FRAME = GCRF\n"
               "TIME_SYSTEM = UTC\nSTART_TIME = %s\nSTOP_TIME = %s\n"
               "INTERPOLATION = HERMITE\nINTERPOLATION_DEGREE = 3\nMETA_STOP\n\n",
               epoch(lines.front()).c_str(), epoch(lines.back()).c_str());
  for (const std::string &l : lines)
    std::fputs(l.c_str(), out);
  std::fclose(out);

  double best_formatted = 1e300, best_buffered = 1e300, best_oem = 1e300, best_pipe = 1e300;
  long n_formatted = 0, n_buffered = 0, n_oem = 0;
  double sum_formatted = 0.0, sum_buffered = 0.0, sum_oem = 0.0;
  std::string error;
  for (int i = 0; i < runs; ++i) {
    double t0 = now();
    sum_formatted = read_formatted(argv[1], n_formatted);
    best_formatted = std::min(best_formatted, now() - t0);
    t0 = now();
    sum_buffered = read_buffered(argv[1], n_buffered);
    best_buffered = std::min(best_buffered, now() - t0);
    t0 = now();
    std::FILE *m = std::fopen(path.c_str(), "r");
    sum_oem = read_message(m, n_oem, error);
    std::fclose(m);
    best_oem = std::min(best_oem, now() - t0);
    if (pipe_too) {
      // cat feeds the pipe, as a caller's standard input would be fed.
      t0 = now();
      std::FILE *p = popen(("cat '" + path + "'").c_str(), "r");
      long n_pipe = 0;
      std::string pipe_error;
      const double sum_pipe = read_message(p, n_pipe, pipe_error);
      pclose(p);
      best_pipe = std::min(best_pipe, now() - t0);
      if (n_pipe != n_oem || sum_pipe != sum_oem) {
        std::fprintf(stderr, "oem-read: the piped message gave other records\n");
        return 1;
      }
    }
  }
  unlink(path.c_str());
  if (!error.empty() || n_formatted != n_oem || sum_formatted != sum_oem ||
      n_buffered != n_oem || sum_buffered != sum_oem) {
    std::fprintf(stderr, "oem-read: the readers disagree (%ld, %ld and %ld records; %s)\n",
                 n_formatted, n_buffered, n_oem, error.c_str());
    return 1;
  }
  std::printf("%ld records: the message %.3f s; the orbit file by the windows tools' reader "
              "%.3f s (message / it %.2f), by passrange's %.3f s (message / it %.2f)\n",
              n_oem, best_oem, best_buffered, best_oem / best_buffered, best_formatted,
              best_oem / best_formatted);
  if (pipe_too)
    std::printf("the message from a pipe (spooled) %.3f s, / the windows tools' reader %.2f\n",
                best_pipe, best_pipe / best_buffered);
  return 0;
}
