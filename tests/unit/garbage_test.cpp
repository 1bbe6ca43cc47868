// garbage_test.cpp - every program of the kit run as a process on garbage:
// random bytes, numbers too large, nan and inf, 1 MB lines, 100 KB
// arguments and paths, empty arguments, broken orbit and fort.75 files.
//
// Each run goes through timeout(1), so a hang ends as a failure instead of
// holding the suite.  Whatever the input, a program must exit by itself
// with one of its own statuses (0 or 1: never a signal, never a sanitizer
// report) and answer in one of its own forms: a refusal writes nothing on
// standard output and one of the program's messages on standard error; an
// answer writes the program's kind of answer and no message.  No rule of a
// program is restated here: which input gets which answer is pinned by the
// golden cases and by the unit tests of the programs' own functions; where
// garbage follows good records, the lines before it are compared with the
// reference data.  The inputs come from a fixed seed, so every run of the
// suite throws the same garbage.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "spawn_program.h"

namespace {

const std::string kBin = KIT_BIN_DIR;
const std::string kData = KIT_TEST_DATA;

// Generous for the sanitizer build: no run on these inputs takes more than
// a fraction of a second there.  timeout(1) sends TERM at the limit and
// KILL kKillAfter later; it then exits with 124 when TERM ended the
// program, and ends itself with KILL when KILL was needed.
constexpr const char *kTimeLimit = "30";
constexpr const char *kKillAfter = "5";

// Runs argv (argv[0] a path) under timeout(1) with the given limit.
kit_test::SpawnResult run_limited(const char *limit,
                                  const std::vector<const char *> &argv,
                                  const std::string &workdir = {},
                                  const char *kill_after = kKillAfter) {
  std::vector<const char *> limited = {"timeout", "-k", kill_after, limit};
  limited.insert(limited.end(), argv.begin(), argv.end());
  return kit_test::spawn_program("/usr/bin/timeout", limited, workdir);
}

// A run that timeout(1) had to end.
bool timed_out(const kit_test::SpawnResult &r) {
  return r.status == 124 || r.signal == SIGKILL;
}

// The hang check itself can fire: a program that outlives its limit is
// told apart from one that exits by itself.
// Deterministic source of garbage (splitmix64).
class Garbage {
public:
  explicit Garbage(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
  bool one_in(std::size_t n) { return below(n) == 0; }

  // n bytes from 1 to 255 (an argument cannot hold a NUL).
  std::string bytes(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
      s += static_cast<char>(1 + below(255));
    return s;
  }
  // n bytes drawn from the given characters.
  std::string from(const std::string &alphabet, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
      s += alphabet[below(alphabet.size())];
    return s;
  }

  // A text that strtod, atoi or atol may take for a number, or nearly.
  std::string numberish() {
    static const char *const words[] = {
        "", " ", "nan", "-nan", "NAN(123)", "inf", "-Infinity", "1e999",
        "-1e999", "1e-400", "-0", "0x1p99999", "0x", "+", "-", ".", "e5",
        "9223372036854775807", "9223372036854775808", "-9223372036854775809",
        "2147483648", "65537", "45", "180", "90.5", "360.0000001", "1.5e1x",
        "\t 12", "0x2D", "12:30", "01.02.2018"};
    switch (below(4)) {
    case 0:
      return words[below(sizeof words / sizeof words[0])];
    case 1:
      return from("0123456789", 1 + below(400)); // far too many digits
    case 2:
      return from("0123456789.:+-eEx ", below(12));
    default:
      return bytes(below(16));
    }
  }

  // A command-line argument of any kind, now and then 100 KB long.
  std::string argument() {
    if (one_in(25))
      return one_in(2) ? bytes(100 * 1024) : from("0123456789", 100 * 1024);
    return numberish();
  }

private:
  std::uint64_t state_;
};

// Characters that can neither start nor continue a number for strtod or
// fscanf("%lf"): no digit, no sign, no point, and none of the letters of
// inf, infinity and nan.  White space is left in.
std::string not_a_number_alphabet() {
  std::string s;
  for (int c = 1; c < 256; ++c) {
    if (std::strchr("0123456789+-.iInNaAfFtTyY", c) == nullptr)
      s += static_cast<char>(c);
  }
  return s;
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Runs a program of the kit on the arguments, in `workdir` when given.
// Fails the test unless it ended by itself with status 0 or 1 and without
// any sanitizer report.
Outcome run(const std::string &tool, const std::vector<std::string> &args,
            const std::string &workdir = {}) {
  const std::string program = kBin + "/" + tool;
  std::vector<const char *> argv = {program.c_str()};
  for (const std::string &a : args)
    argv.push_back(a.c_str());
  const kit_test::SpawnResult r = run_limited(kTimeLimit, argv, workdir);
  std::string shown;
  for (const std::string &a : args)
    shown += " '" + (a.size() > 40 ? a.substr(0, 40) + "...(" +
                                         std::to_string(a.size()) + " bytes)"
                                   : a) +
             "'";
  EXPECT_FALSE(timed_out(r)) << tool << shown << ": still running after "
                              << kTimeLimit << " s";
  EXPECT_TRUE(r.status == 0 || r.status == 1)
      << tool << shown << ": status " << r.status
      << " (128 + n: ended by signal n)\n"
      << r.err.substr(0, 2000);
  EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << tool << shown;
  EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << tool << shown;
  return {r.status, r.out, r.err};
}

std::string read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string &path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << path;
}

// The first n lines of a text, each with its line end.
std::string first_lines(const std::string &text, std::size_t n) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < n && at < text.size(); ++i) {
    const std::size_t end = text.find('\n', at);
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return text.substr(0, at);
}

class GarbageTest : public ::testing::Test {
protected:
  void SetUp() override { dir_ = kit_test::make_temp_dir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
};

// ----- the limit checkers ---------------------------------------------------

// A checker never writes to standard output.  Status 0 (it can point there)
// comes without a message; a message on standard error is a malformed
// request: status 1, and the text is the usage line, or a problem line
// followed by it.
TEST_F(GarbageTest, LimitCheckersAnswerGarbageByTheirContract) {
  Garbage g(0x4c494d49u);
  int problems = 0, answers = 0;
  for (const std::string tool : {"azellimits", "elevlimits", "polarlimits"}) {
    const std::string usage = "Usage: " + kBin + "/" + tool + " altitide_deg azimuth_deg\n";
    for (int round = 0; round < 45 && !HasFailure(); ++round) {
      std::vector<std::string> args;
      for (std::size_t n = g.below(5); n > 0; --n)
        args.push_back(g.argument());
      const Outcome o = run(tool, args);
      EXPECT_EQ(o.out, "") << tool;
      if (o.err.empty()) {
        ++answers;
        continue;
      }
      ++problems;
      EXPECT_EQ(o.status, 1) << tool;
      const bool usage_only = o.err == usage;
      const bool problem =
          (o.err.rfind("Problem with altitude: ", 0) == 0 ||
           o.err.rfind("Problem with azimuth: ", 0) == 0) &&
          o.err.find('\n') + 1 + usage.size() == o.err.size() &&
          o.err.compare(o.err.size() - usage.size(), usage.size(), usage) == 0;
      EXPECT_TRUE(usage_only || problem) << tool << ": " << o.err.substr(0, 200);
    }
  }
  // Both kinds of answer were exercised.
  EXPECT_GT(problems, 20);
  EXPECT_GT(answers, 20);
}

// ----- sunguard ---------------------------------------------------------------

// A date or time argument: a valid form with a few random edits, random
// bytes, a number-like text, or a 100 KB argument.
std::string time_argument(Garbage &g, bool date) {
  static const char *const dates[] = {"01.02.2018", "1.02.2018", "31.12.2100",
                                      "29.02.2000", "001.02.2018", "15.07.2050"};
  static const char *const times[] = {"00:00", "23:59", "7:5", "12:30:45", "18:00"};
  switch (g.below(6)) {
  case 0:
    return g.bytes(g.below(20));
  case 1:
    return g.argument();
  default: {
    std::string a = date ? dates[g.below(6)] : times[g.below(5)];
    for (std::size_t edits = g.one_in(2) ? 0 : 1 + g.below(2); edits > 0; --edits) {
      const std::size_t at = g.below(a.size() + 1);
      const std::string c = g.from("0123456789.:+- x\xff", 1);
      if (g.one_in(2) && at < a.size())
        a[at] = c[0];
      else
        a.insert(at, c);
    }
    return a;
  }
  }
}

// sunguard answers with a verdict and no message, or refuses with one of
// its own messages and nothing on standard output.
TEST_F(GarbageTest, SunguardAnswersAVerdictOrOneOfItsMessages) {
  Garbage g(0x53554e47u);
  const std::string usage = "This code will compute ZNT day-night scheduling "
                            "constraints.\nUsage: " + kBin + "/sunguard 01.02.2018 00:00\n";
  const std::vector<std::string> messages = {usage, "ERROR in day\n", "ERROR in month\n",
                                             "ERROR in year\n", "ERROR in hour\n",
                                             "ERROR in min\n"};
  int verdicts = 0, refusals = 0;
  for (int round = 0; round < 160 && !HasFailure(); ++round) {
    std::vector<std::string> args;
    const std::size_t count = g.one_in(10) ? g.below(2) : 2 + g.below(2);
    for (std::size_t i = 0; i < count; ++i)
      args.push_back(time_argument(g, i == 0));
    const Outcome o = run("sunguard", args);
    SCOPED_TRACE("sunguard '" + (args.empty() ? "" : args[0].substr(0, 40)) + "' '" +
                 (args.size() < 2 ? "" : args[1].substr(0, 40)) + "'");
    if (o.status == 0) {
      ++verdicts;
      EXPECT_TRUE(o.out == "[day]\n" || o.out == "[night]\n") << o.out;
      EXPECT_EQ(o.err, "");
    } else {
      ++refusals;
      EXPECT_EQ(o.out, "");
      EXPECT_NE(std::find(messages.begin(), messages.end(), o.err), messages.end())
          << o.err.substr(0, 200);
    }
    if (args.size() < 2) {
      EXPECT_EQ(o.err, usage);
    }
  }
  EXPECT_GT(verdicts, 20);
  EXPECT_GT(refusals, 20);
}

// ----- passrange ------------------------------------------------------------

const std::regex kReportLine(
    R"(\d+\.\d{5} +[-+0-9.a-z]+ +[-+0-9.a-z]+ +[-+0-9.a-z]+   +[-+0-9.a-z]+ +[-+0-9.a-z]+ )");

// Every line of the text is a report line.
bool all_report_lines(const std::string &text) {
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (!std::regex_match(line, kReportLine))
      return false;
  return text.empty() || text.back() == '\n';
}

// A text that no record can start with: its first character is neither
// white space, a digit nor a sign, so no year can be read from it.
std::string orbit_garbage(Garbage &g, std::size_t n) {
  std::string s = g.from("xyzXYZ#!?:T;@\x01\x80\xff", 1);
  std::string rest = g.bytes(n);
  // The file may hold NUL bytes as well.
  for (std::size_t i = 0; i < rest.size(); i += 1 + g.below(64))
    rest[i] = '\0';
  return s + rest;
}

TEST_F(GarbageTest, PassrangePrintsNothingForAFileOfGarbage) {
  Garbage g(0x4f524249u);
  const std::string orbit = dir_ + "/garbage.org";
  for (int round = 0; round < 30 && !HasFailure(); ++round) {
    const std::size_t size = round == 0 ? 1024 * 1024 : g.below(4096);
    write_file(orbit, orbit_garbage(g, size));
    // Every-record mode: a scan that ends at once, status 0.
    Outcome o = run("passrange", {orbit});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "");
    // The selective modes find no record to report.
    std::vector<std::string> args = {orbit, std::to_string(1478232000 + g.below(86400))};
    if (g.one_in(2))
      args.push_back(std::to_string(1478232000 + g.below(86400) + 86400));
    o = run("passrange", args);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "No orbit record in the requested time window.\n");
  }
}

TEST_F(GarbageTest, PassrangeReportsTheRecordsBeforeTheGarbage) {
  Garbage g(0x5441494cu);
  const std::string records = read_file(kData + "/orbits/orbit-a.org");
  const std::string every = read_file(kData + "/orbits/orbit-a.every.out");
  const std::string orbit = dir_ + "/tail.org";
  for (int round = 0; round < 30 && !HasFailure(); ++round) {
    const std::size_t k = g.below(12);
    std::string garbage = orbit_garbage(g, g.below(2000));
    if (round == 0) // a line of a megabyte
      garbage = "x" + std::string(1024 * 1024, '7') + "\n";
    write_file(orbit, first_lines(records, k) + garbage +
                          first_lines(records, 3));
    const Outcome o = run("passrange", {orbit});
    EXPECT_EQ(o.status, 0) << k << " records";
    EXPECT_EQ(o.out, first_lines(every, k)) << k << " records";
    EXPECT_EQ(o.err, "");
  }
}

TEST_F(GarbageTest, PassrangeOnNumbersItCannotUse) {
  const std::string orbit = dir_ + "/numbers.org";
  // Positions that are infinite or not a number: every-record mode prints
  // what they give; the closest approach never picks them.
  write_file(orbit,
             "2016-11-04T04:00:00.000 1e999 0 0 0 0 0\n"
             "2016-11-04T04:01:00.000 nan 1 2 3 4 5\n"
             "2016-11-04T04:02:00.000 -inf inf nan 1e400 -1e400 nan\n"
             "2016-11-04T04:03:00.000 1e10 0 0 0 0 0\n");
  Outcome o = run("passrange", {orbit});
  EXPECT_EQ(o.status, 0);
  EXPECT_TRUE(all_report_lines(o.out)) << o.out;
  EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 4);
  o = run("passrange", {orbit, "1478232000", "1478232180"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err, "No orbit record in the requested time window.\n");

  // A timestamp number beyond int, however many digits it has, or a second
  // beyond int ends the scan there: only the first record is reported.
  const std::string first = "2016-11-04T04:00:00.000 7000 0 0 0 0 0\n";
  for (const std::string &bad :
       {std::string(100000, '9') + "-11-04T04:00:00.000 7000 0 0 0 0 0\n",
        std::string("4294969312-11-04T04:00:00.000 7000 0 0 0 0 0\n"),
        std::string("2016-11-04T04:00:1e300 7000 0 0 0 0 0\n")}) {
    write_file(orbit, first + bad + first);
    const Outcome cut = run("passrange", {orbit});
    write_file(orbit, first);
    const Outcome one = run("passrange", {orbit});
    EXPECT_EQ(cut.status, 0);
    EXPECT_EQ(cut.out, one.out) << bad.substr(0, 40);
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 1);
  }

  // One record spread over a megabyte of white space is still one record.
  write_file(orbit, "2016-11-04T04:00:00.000" + std::string(1024 * 1024, ' ') +
                        "7000\n\n\t0 0 0 0 0\n");
  o = run("passrange", {orbit});
  EXPECT_EQ(o.status, 0);
  EXPECT_TRUE(all_report_lines(o.out)) << o.out;
  EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 1);
}

// Arguments of any kind: a report (status 0, report lines only, no
// message), or a refusal (status 1, nothing on standard output, one of
// passrange's messages).  The orbit file alone is reported whole.
TEST_F(GarbageTest, PassrangeArgumentsOfAnyKind) {
  Garbage g(0x41524753u);
  const std::string orbit = kData + "/orbits/edge/malformed-fifth.org";
  const std::string every = read_file(kData + "/orbits/edge/malformed-fifth.every.out");
  const std::string usage_start = "Usage: " + kBin + "/passrange KQ140225-161120.org";
  int reports = 0, refusals = 0;
  for (int round = 0; round < 100 && !HasFailure(); ++round) {
    std::vector<std::string> args;
    const std::size_t count = g.below(6);
    // The orbit file: the real one, a garbage path, an empty one, or a
    // path of 100 KB.
    if (count > 0) {
      switch (g.below(4)) {
      case 0: { // a name of random bytes that names no file
        std::string name = g.bytes(1 + g.below(30));
        std::replace(name.begin(), name.end(), '/', 'q');
        args.push_back(dir_ + "/g" + name);
        break;
      }
      case 1:
        args.push_back(g.one_in(2) ? "" : dir_ + "/" + std::string(100 * 1024, 'p'));
        break;
      default:
        args.push_back(orbit);
      }
    }
    while (args.size() < count)
      args.push_back(g.argument());
    const Outcome o = run("passrange", args);
    if (o.status == 0) {
      ++reports;
      EXPECT_TRUE(all_report_lines(o.out)) << o.out;
      EXPECT_EQ(o.err, "");
    } else {
      ++refusals;
      EXPECT_EQ(o.out, "");
      EXPECT_TRUE(o.err.rfind(usage_start, 0) == 0 ||
                  (count > 0 && o.err == "Error opening orbit file " + args[0] + " \n") ||
                  o.err == "No orbit record in the requested time window.\n")
          << o.err.substr(0, 200);
    }
    if (count == 1 && args[0] == orbit) {
      EXPECT_EQ(o.out, every);
    }
  }
  EXPECT_GT(reports, 5);
  EXPECT_GT(refusals, 5);
}

// ----- passwindows and nightwindows -----------------------------------------

// An answer of a windows tool: status 0 and no message, or status 1 with
// one line on standard error naming the tool and nothing on standard
// output.
void expect_one_line_or_rows(const std::string &tool, const Outcome &o) {
  if (o.status == 0) {
    EXPECT_EQ(o.err, "") << tool;
    return;
  }
  EXPECT_EQ(o.out, "") << tool;
  EXPECT_EQ(o.err.rfind(tool + ": ", 0), 0u) << o.err.substr(0, 200);
  EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err.substr(0, 200);
}

// Command lines of options, values, times and files of any kind.
TEST_F(GarbageTest, WindowsToolsAnswerGarbageInOneLine) {
  Garbage g(0x57494e44u);
  const std::string orbit = kData + "/windows/leo.org";
  const std::string broken = dir_ + "/broken.org";
  write_file(broken, first_lines(read_file(orbit), 30) + orbit_garbage(g, 200));
  static const char *const words[] = {
      "--min-elevation", "--mask", "--station", "--events", "--night", "--max-gap",
      "--format", "--help", "--version", "--bogus", "TS1", "TS2=5", "any", "both",
      "json", "tsv", "text", "csv", "-5", "95", "nan", "1e999", "10", "1907712000",
      "1907730000", "2030-06-15T01:00:00Z", "2030-06-15T00:30:00.5Z", "2030-02-30T00:00:00Z",
      "TS1=/nonexistent", "="};
  int refusals = 0, answers = 0;
  for (int round = 0; round < 60 && !HasFailure(); ++round) {
    const bool nights = round % 3 == 0;
    std::vector<std::string> args;
    for (std::size_t n = g.below(6); n > 0; --n)
      args.push_back(g.one_in(5) ? g.argument() : words[g.below(sizeof words / sizeof words[0])]);
    if (!nights && !g.one_in(6))
      args.insert(args.begin() + static_cast<long>(g.below(args.size() + 1)),
                  g.one_in(3) ? broken : orbit);
    const std::string tool = nights ? "nightwindows" : "passwindows";
    const Outcome o = run(tool, args);
    expect_one_line_or_rows(tool, o);
    (o.status == 0 ? answers : refusals) += 1;
  }
  EXPECT_GT(refusals, 20);
  EXPECT_GT(answers, 3);
  std::printf("windows tools: %d answers, %d refusals\n", answers, refusals);
}

// ----- meanbaseline ---------------------------------------------------------

// Runs meanbaseline on a fort.75 of the given bytes, with the arguments.
Outcome run_meanbaseline(const std::string &dir, const std::string &fort75,
                         const std::vector<std::string> &args = {}) {
  std::string input = dir + "/fort.75";
  std::ofstream(input, std::ios::binary | std::ios::trunc) << fort75;
  return run("meanbaseline", args, dir);
}

// n pairs of ordinary numbers, with white space of every kind between them.
std::string pairs(Garbage &g, std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < 2 * n; ++i) {
    s += std::to_string(static_cast<long>(g.below(2000)) - 1000) + "." +
         std::to_string(g.below(100));
    s += g.from(" \t\n\r\v\f", 1 + g.below(3));
  }
  return s;
}

TEST_F(GarbageTest, MeanbaselinePrintsNothingForGarbage) {
  Garbage g(0x464f5254u);
  const std::string no_number = not_a_number_alphabet();
  for (int round = 0; round < 60 && !HasFailure(); ++round) {
    std::string text;
    switch (round % 3) {
    case 0: // garbage alone, now and then a megabyte of it
      text = g.from(no_number, round == 0 ? 1024 * 1024 : 1 + g.below(3000));
      break;
    case 1: { // good pairs with one word of garbage among them
      const std::string before = pairs(g, g.below(8));
      text = before + " " + g.from(no_number, g.below(20)) + "# " + pairs(g, 4 + g.below(8));
      break;
    }
    default: { // a number left without its partner
      static const char *const lone[] = {"5", "-0", "1e999", "nan", "-inf", "0x1p3", ".5"};
      text = pairs(g, 4 + g.below(8)) + lone[g.below(7)] + g.from(" \n\t", g.below(3));
      break;
    }
    }
    // Make sure the garbage holds something other than white space.
    if (round % 3 == 0)
      text += "#";
    std::vector<std::string> args;
    if (g.one_in(4))
      args = {g.argument(), ""};
    const Outcome o = run_meanbaseline(dir_, text, args);
    EXPECT_EQ(o.status, 1) << "round " << round;
    EXPECT_EQ(o.out, "") << "round " << round;
    EXPECT_EQ(o.err, "") << "round " << round;
  }
}

TEST_F(GarbageTest, MeanbaselineOnExtremeNumbers) {
  // A megabyte-long line of pairs is read whole.
  std::string line;
  while (line.size() < 1024 * 1024)
    line += "1 2 ";
  Outcome o = run_meanbaseline(dir_, line);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, " 0.0  26.6");

  // A megabyte of digits is one number, too large for a double, and alone.
  o = run_meanbaseline(dir_, std::string(1024 * 1024, '7'));
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");

  // Overflowing, infinite and not-a-number values give an answer, never a
  // crash.
  Garbage g(0x4e414e53u);
  for (int round = 0; round < 12 && !HasFailure(); ++round) {
    std::string text;
    for (int i = 0; i < 8; ++i) {
      static const char *const values[] = {"1e308", "-1e308", "1e999", "inf",
                                           "-inf", "nan", "-nan", "0x1p1023",
                                           "4.9e-324", "0", "-0", "212.37"};
      text += std::string(values[g.below(12)]) + "\n";
    }
    o = run_meanbaseline(dir_, text);
    EXPECT_EQ(o.status, 0) << text;
    EXPECT_EQ(o.err, "");
    EXPECT_GE(o.out.size(), 10u) << text;
    EXPECT_EQ(o.out.find('\n'), std::string::npos);
  }
}

} // namespace
