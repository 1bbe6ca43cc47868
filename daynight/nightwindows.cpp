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
#include <vector>
#include <string>

#include "failure.h"
#include "night_search.h"
#include "options.h"
#include "table.h"

namespace {

constexpr const char *kName = "nightwindows";

constexpr const char *kUsage =
    "Usage: nightwindows [OPTION]... START END\n"
    "The nights of the observing site from START to END, as sunguard decides\n"
    "them (from an hour after sunset to sunrise), to the millisecond.  START\n"
    "and END are Unix seconds (-86400 or 1529625600.5), or ISO 8601 times such\n"
    "as 2018-06-22T01:20:00Z, 2018-06-22T01:20 or 2018-06-22 (UTC unless an\n"
    "offset such as -05:00 is given).\n"
    "\n"
    "  --format FORMAT            text (a table for a terminal), tsv (tab-\n"
    "                             separated values with a header line), json\n"
    "                             (one JSON array) or jsonl (JSON Lines)\n"
    "  -h, --help                 this text\n"
    "  --version                  the version\n"
    "\n"
    "Options and operands may come in any order; -- ends the options.\n"
    "\n"
    "Exit status: 0, also when there is no night; 1 for bad input, with one\n"
    "line on standard error.\n";

const option kOptions[] = {KIT_COMMON_LONG_OPTIONS, {nullptr, 0, nullptr, 0}};


struct Request {
  cli::CommonOptions common;
  double start = 0.0, end = 0.0;
};

Request parse(int argc, char *argv[]) {
  Request r;
  const std::vector<char *> operands =
      cli::read_command_line(argc, argv, kName, kOptions, r.common, [](int) {});
  if (r.common.help || r.common.version)
    return r;
  if (operands.size() != 2)
    throw kit::Failure("expected START END (see nightwindows --help)");
  cli::parse_span(operands[0], operands[1], r.start, r.end);
  const std::string problem = night_span_problem(r.start, r.end);
  if (!problem.empty())
    throw kit::Failure(problem);
  return r;
}

// The nights of a request, as rows.
void list_nights(const Request &r, std::FILE *out) {
  // The text table shows the nights' times and the crossings' times of day;
  // a crossing is "-" where the span cuts the night (its bound then start
  // or end).
  cli::Table table(out, r.common.format,
                   {{"start", 23, false},
                    {"start_unix", 14, true, ""},
                    {"end", 23, false},
                    {"end_unix", 14, true, ""},
                    {"duration_s", 8, true, "duration"},
                    {"sunset", 12, false},
                    {"sunset_unix", 14, true, ""},
                    {"sunrise", 12, false},
                    {"sunrise_unix", 14, true, ""},
                    {"start_bound", 11, false, ""},
                    {"end_bound", 9, false, ""}});
  NightSearch search(r.start, r.end);
  for (Night n; search.next(n);) {
    std::vector<cli::Cell> row;
    cli::time_cells(n.start, row);
    cli::time_cells(n.end, row);
    row.push_back(cli::duration_cell(n.start, n.end));
    cli::time_cells(n.sunset, row, cli::TextTime::time_of_day);
    cli::time_cells(n.sunrise, row, cli::TextTime::time_of_day);
    row.push_back(cli::value(night_bound_name(n.start_bound)));
    row.push_back(cli::value(night_bound_name(n.end_bound)));
    table.row(row);
  }
  if (!table.finish())
    throw kit::Failure("cannot write to standard output");
}

} // namespace

int run_nightwindows(int argc, char *argv[], std::FILE *out, std::FILE *err) {
  Request r;
  return cli::run_tool(
      kName, kUsage, out, err,
      [&] {
        r = parse(argc, argv);
        return r.common;
      },
      [&] { list_nights(r, out); });
}

#ifndef KIT_NO_MAIN
int main(int argc, char *argv[]) { return run_nightwindows(argc, argv, stdout, stderr); }
#endif
