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
  events::CommonOptions common;
  double start = 0.0, end = 0.0;
};

std::string parse(int argc, char *argv[], Request &r) {
  events::Arguments arguments = events::arrange_arguments(argc, argv, "h", kOptions);
  argc = static_cast<int>(arguments.options.size()) - 1;
  argv = arguments.options.data();
  const std::vector<char *> &operands = arguments.operands;
  opterr = 0;
  optind = 0;
  for (;;) {
    const int c = getopt_long(argc, argv, events::kShortOptions, kOptions, nullptr);
    if (c == -1)
      break;
    std::string problem;
    events::common_option(c, kName, argv, r.common, problem);
    if (!problem.empty() || r.common.help || r.common.version)
      return problem;
  }
  if (operands.size() != 2)
    return "expected START END (see nightwindows --help)";
  const std::string problem = events::parse_span(operands[0], operands[1], r.start, r.end);
  return problem.empty() ? night_span_problem(r.start, r.end) : problem;
}

} // namespace

int run_nightwindows(int argc, char *argv[], std::FILE *out, std::FILE *err) {
  Request r;
  const int answer =
      events::answer_command_line(kName, kUsage, parse(argc, argv, r), r.common, out, err);
  if (answer >= 0)
    return answer;
  // The text table shows the nights' times and the crossings' times of day;
  // a crossing is "-" where the span cuts the night (its bound then start
  // or end).
  events::Table table(out, r.common.format,
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
  try {
    NightSearch search(r.start, r.end);
    Night n;
    while (search.next(n)) {
      std::vector<events::Cell> row;
      events::time_cells(n.start, row);
      events::time_cells(n.end, row);
      row.push_back(events::duration_cell(n.start, n.end));
      events::time_cells(n.sunset, row, events::TextTime::time_of_day);
      events::time_cells(n.sunrise, row, events::TextTime::time_of_day);
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
