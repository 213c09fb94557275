#include "text/text_array.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(TextArray, AppendCopiesAndMemberAtReplaces) {
  TextArray array;
  EXPECT_EQ(ArraySize(array), 0);
  Text first("a");
  AppendMember(array, first);
  AppendMember(array, Text());
  first = "changed";
  ASSERT_EQ(ArraySize(array), 2);
  EXPECT_EQ(MemberAt(array, 1), "a");
  EXPECT_FALSE(MemberAt(array, 2).present());
  MemberAt(array, 2) = "b";
  EXPECT_EQ(MemberAt(array, 2), "b");
}

TEST(TextArrayDeathTest, IndexOutsideTheArrayIsFatal) {
  TextArray array;
  AppendMember(array, "a");
  AppendMember(array, "b");
  EXPECT_EXIT((void)MemberAt(array, 0), testing::ExitedWithCode(255), "Error code: 4\n.*must be 1 or more");
  EXPECT_EXIT((void)MemberAt(array, 3), testing::ExitedWithCode(255), "Error code: 1\n.*beyond the defined range");
  EXPECT_EXIT((void)MemberAt(TextArray(), 1), testing::ExitedWithCode(255), "Error code: 1");
}

}  // namespace
}  // namespace quillory
