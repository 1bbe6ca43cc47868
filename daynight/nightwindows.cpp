// nightwindows - the observing site's nights as sunguard decides them, to
// the millisecond.
//
//   nightwindows [OPTIONS] START END
//
// A night runs from an hour after sunset to sunrise: the instants at which
// the Sun, refraction included, is above the horizon neither then nor an
// hour before.  See nightwindows(1).
#include "nightwindows.h"

#include <getopt.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "instant.h"
#include "night_search.h"
#include "options.h"
#include "table.h"

namespace {

constexpr const char *kName = "nightwindows";

constexpr const char *kUsage =
    "Usage: nightwindows [OPTION]... START END\n"
    "The nights of the observing site from START to END, as sunguard decides\n"
    "them (from an hour after sunset to sunrise), to the millisecond.  START\n"
    "and END are Unix seconds or ISO 8601 UTC times such as\n"
    "2016-11-05T06:00:00Z.\n"
    "\n"
    "  --format text|tsv|json     an aligned table, tab-separated values with a\n"
    "                             header line, or JSON Lines (default text)\n"
    "  --help                     this text\n"
    "  --version                  the version\n"
    "\n"
    "Exit status: 0, also when there is no night; 1 for bad input, with one\n"
    "line on standard error.\n";

const option kOptions[] = {KIT_COMMON_LONG_OPTIONS, {nullptr, 0, nullptr, 0}};

struct Request {
  events::CommonOptions common;
  double start = 0.0, end = 0.0;
};

std::string parse(int argc, char *argv[], Request &r) {
  opterr = 0;
  optind = 0;
  for (;;) {
    const int c = getopt_long(argc, argv, ":", kOptions, nullptr);
    if (c == -1)
      break;
    std::string problem;
    events::common_option(c, kName, argv, r.common, problem);
    if (!problem.empty() || r.common.help || r.common.version)
      return problem;
  }
  if (argc - optind != 2)
    return "expected START END (see nightwindows --help)";
  const std::string problem = events::parse_span(argv[optind], argv[optind + 1], r.start, r.end);
  return problem.empty() ? night_span_problem(r.start, r.end) : problem;
}

} // namespace

int run_nightwindows(int argc, char *argv[], std::FILE *out, std::FILE *err) {
  Request r;
  const int answer =
      events::answer_command_line(kName, kUsage, parse(argc, argv, r), r.common, out, err);
  if (answer >= 0)
    return answer;
  events::Table table(out, r.common.format,
                      {{"start", 24, false},      {"start_unix", 14, true},
                       {"end", 24, false},        {"end_unix", 14, true},
                       {"duration_s", 10, true},  {"sunset", 24, false},
                       {"sunset_unix", 14, true}, {"sunrise", 24, false},
                       {"sunrise_unix", 14, true}, {"start_bound", 11, false},
                       {"end_bound", 9, false}});
  try {
    NightSearch search(r.start, r.end);
    Night n;
    while (search.next(n)) {
      std::vector<events::Cell> row;
      events::time_cells(n.start, row);
      events::time_cells(n.end, row);
      row.push_back(events::value(events::seconds_between(n.start, n.end)));
      events::time_cells(n.sunset, row);
      events::time_cells(n.sunrise, row);
      row.push_back(events::value(night_bound_name(n.start_bound)));
      row.push_back(events::value(night_bound_name(n.end_bound)));
      table.row(row);
    }
  } catch (const std::runtime_error &e) {
    std::fprintf(err, "%s: %s\n", kName, e.what());
    return 1;
  }
  if (!table.finish()) {
    std::fprintf(err, "%s: cannot write the nights to standard output\n", kName);
    return 1;
  }
  return 0;
}

#ifndef KIT_NO_MAIN
int main(int argc, char *argv[]) { return run_nightwindows(argc, argv, stdout, stderr); }
#endif
