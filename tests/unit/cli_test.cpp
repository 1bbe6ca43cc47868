// cli_test.cpp - the command-line library: the four row formats and their
// cells, the command line parted with negative numbers as operands, option
// values, and output held in memory and in a temporary file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "held_output.h"
#include "options.h"
#include "table.h"

namespace {

// ----- rows -----------------------------------------------------------------

std::string table_text(cli::Format format, bool with_row) {
  char *text = nullptr;
  std::size_t size = 0;
  std::FILE *out = open_memstream(&text, &size);
  cli::Table t(out, format,
                  {{"station", 7, false},
                   {"pass", 4, true},
                   {"range_km", 8, true, "range"},
                   {"unix", 4, true, ""}});
  if (with_row) {
    t.row({cli::value("TS1"), cli::value("1"), cli::value("2776.082123", "2776.1"),
           cli::value("17")});
    t.row({cli::value("a\"b\\c\td\ne"), cli::value("12"), cli::none(),
           cli::none()});
  }
  EXPECT_TRUE(t.finish());
  std::fclose(out);
  std::string s(text, size);
  std::free(text);
  return s;
}

TEST(Table, FourFormats) {
  // The text table: its own headers and values, without the columns it
  // leaves out.
  EXPECT_EQ(table_text(cli::Format::text, true),
            "station  pass     range\n"
            "TS1         1    2776.1\n"
            "a\"b\\c\\x09d\\x0ae    12         -\n");
  // tsv: one field per column whatever a value holds.
  EXPECT_EQ(table_text(cli::Format::tsv, true),
            "station\tpass\trange_km\tunix\nTS1\t1\t2776.082123\t17\n"
            "a\"b\\\\c\\td\\ne\t12\t\t\n");
  // JSON: one array; JSON Lines: one object a line.
  EXPECT_EQ(table_text(cli::Format::json, true),
            "[\n{\"station\":\"TS1\",\"pass\":1,\"range_km\":2776.082123,\"unix\":17},\n"
            "{\"station\":\"a\\\"b\\\\c\\u0009d\\u000ae\",\"pass\":12,\"range_km\":null,"
            "\"unix\":null}\n]\n");
  EXPECT_EQ(table_text(cli::Format::jsonl, true),
            "{\"station\":\"TS1\",\"pass\":1,\"range_km\":2776.082123,\"unix\":17}\n"
            "{\"station\":\"a\\\"b\\\\c\\u0009d\\u000ae\",\"pass\":12,\"range_km\":null,"
            "\"unix\":null}\n");
  // No row: the header alone, an empty array, or nothing at all.
  EXPECT_EQ(table_text(cli::Format::tsv, false), "station\tpass\trange_km\tunix\n");
  EXPECT_EQ(table_text(cli::Format::json, false), "[\n]\n");
  EXPECT_EQ(table_text(cli::Format::jsonl, false), "");
  cli::Format f;
  EXPECT_TRUE(cli::parse_format("jsonl", f));
  EXPECT_EQ(f, cli::Format::jsonl);
  EXPECT_FALSE(cli::parse_format("csv", f));
  EXPECT_FALSE(cli::parse_format("JSON", f));
}

// The cells of instants, durations and numbers: machine text and the text
// table's shorter form.
TEST(Table, Cells) {
  std::vector<cli::Cell> row;
  cli::time_cells(1478326354.567, row);
  cli::time_cells(1478326354.567, row, cli::TextTime::time_of_day);
  cli::time_cells(NAN, row);
  cli::time_cells(-62135596800.999, row, cli::TextTime::date_second);
  cli::time_cells(1478326354.567, row, cli::TextTime::second_of_day);
  ASSERT_EQ(row.size(), 10u);
  EXPECT_EQ(row[6].display, "0000-12-31 23:59:59");
  EXPECT_EQ(row[6].text, "0000-12-31T23:59:59.001Z");
  EXPECT_EQ(row[8].display, "06:12:34");
  EXPECT_EQ(row[0].text, "2016-11-05T06:12:34.567Z");
  EXPECT_EQ(row[0].display, "2016-11-05 06:12:34.567");
  EXPECT_EQ(row[1].text, "1478326354.567");
  EXPECT_EQ(row[2].display, "06:12:34.567");
  EXPECT_FALSE(row[4].present);
  EXPECT_FALSE(row[5].present);
  const cli::Cell d = cli::duration_cell(1478304000.0, 1478304000.0 + 57361.5006);
  EXPECT_EQ(d.text, "57361.501");
  EXPECT_EQ(d.display, "15:56:02");
  // Ten characters at most, however long: days from 10000 hours on.
  EXPECT_EQ(cli::duration_cell(0.0, 10000 * 3600.0 - 0.501).display, "9999:59:59");
  EXPECT_EQ(cli::duration_cell(0.0, 10000 * 3600.0 - 0.5).display, "416d16h00m");
  EXPECT_EQ(cli::duration_cell(0.0, 36279029.5).display, "419d21h30m");
  EXPECT_EQ(cli::duration_cell(0.0, 864e5 - 30.001).display, "999d23h59m");
  EXPECT_EQ(cli::duration_cell(0.0, 864e5 - 30.0).display, "1000d");
  EXPECT_EQ(cli::duration_cell(-1096225401600.0, 971890963200.0).display, "23936532d");
  const cli::Cell n = cli::number_cell(-0.0000001, 6, 1);
  EXPECT_EQ(n.text, "0.000000");
  EXPECT_EQ(n.display, "0.0");
  EXPECT_EQ(cli::number_cell(83.18212345, 6, 1).text, "83.182123");
  for (const double v : {INFINITY, -INFINITY, NAN})
    EXPECT_FALSE(cli::number_cell(v, 6, 1).present);
}

// The command line as getopt_long then reads it: options first, their
// values with them (a negative value included), then the operands, among
// them negative numbers and "-", and whatever follows "--".
TEST(Options, ArrangedWithNegativeNumbersAsOperands) {
  const option longs[] = {{"min-elevation", required_argument, nullptr, 1},
                          {"events", no_argument, nullptr, 2},
                          {"format", required_argument, nullptr, 3},
                          {"tracked", required_argument, nullptr, 4},
                          {"track", required_argument, nullptr, 5},
                          {"tracked-by", required_argument, nullptr, 6},
                          {nullptr, 0, nullptr, 0}};
  // "--track" is whole though "--tracked" and "--tracked-by" begin with it.
  std::vector<std::string> args = {"tool", "orbit", "-1e12", "--min-elevation", "-5",
                                   "--ev", "-.5", "-", "--format=tsv", "--track", "60",
                                   "-h", "--", "--events", "-h"};
  std::vector<char *> argv;
  for (std::string &a : args)
    argv.push_back(a.data());
  const cli::Arguments arranged =
      cli::arrange_arguments(static_cast<int>(argv.size()), argv.data(), "h", longs);
  std::vector<std::string> options, operands;
  for (char *a : arranged.options)
    options.push_back(a == nullptr ? "(null)" : a);
  for (char *a : arranged.operands)
    operands.push_back(a);
  EXPECT_EQ(options, (std::vector<std::string>{"tool", "--min-elevation", "-5", "--ev",
                                               "--format=tsv", "--track", "60", "-h",
                                               "(null)"}));
  EXPECT_EQ(operands,
            (std::vector<std::string>{"orbit", "-1e12", "-.5", "-", "--events", "-h"}));
  // An option whose value is missing stays last, for getopt_long to say so.
  std::vector<std::string> dangling = {"tool", "orbit", "--format"};
  std::vector<char *> dargv;
  for (std::string &a : dangling)
    dargv.push_back(a.data());
  const cli::Arguments d = cli::arrange_arguments(3, dargv.data(), "h", longs);
  ASSERT_EQ(d.options.size(), 3u);
  EXPECT_STREQ(d.options[1], "--format");
  EXPECT_EQ(d.options[2], nullptr);
}

TEST(Options, NumbersAndAssignments) {
  double v = 7.0;
  EXPECT_TRUE(cli::parse_number("-12.5", v));
  EXPECT_EQ(v, -12.5);
  for (const char *bad : {"", "1x", "inf", "nan", "1e999", " ", " 10", "10 ", "0xA", "1e", ".",
                          "-", "+-1", "1.2.3"}) {
    EXPECT_FALSE(cli::parse_number(bad, v)) << bad;
    EXPECT_EQ(v, -12.5);
  }
  for (const auto &[text, want] : {std::pair{".5", 0.5}, {"+5", 5.0}, {"5.", 5.0}, {"1E2", 100.0},
                                   {"1e-400", 0.0}}) {
    EXPECT_TRUE(cli::parse_number(text, v)) << text;
    EXPECT_EQ(v, want) << text;
  }
  // A quoted text stays on one line whatever it holds.
  EXPECT_EQ(cli::quoted("a b"), "'a b'");
  EXPECT_EQ(cli::quoted("it's\\n\n\t\x7f"), "'it\\'s\\\\n\\x0a\\x09\\x7f'");
  std::string name, value;
  EXPECT_TRUE(cli::split_assignment("TS1=10=x", name, value));
  EXPECT_EQ(name, "TS1");
  EXPECT_EQ(value, "10=x");
  EXPECT_FALSE(cli::split_assignment("10", name, value));
}

// ----- held output -----------------------------------------------------------

std::string memory_copy(cli::HeldOutput &held, bool &ok) {
  char *text = nullptr;
  std::size_t size = 0;
  std::FILE *out = open_memstream(&text, &size);
  ok = held.copy_to(out);
  std::fclose(out);
  std::string s(text, size);
  std::free(text);
  return s;
}

// Past its memory the output goes to a temporary file in TMPDIR, removed at
// once, and comes back whole; a TMPDIR that cannot take it is a failure,
// not a silent loss.
TEST(HeldOutput, SpillsIntoTmpdirAndComesBackWhole) {
  const char *saved = std::getenv("TMPDIR");
  const std::string keep = saved != nullptr ? saved : "";
  char folder[] = "/tmp/held-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  setenv("TMPDIR", folder, 1);
  std::string want;
  for (int i = 0; i < 20000; ++i)
    want += "row " + std::to_string(i) + "\n";
  {
    cli::HeldOutput held(64);
    std::fputs(want.c_str(), held.stream());
    bool ok = false;
    EXPECT_EQ(memory_copy(held, ok), want);
    EXPECT_TRUE(ok) << held.problem();
    EXPECT_EQ(rmdir(folder), 0) << "the temporary file was left in the folder";
  }
  setenv("TMPDIR", "/nonexistent/folder", 1);
  {
    cli::HeldOutput held(64);
    std::fputs(want.c_str(), held.stream());
    bool ok = true;
    memory_copy(held, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(held.problem(),
              "cannot make a temporary file in '/nonexistent/folder': No such file or directory");
  }
  // Small output needs no temporary file at all.
  {
    cli::HeldOutput held;
    std::fputs("one row\n", held.stream());
    bool ok = false;
    EXPECT_EQ(memory_copy(held, ok), "one row\n");
    EXPECT_TRUE(ok);
  }
  if (saved != nullptr)
    setenv("TMPDIR", keep.c_str(), 1);
  else
    unsetenv("TMPDIR");
}

// With standard output closed, the temporary file never takes its
// descriptor (where copying the output to standard output would copy it
// into itself).
TEST(HeldOutput, NeverOnAStandardDescriptor) {
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  ASSERT_GE(saved, 0);
  close(STDOUT_FILENO);
  bool closed_after = false;
  {
    cli::HeldOutput held(0);
    std::fputs("spilled at once\n", held.stream());
    std::fflush(held.stream());
    closed_after = fcntl(STDOUT_FILENO, F_GETFD) == -1;
    bool ok = false;
    const std::string copy = memory_copy(held, ok);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    EXPECT_EQ(copy, "spilled at once\n");
    EXPECT_TRUE(ok);
  }
  EXPECT_TRUE(closed_after);
}

} // namespace
