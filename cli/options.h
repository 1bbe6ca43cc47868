// options.h - what the command lines of the kit's windows tools share (the
// cli library): their common options and the answers to them, the span
// they take, and the reading of option values.
#ifndef KIT_CLI_OPTIONS_H
#define KIT_CLI_OPTIONS_H

#include <getopt.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "table.h"

namespace cli {

// The kit's version, "0.4.0".
const char *kit_version();

// A text quoted for a one-line message: 'text', with a quote or a
// backslash in it escaped by a backslash and a control character (a line
// end, a tab) written as \xHH.
std::string quoted(const std::string &text);

// A number given as an option's value: decimal text (kit::decimal_text)
// of a finite double; false for anything else (empty, white space,
// hexadecimal, trailing text, inf, nan, 1e999).
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
  {"format", required_argument, nullptr, cli::kFormatOption},              \
      {"help", no_argument, nullptr, cli::kHelpOption},                     \
      {"version", no_argument, nullptr, cli::kVersionOption}

// The option string of the windows tools for getopt_long: no reordering
// (see arrange_arguments), ':' for a missing value, -h for --help.
inline constexpr const char *kShortOptions = "+:h";

// What the common options asked for.
struct CommonOptions {
  Format format = Format::text;
  bool help = false, version = false;
};

// ---------------------------------------------------------------------------
// read_command_line: a windows tool's command line.
//
// Given:   argc, argv as passed to main; tool  the program's name;
//          long_options  its options for getopt_long, the common ones
//          (KIT_COMMON_LONG_OPTIONS) among them; own_option  what to do
//          with an option of the tool's own, given the code getopt_long
//          returned for it (its value in optarg); it throws kit::Failure
//          for a bad value
// Returned:
//   common           the common options (--format, -h/--help, --version)
//   function value   the operands (none once --help or --version is read,
//                    where reading stops)
// Throws kit::Failure with the one line that tells what is wrong: an
//   unknown option (named as given), a missing value, an unknown format.
// ---------------------------------------------------------------------------
std::vector<char *> read_command_line(int argc, char *argv[], const char *tool,
                                      const option *long_options, CommonOptions &common,
                                      const std::function<void(int)> &own_option);

// An instant given on a command line (Unix seconds or ISO 8601, see
// utc::Instant::parse), in Unix seconds; throws kit::Failure naming the
// text and, for a time that does not exist, why.
double parse_time(const char *text);

// START and END as the tools take them: throws kit::Failure for a time that
// does not read, or START after END.
void parse_span(const char *start_text, const char *end_text, double &start, double &end);

// ---------------------------------------------------------------------------
// answer_command_line: what a tool answers before its work.
//
// Given:   tool, usage  the program's name and its --help text; options
//          as read; out  its standard output
// Returned (function value):
//   -1 when there is work to do; otherwise 0, after the usage or the
//   version on out.  Throws kit::Failure when out cannot take them.
// ---------------------------------------------------------------------------
int answer_command_line(const char *tool, const char *usage, const CommonOptions &options,
                        std::FILE *out);

// ---------------------------------------------------------------------------
// run_tool: a windows tool's whole run: its command line read by `parse`,
// which returns the common options it found; --help or --version answered
// on out; otherwise its work done by `work`.
//
// Returned (function value): the exit status: 0, or 1 after the one line
//   "TOOL: WHAT" on err for a kit::Failure thrown by either (the only place
//   a windows tool reports a fault), or "TOOL: out of memory".
// ---------------------------------------------------------------------------
int run_tool(const char *tool, const char *usage, std::FILE *out, std::FILE *err,
             const std::function<CommonOptions()> &parse, const std::function<void()> &work);

} // namespace cli

#endif
