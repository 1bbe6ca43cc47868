// orbit_reader_test.cpp - the buffered reading of orbit files: the same
// records as the formatted reading, whatever the layout, the line of a
// fault, and records cut by the edge of the buffer.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "orbit_input.h"
#include "orbit_reader.h"
#include "orbit_record.h"

namespace {

const std::string kData = KIT_TEST_DATA;

struct Read {
  std::vector<OrbitRecord> records;
  tracking::OrbitReader::Status last;
  long line;
};

Read read_text(const std::string &text, tracking::OrbitReader::Rules rules = {true, true}) {
  std::FILE *f = std::tmpfile();
  EXPECT_NE(f, nullptr);
  std::fwrite(text.data(), 1, text.size(), f);
  std::rewind(f);
  Read out;
  tracking::OrbitReader reader(f, rules);
  OrbitRecord r;
  while ((out.last = reader.next(r)) == tracking::OrbitReader::Status::record)
    out.records.push_back(r);
  out.line = reader.line();
  std::fclose(f);
  return out;
}

std::vector<std::string> sample_lines() {
  std::ifstream in(kData + "/windows/leo.org");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::string joined(const std::vector<std::string> &lines) {
  std::string s;
  for (const std::string &l : lines)
    s += l + "\n";
  return s;
}

void expect_same(const std::vector<OrbitRecord> &a,
                 const std::vector<OrbitRecord> &b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].stamp.record_time(), b[i].stamp.record_time()) << i;
    EXPECT_EQ(a[i].x, b[i].x) << i;
    EXPECT_EQ(a[i].vz, b[i].vz) << i;
  }
}

// The fields of a record line, split at its blanks.
std::vector<std::string> fields(const std::string &line) {
  std::istringstream in(line);
  std::vector<std::string> f;
  for (std::string w; in >> w;)
    f.push_back(w);
  return f;
}

} // namespace

// Layouts the formatted reading reads alike give the same records, bit for
// bit: white space of every length (beyond the buffer, across its edge),
// a sign that sends a record to the formatted reading with its last number
// cut by the edge, comments, and a file that is a single line.
TEST(OrbitReader, EveryLayoutTheSameRecords) {
  const std::vector<std::string> lines = sample_lines();
  const Read plain = read_text(joined(lines));
  ASSERT_EQ(plain.last, tracking::OrbitReader::Status::end);
  ASSERT_GT(plain.records.size(), 300u);
  for (const std::size_t lead : {0u, 100u, 65000u, 65536u - 40u, 50574u, 300000u}) {
    for (const std::size_t gap : {1u, 256u, 257u, 5000u, 70000u}) {
      std::vector<std::string> edited = lines;
      std::vector<std::string> f = fields(edited[99]);
      for (std::size_t k = 1; k < 6; ++k)
        if (f[k][0] != '-') {
          f[k] = "+" + f[k];
          break;
        }
      f[6] += std::string(60, '0');
      std::string record = f[0];
      for (std::size_t k = 1; k < f.size(); ++k)
        record += (k == 6 ? std::string(gap, gap % 2 ? '\n' : ' ') : std::string(" ")) + f[k];
      edited[99] = record + "   # a comment\n\n";
      const std::string text = std::string(lead, ' ') + joined(edited);
      SCOPED_TRACE(std::to_string(lead) + " " + std::to_string(gap));
      const Read r = read_text(text);
      EXPECT_EQ(r.last, tracking::OrbitReader::Status::end);
      expect_same(r.records, plain.records);
    }
  }
  std::string one_line;
  for (const std::string &l : lines)
    one_line += l + std::string(300, ' ');
  expect_same(read_text(one_line).records, plain.records);
}

// A fault is named by the line its record begins on, blank lines and long
// runs of them counted, within a record or between records.
TEST(OrbitReader, AFaultNamedByItsLine) {
  std::vector<std::string> lines = sample_lines();
  lines.resize(20);
  const std::string runs = std::string(1000, '\n') + std::string(3, ' ') + std::string(700, '\n');
  std::string text;
  long line = 1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::vector<std::string> f = fields(lines[i]);
    for (std::size_t k = 0; k < f.size(); ++k)
      text += (k == 0 ? "" : k == 4 ? runs : " ") + f[k];
    text += "\n" + runs;
    line += 2 * 1700 + 1;
  }
  text += "2016-11-05T05:41:00 1 2 three 4 5 6\n";
  const Read r = read_text(text);
  EXPECT_EQ(r.records.size(), 20u);
  EXPECT_EQ(r.last, tracking::OrbitReader::Status::unreadable);
  EXPECT_EQ(r.line, line);
}

// A Z ends the second only where white space follows it; without the zulu
// rule it is text where a number is expected.  A record one number short,
// or cut at the end of the file, is unreadable.
TEST(OrbitReader, TheSecondAndTheLastNumber) {
  const std::string good = "2016-11-05T05:41:00Z 4183.04 -4240.8 -7411.1 5.64 6.77 1.5\n";
  EXPECT_EQ(read_text(good).records.size(), 1u);
  EXPECT_EQ(read_text(good, {true, false}).last, tracking::OrbitReader::Status::unreadable);
  for (const char *bad : {"2016-11-05T05:41:00Z.000 4183.04 -4240.8 -7411.1 5.64 6.77\n",
                          "2016-11-05T05:41:00Zx 4183.04 -4240.8 -7411.1 5.64 6.77 1.5\n",
                          "2016-11-05T05:41:00 +4183.04 -4240.8 -7411.1 5.64 6.77\n",
                          "2016-11-05T05:41:00 4183.04 -4240.8 -7411.1 5.64 6.77"}) {
    const Read r = read_text(std::string(good) + bad);
    EXPECT_EQ(r.records.size(), 1u) << bad;
    EXPECT_EQ(r.last, tracking::OrbitReader::Status::unreadable) << bad;
    EXPECT_EQ(r.line, 2) << bad;
  }
}

namespace {

// What is read of a file to tell its form: a pipe gives every byte again,
// from the first, and a regular file is set back where it stood.
struct Told {
  tracking::OrbitForm form;
  std::string bytes;
};

std::string rest_of(std::FILE *f) {
  std::string bytes;
  for (int c; (c = std::getc(f)) != EOF;)
    bytes.push_back(static_cast<char>(c));
  return bytes;
}

Told tell_from_pipe(const std::string &text) {
  int fds[2];
  EXPECT_EQ(pipe(fds), 0);
  std::thread writer([&text, fd = fds[1]] {
    for (std::size_t at = 0; at < text.size();) {
      const ssize_t n = write(fd, text.data() + at, text.size() - at);
      if (n <= 0)
        break;
      at += static_cast<std::size_t>(n);
    }
    close(fd);
  });
  std::FILE *f = fdopen(fds[0], "r");
  Told told;
  {
    tracking::OrbitInput input(f);
    EXPECT_FALSE(input.failed());
    told = {input.form(), rest_of(input.stream())};
  }
  writer.join();
  std::fclose(f);
  return told;
}

Told tell_from_file(const std::string &text, long skip) {
  std::FILE *f = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), f);
  std::fseek(f, skip, SEEK_SET);
  tracking::OrbitInput input(f);
  EXPECT_FALSE(input.failed());
  EXPECT_EQ(input.stream(), f);
  Told told{input.form(), rest_of(input.stream())};
  std::fclose(f);
  return told;
}

} // namespace

TEST(OrbitInput, TheFormByTheFirstKeywordAndEveryByteAfter) {
  using tracking::OrbitForm;
  const std::string records = "2016-11-05T05:41:00 4183.04 -4240.8 -7411.1 5.64 6.77\n";
  const std::string long_blank(5000, ' ');
  const struct {
    std::string text;
    OrbitForm form;
  } cases[] = {
      {records, OrbitForm::records},
      {"CCSDS_OEM_VERS = 2.0\nCREATION_DATE = 2016-11-05\n", OrbitForm::message},
      {"\xEF\xBB\xBF \r\n\tCCSDS_OEM_VERS=3.0\n", OrbitForm::message},
      {long_blank + "CCSDS_OEM_VERS = 1.0\n", OrbitForm::message},
      {std::string((1 << 20) + 1, '\n') + "CCSDS_OEM_VERS = 1.0\n", OrbitForm::records},
      {"<?xml version=\"1.0\"?>\n<oem/>\n", OrbitForm::xml_message},
      {"CCSDS_OEM", OrbitForm::records},
      {"CCSDS_OPM_VERS = 2.0\n", OrbitForm::records},
      {"", OrbitForm::records},
  };
  for (const auto &c : cases) {
    const Told piped = tell_from_pipe(c.text);
    EXPECT_EQ(piped.form, c.form) << c.text.substr(0, 40);
    EXPECT_EQ(piped.bytes, c.text) << c.text.substr(0, 40);
    const Told filed = tell_from_file("x" + c.text, 1);
    EXPECT_EQ(filed.form, c.form) << c.text.substr(0, 40);
    EXPECT_EQ(filed.bytes, c.text) << c.text.substr(0, 40);
  }
}

