// options.h - what the command lines of the kit's windows tools share (the
// events library): their common options and the answers to them, the span
// they take, and the reading of option values.
#ifndef KIT_EVENTS_OPTIONS_H
#define KIT_EVENTS_OPTIONS_H

#include <getopt.h>

#include <cstdio>
#include <string>
#include <vector>

#include "table.h"

namespace events {

// The kit's version, "0.2.0".
const char *kit_version();

// A text quoted for a one-line message: 'text', with a quote or a
// backslash in it escaped by a backslash and a control character (a line
// end, a tab) written as \xHH.
std::string quoted(const std::string &text);

// A number given as an option's value: the whole text read by strtod,
// finite; false for anything else (empty, trailing text, inf, nan).
bool parse_number(const char *text, double &value);

// "NAME=VALUE": false when the text holds no "=".
bool split_assignment(const char *text, std::string &name, std::string &value);

// A command line parted into its options and its operands.
struct Arguments {
  std::vector<char *> options;  // argv[0], the options with their values,
                                // a null pointer: for getopt_long, with an
                                // argument count of options.size() - 1
  std::vector<char *> operands; // the rest, in order
};

// ---------------------------------------------------------------------------
// arrange_arguments: a command line parted as getopt_long would part it,
// with negative numbers taken for operands.
//
// Given:   argc, argv as given to main; short_options and long_options as
//          for getopt_long (short_options without the leading "+:")
// Returned (function value):
//   the options, each with its value where it takes one (the next
//   argument, whatever it holds, as getopt_long takes it: so that
//   "--min-elevation -5" keeps its value), and the operands: the arguments
//   that are not options, among them "-" (standard input) and negative
//   numbers ("-86400", "-1e12", "-36.9", "-.5"), and everything after
//   "--".  Options and operands may come in any order.  getopt_long is then
//   run on the options alone, with an option string that begins with "+".
// ---------------------------------------------------------------------------
Arguments arrange_arguments(int argc, char *argv[], const char *short_options,
                            const option *long_options);

// The codes getopt_long returns for the options every windows tool takes:
// --format, --help and --version; a tool's own options take codes from
// kFirstToolOption on.
enum CommonOptionCode { kFormatOption = 256, kHelpOption, kVersionOption, kFirstToolOption };
#define KIT_COMMON_LONG_OPTIONS                                                \
  {"format", required_argument, nullptr, events::kFormatOption},              \
      {"help", no_argument, nullptr, events::kHelpOption},                     \
      {"version", no_argument, nullptr, events::kVersionOption}

// The option string of the windows tools for getopt_long: no reordering
// (see arrange_arguments), ':' for a missing value, -h for --help.
inline constexpr const char *kShortOptions = "+:h";

// What the common options asked for.
struct CommonOptions {
  Format format = Format::text;
  bool help = false, version = false;
};

// ---------------------------------------------------------------------------
// common_option: one result of getopt_long (called with the option string
// ":" and opterr 0), when it is a common option or a fault of the command
// line.
//
// Given:   code  what getopt_long returned; tool  the program's name;
//          argv  as given to getopt_long (for the option named in a fault)
// Returned:
//   options          the common options, updated
//   problem          the fault's one line: an unknown option (named as
//                    given), a missing value, an unknown format
//   function value   false for a code of the tool's own (nothing done)
// ---------------------------------------------------------------------------
bool common_option(int code, const char *tool, char *const argv[], CommonOptions &options,
                   std::string &problem);

// START and END as the tools take them (Unix seconds or ISO 8601 UTC):
// empty, or the fault's line (a time that does not read, START after END).
std::string parse_span(const char *start_text, const char *end_text, double &start,
                       double &end);

// ---------------------------------------------------------------------------
// answer_command_line: what a tool answers before its work.
//
// Given:   tool, usage  the program's name and its --help text; problem
//          the fault of its command line, or empty; options  as read
// Returned (function value):
//   -1 when there is work to do; otherwise the exit status, after the
//   fault's line on err ("TOOL: PROBLEM"), the usage or the version on out
// ---------------------------------------------------------------------------
int answer_command_line(const char *tool, const char *usage, const std::string &problem,
                        const CommonOptions &options, std::FILE *out, std::FILE *err);

} // namespace events

#endif
