// options.h - what the command lines of the kit's windows tools share (the
// events library): their common options and the answers to them, the span
// they take, and the reading of option values.
#ifndef KIT_EVENTS_OPTIONS_H
#define KIT_EVENTS_OPTIONS_H

#include <cstdio>
#include <string>

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

// The codes getopt_long returns for the options every windows tool takes:
// --format, --help and --version; a tool's own options take codes from
// kFirstToolOption on.
enum CommonOptionCode { kFormatOption = 256, kHelpOption, kVersionOption, kFirstToolOption };
#define KIT_COMMON_LONG_OPTIONS                                                \
  {"format", required_argument, nullptr, events::kFormatOption},              \
      {"help", no_argument, nullptr, events::kHelpOption},                     \
      {"version", no_argument, nullptr, events::kVersionOption}

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
//   problem          the fault's one line: an unknown option, a missing
//                    value, a format other than text, tsv or json
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
