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

#include <cmath>
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

enum OptionCode { kFormat = 256, kHelp, kVersion };

const option kOptions[] = {{"format", required_argument, nullptr, kFormat},
                           {"help", no_argument, nullptr, kHelp},
                           {"version", no_argument, nullptr, kVersion},
                           {nullptr, 0, nullptr, 0}};

std::string quoted(const std::string &text) { return "'" + text + "'"; }

struct Request {
  events::Format format = events::Format::text;
  double start = 0.0, end = 0.0;
  bool help = false, version = false;
};

std::string parse(int argc, char *argv[], Request &r) {
  opterr = 0;
  optind = 0;
  for (;;) {
    const int c = getopt_long(argc, argv, ":", kOptions, nullptr);
    if (c == -1)
      break;
    switch (c) {
    case kFormat:
      if (!events::parse_format(optarg, r.format))
        return "--format: " + quoted(optarg) + " is not text, tsv or json";
      break;
    case kHelp:
      r.help = true;
      return {};
    case kVersion:
      r.version = true;
      return {};
    case ':':
      return "option " + quoted(argv[optind - 1]) + " needs a value";
    default:
      return "unknown option " + quoted(argv[optind - 1]) + " (see nightwindows --help)";
    }
  }
  if (argc - optind != 2)
    return "expected START END (see nightwindows --help)";
  for (int i = 0; i < 2; ++i)
    if (!events::parse_instant(argv[optind + i], i == 0 ? r.start : r.end))
      return quoted(argv[optind + i]) +
             " is not a time (Unix seconds, or YYYY-MM-DDTHH:MM:SS[.fff][Z])";
  if (r.start > r.end)
    return "START " + quoted(argv[optind]) + " is after END " + quoted(argv[optind + 1]);
  return night_span_problem(r.start, r.end);
}

// An instant as the two columns of a time, or none for not a number.
void time_cells(double t, std::vector<events::Cell> &row) {
  if (std::isnan(t)) {
    row.push_back(events::none());
    row.push_back(events::none());
    return;
  }
  row.push_back(events::value(events::iso_utc(t)));
  row.push_back(events::value(events::unix_seconds(t)));
}

} // namespace

int run_nightwindows(int argc, char *argv[], std::FILE *out, std::FILE *err) {
  Request r;
  const std::string problem = parse(argc, argv, r);
  if (!problem.empty()) {
    std::fprintf(err, "%s: %s\n", kName, problem.c_str());
    return 1;
  }
  if (r.help) {
    std::fputs(kUsage, out);
    return std::fflush(out) == 0 ? 0 : 1;
  }
  if (r.version) {
    std::fprintf(out, "nightwindows (passkit) %s\n", events::kit_version());
    return std::fflush(out) == 0 ? 0 : 1;
  }
  events::Table table(out, r.format,
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
      time_cells(n.start, row);
      time_cells(n.end, row);
      row.push_back(events::value(events::seconds_between(n.start, n.end)));
      time_cells(n.sunset, row);
      time_cells(n.sunrise, row);
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
