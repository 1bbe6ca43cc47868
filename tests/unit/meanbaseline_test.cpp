// Unit tests of meanbaseline: the pair reader on temporary files, the
// reduction and fold, and the answer line on a stream that cannot take it.
#include "meanbaseline.h"
#include "spawn_program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using baseline::PairSums;
using baseline::ReadStatus;

PairSums read_text(const char *text) {
  std::FILE *in = std::tmpfile();
  if (in == nullptr) {
    ADD_FAILURE() << "tmpfile failed";
    return {ReadStatus::read_error, 0, 0.0, 0.0};
  }
  std::fputs(text, in);
  std::rewind(in);
  const PairSums sums = baseline::read_pairs(in);
  std::fclose(in);
  return sums;
}

TEST(MeanBaselineRead, NonNumericTokenEndsTheRead) {
  // Anywhere in a pair, and after whole pairs: the read returns.
  for (const char *text : {"1 2 x 4 5 6", "1 2 3 y 5 6", "1 2 3 4 end"}) {
    const PairSums s = read_text(text);
    EXPECT_EQ(s.status, ReadStatus::not_pairs) << text;
  }
  EXPECT_EQ(read_text("1 2 3 4 end").count, 2);
}

TEST(MeanBaselineRead, LoneFinalNumberIsNotAPair) {
  const PairSums s = read_text("1 2\n3 4\n5 6\n7 8\n9\n");
  EXPECT_EQ(s.status, ReadStatus::not_pairs);
  EXPECT_EQ(s.count, 4);
}

TEST(MeanBaselineRead, EmptyAndBlankInputReadNoPairs) {
  for (const char *text : {"", " ", " \n\t \n"}) {
    const PairSums s = read_text(text);
    EXPECT_EQ(s.status, ReadStatus::ok);
    EXPECT_EQ(s.count, 0);
  }
}

TEST(MeanBaselineRead, StreamErrorIsReported) {
  // A directory opens for reading on Linux, but every read fails.
  std::FILE *dir = std::fopen(".", "r");
  ASSERT_NE(dir, nullptr);
  EXPECT_EQ(baseline::read_pairs(dir).status, ReadStatus::read_error);
  std::fclose(dir);
}

TEST(MeanBaselineReduce, AngleJustBelowZeroFoldsJustBelow180) {
  const baseline::MeanBaseline b = baseline::reduce_pairs(4, -4e-9, 400.0);
  EXPECT_LT(b.angle_deg, 180.0);
  EXPECT_GT(b.angle_deg, 179.999999);
  EXPECT_EQ(baseline::reduce_pairs(4, 0.0, 400.0).angle_deg, 0.0);
  EXPECT_EQ(baseline::reduce_pairs(4, 0.0, -400.0).angle_deg, 180.0);
}

TEST(MeanBaselineReduce, NotANumberIsNotFolded) {
  const baseline::MeanBaseline b =
      baseline::reduce_pairs(4, -std::nan(""), 1.0);
  EXPECT_TRUE(std::isnan(b.length));
  EXPECT_TRUE(std::isnan(b.angle_deg));
  EXPECT_TRUE(std::signbit(b.angle_deg));
}

TEST(MeanBaselineWrite, FullDeviceIsAFailure) {
  std::FILE *out = std::fopen("/dev/full", "w");
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(baseline::write_mean_baseline(out, {1.0, 90.0}), 1);
  std::fclose(out);
}

// The program itself: an answer that could not be written is not a success.
TEST(MeanBaselineProgram, UnwritableOutputExitsWithOne) {
  const std::string dir = kit_test::make_temp_dir();
  const std::string input = dir + "/fort.75";
  std::FILE *f = std::fopen(input.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("212.37 0\n212.37 0\n212.37 0\n212.37 0\n", f);
  std::fclose(f);
  const std::string prog = std::string(KIT_BIN_DIR) + "/meanbaseline";

  const kit_test::SpawnResult ok =
      kit_test::spawn_program(prog, {"meanbaseline"}, dir);
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.out, " 1.0  90.0");

  const kit_test::SpawnResult full =
      kit_test::spawn_program(prog, {"meanbaseline"}, dir, "/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "");

  std::remove(input.c_str());
  rmdir(dir.c_str());
}

} // namespace
