#include "support/work_file.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::ScratchDir;

TEST(WorkFile, PrivateReadWriteStreamThatLeavesNoName) {
  ScratchDir dir(true);
  {
    FilePtr a = open_work_file();
    FilePtr b = open_work_file();
    ASSERT_TRUE(a && b);
    EXPECT_GE(std::fputs("first", a.get()), 0);
    std::fputs("second", b.get());
    std::rewind(a.get());
    std::rewind(b.get());
    char buf[16] = {};
    ASSERT_EQ(std::fread(buf, 1, sizeof buf, a.get()), 5u);
    EXPECT_STREQ(buf, "first");  // two work files never share their contents
    ASSERT_EQ(std::fread(buf, 1, 6, b.get()), 6u);
    EXPECT_EQ(std::string(buf, 6), "second");
    EXPECT_TRUE(testing::dir_names(dir.path()).empty());  // nothing named in the working directory
  }
  EXPECT_TRUE(testing::dir_names(dir.path()).empty());
}

}  // namespace
}  // namespace lettrix
