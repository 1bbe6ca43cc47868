// options.cpp - the shared pieces of the windows tools' command lines.
#include "options.h"

#include <getopt.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "instant.h"

namespace events {

const char *kit_version() { return KIT_VERSION; }

std::string quoted(const std::string &text) {
  std::string out = "'";
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\\' || c == '\'') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "'";
}

bool parse_number(const char *text, double &value) {
  if (text == nullptr || *text == '\0')
    return false;
  char *end = nullptr;
  errno = 0;
  const double v = std::strtod(text, &end);
  if (*end != '\0' || !std::isfinite(v) || errno == ERANGE)
    return false;
  value = v;
  return true;
}

bool split_assignment(const char *text, std::string &name, std::string &value) {
  const char *equals = std::strchr(text, '=');
  if (equals == nullptr)
    return false;
  name.assign(text, equals);
  value.assign(equals + 1);
  return true;
}

bool common_option(int code, const char *tool, char *const argv[], CommonOptions &o,
                   std::string &problem) {
  switch (code) {
  case kFormatOption:
    if (!parse_format(optarg, o.format))
      problem = "--format: " + quoted(optarg) + " is not text, tsv or json";
    return true;
  case kHelpOption:
    o.help = true;
    return true;
  case kVersionOption:
    o.version = true;
    return true;
  case ':':
    problem = "option " + quoted(argv[optind - 1]) + " needs a value";
    return true;
  case '?':
    problem = "unknown option " + quoted(argv[optind - 1]) + " (see " + tool + " --help)";
    return true;
  default:
    return false;
  }
}

std::string parse_span(const char *start_text, const char *end_text, double &start,
                       double &end) {
  const auto not_a_time = [](const char *text) {
    return quoted(text) + " is not a time (Unix seconds, or YYYY-MM-DDTHH:MM:SS[.fff][Z])";
  };
  if (!parse_instant(start_text, start))
    return not_a_time(start_text);
  if (!parse_instant(end_text, end))
    return not_a_time(end_text);
  if (start > end)
    return "START " + quoted(start_text) + " is after END " + quoted(end_text);
  return {};
}

int answer_command_line(const char *tool, const char *usage, const std::string &problem,
                        const CommonOptions &o, std::FILE *out, std::FILE *err) {
  if (!problem.empty()) {
    std::fprintf(err, "%s: %s\n", tool, problem.c_str());
    return 1;
  }
  if (o.help)
    std::fputs(usage, out);
  else if (o.version)
    std::fprintf(out, "%s (passkit) %s\n", tool, kit_version());
  else
    return -1;
  return std::fflush(out) == 0 ? 0 : 1;
}

} // namespace events
