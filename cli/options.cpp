// options.cpp - the shared pieces of the windows tools' command lines.
#include "options.h"

#include <fcntl.h>
#include <getopt.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "decimal_text.h"
#include "escape.h"
#include "failure.h"
#include "utc_instant.h"

namespace cli {

const char *kit_version() { return KIT_VERSION; }

std::string quoted(const std::string &text) { return "'" + escape(text, "\\'", "\\x%02x") + "'"; }

bool parse_number(const char *text, double &value) {
  if (text == nullptr || !kit::decimal_text(text))
    return false;
  // Out of range is refused one way only: a number too small for a double
  // is the zero or the tiny number strtod gives.
  const double v = std::strtod(text, nullptr);
  if (!std::isfinite(v))
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

namespace {

// Whether an argument is a negative number (Unix seconds, a declination):
// a minus sign, then a digit or a point and a digit.
bool negative_number(const char *arg) {
  return arg[0] == '-' &&
         (std::isdigit(static_cast<unsigned char>(arg[1])) ||
          (arg[1] == '.' && std::isdigit(static_cast<unsigned char>(arg[2]))));
}

// The long option a "--name" or "--name=value" argument names, as
// getopt_long resolves it (the name or an unambiguous abbreviation), or
// nullptr; *ambiguous tells whether the abbreviation begins several names.
const option *long_option(const char *arg, const option *options, bool *ambiguous = nullptr) {
  const char *name = arg + 2;
  const std::size_t length = std::strcspn(name, "=");
  const option *found = nullptr;
  bool several = false;
  for (const option *o = options; o->name != nullptr; ++o) {
    if (std::strncmp(o->name, name, length) != 0)
      continue;
    if (std::strlen(o->name) == length) {
      found = o; // the full name wins over the longer names it begins
      several = false;
      break;
    }
    several = found != nullptr;
    found = o;
  }
  if (ambiguous != nullptr)
    *ambiguous = several;
  return several ? nullptr : found;
}

} // namespace

Arguments arrange_arguments(int argc, char *argv[], const char *short_options,
                            const option *long_options) {
  Arguments a;
  a.options.push_back(argc > 0 ? argv[0] : nullptr);
  int i = 1;
  for (; i < argc; ++i) {
    char *arg = argv[i];
    if (std::strcmp(arg, "--") == 0) {
      ++i;
      break;
    }
    if (arg[0] != '-' || arg[1] == '\0' || negative_number(arg)) {
      a.operands.push_back(arg);
      continue;
    }
    a.options.push_back(arg);
    if (arg[1] == '-') {
      const option *o = long_option(arg, long_options);
      if (o != nullptr && o->has_arg == required_argument && std::strchr(arg, '=') == nullptr &&
          i + 1 < argc)
        a.options.push_back(argv[++i]);
      continue;
    }
    // A cluster of short options; one that takes a value takes the rest of
    // the cluster, or the next argument.
    for (const char *c = arg + 1; *c != '\0'; ++c) {
      const char *spec = std::strchr(short_options, *c);
      if (spec == nullptr || *c == ':' || spec[1] != ':')
        continue;
      if (c[1] == '\0' && i + 1 < argc)
        a.options.push_back(argv[++i]);
      break;
    }
  }
  for (; i < argc; ++i)
    a.operands.push_back(argv[i]);
  a.options.push_back(nullptr);
  return a;
}

namespace {

// One result of getopt_long that is a common option or a fault of the
// command line: the common options updated, or kit::Failure thrown; false
// for a code of the tool's own.
bool common_option(int code, const char *tool, char *const argv[], const option *long_options,
                   CommonOptions &o) {
  switch (code) {
  case kFormatOption:
    if (!parse_format(optarg, o.format))
      throw kit::Failure("--format: " + quoted(optarg) + " is not text, tsv, json or jsonl");
    return true;
  case 'h':
  case kHelpOption:
    o.help = true;
    return true;
  case kVersionOption:
    o.version = true;
    return true;
  case ':':
    throw kit::Failure("option " + quoted(argv[optind - 1]) + " needs a value");
  case '?': {
    // A short option is named alone, as the letter getopt_long stopped at
    // (the argument may hold more of them); a long one as it was written.
    if (optopt > 0 && optopt < kFormatOption)
      throw kit::Failure("unknown option " + quoted(std::string("-") + static_cast<char>(optopt)) +
                         " (see " + tool + " --help)");
    const char *arg = argv[optind - 1];
    const std::string name(arg, std::strcspn(arg, "="));
    bool ambiguous = false;
    const option *named = arg[0] == '-' && arg[1] == '-' ? long_option(arg, long_options, &ambiguous)
                                                         : nullptr;
    if (named != nullptr && named->has_arg == no_argument && name.size() < std::strlen(arg))
      throw kit::Failure("option " + quoted(name) + " takes no value");
    if (ambiguous)
      throw kit::Failure("option " + quoted(name) + " is ambiguous (see " + tool + " --help)");
    throw kit::Failure("unknown option " + quoted(name) + " (see " + tool + " --help)");
  }
  default:
    return false;
  }
}

} // namespace

std::vector<char *> read_command_line(int argc, char *argv[], const char *tool,
                                      const option *long_options, CommonOptions &common,
                                      const std::function<void(int)> &own_option) {
  Arguments arguments = arrange_arguments(argc, argv, "h", long_options);
  const int count = static_cast<int>(arguments.options.size()) - 1;
  char **options = arguments.options.data();
  opterr = 0;
  optind = 0;
  for (;;) {
    const int c = getopt_long(count, options, kShortOptions, long_options, nullptr);
    if (c == -1)
      break;
    if (!common_option(c, tool, options, long_options, common))
      own_option(c);
    if (common.help || common.version)
      return {};
  }
  return arguments.operands;
}

double parse_time(const char *text) {
  std::string why;
  utc::Instant instant;
  if (utc::Instant::parse(text, instant, &why))
    return instant.unix_seconds();
  throw kit::Failure(why.empty() ? quoted(text) +
                                       " is not a time (Unix seconds, or "
                                       "YYYY-MM-DD[THH:MM[:SS[.fff]]][Z])"
                                 : quoted(text) + ": " + why);
}

void parse_span(const char *start_text, const char *end_text, double &start, double &end) {
  start = parse_time(start_text);
  end = parse_time(end_text);
  if (start > end)
    throw kit::Failure("START " + quoted(start_text) + " is after END " + quoted(end_text));
}

int answer_command_line(const char *tool, const char *usage, const CommonOptions &o,
                        std::FILE *out) {
  if (o.help)
    std::fputs(usage, out);
  else if (o.version)
    std::fprintf(out, "%s (passkit) %s\n", tool, kit_version());
  else
    return -1;
  if (std::fflush(out) != 0 || std::ferror(out))
    throw kit::Failure("cannot write to standard output");
  return 0;
}

int run_tool(const char *tool, const char *usage, std::FILE *out, std::FILE *err,
             const std::function<CommonOptions()> &parse, const std::function<void()> &work) {
  try {
    const int answer = answer_command_line(tool, usage, parse(), out);
    if (answer >= 0)
      return answer;
    // A closed standard output fails even a run that would write nothing
    // (JSON Lines of no row): the caller could not have read an answer.
    const int fd = fileno(out);
    if (fd >= 0 && fcntl(fd, F_GETFL) == -1 && errno == EBADF)
      throw kit::Failure("cannot write to standard output");
    work();
    return 0;
  } catch (const kit::Failure &e) {
    std::fprintf(err, "%s: %s\n", tool, e.what());
    return 1;
  } catch (const std::bad_alloc &) {
    std::fprintf(err, "%s: out of memory\n", tool);
    return 1;
  }
}

} // namespace cli
