// common_test.cpp - what the kit's programs share (common/): the name a
// program shows for itself.
#include <gtest/gtest.h>

#include "program_name.h"

namespace {

TEST(ProgramName, ArgumentZeroVerbatimOrOwnName) {
  const char *path[] = {"/opt/kit/bin/../bin/azellimits", nullptr};
  EXPECT_STREQ(kit::program_name(1, path, "azellimits"), path[0]);
  const char *none[] = {nullptr};
  EXPECT_STREQ(kit::program_name(0, none, "azellimits"), "azellimits");
  EXPECT_STREQ(kit::program_name(0, nullptr, "elevlimits"), "elevlimits");
  // Linux turns an empty argument vector into one empty argument.
  const char *empty[] = {"", nullptr};
  EXPECT_STREQ(kit::program_name(1, empty, "polarlimits"), "polarlimits");
}

} // namespace
