#include "text/split.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace quillory {
namespace {

struct Row {
  const char* name;
  std::string_view text;
  std::string_view delimiter;
  std::optional<int> maxCount;
  std::vector<Text> members;
};

TEST(SplitText, Table) {
  const Row rows[] = {
      {"empty members inside, none at the end", "a,,b,", ",", std::nullopt, {"a", Text(), "b"}},
      {"leading delimiter", ",a", ",", std::nullopt, {Text(), "a"}},
      {"empty text", "", ",", std::nullopt, {}},
      {"empty delimiter", "abc", "", std::nullopt, {"abc"}},
      {"max count", "a,b,c", ",", 2, {"a", "b"}},
      {"max count 0", "a,b", ",", 0, {}},
      {"negative max count counts as 0", "a,b", ",", -1, {}},
      {"line ends", "x\r\ny", "\r\n", std::nullopt, {"x", "y"}},
      {"no delimiter", "abc", ";", std::nullopt, {"abc"}},
      {"no cut on a second byte", "\xB0,a,b", ",", std::nullopt, {"\xB0,a", "b"}},
      {"incomplete last character kept in the last member", "a.\xB0", ".", std::nullopt, {"a", "\xB0"}},
      {"two-byte delimiter", "a\r\n\r\nb", "\r\n", std::nullopt, {"a", Text(), "b"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TextArray array = SplitText(row.text, row.delimiter, row.maxCount);
    ASSERT_EQ(ArraySize(array), static_cast<int>(row.members.size()));
    for (int i = 1; i <= ArraySize(array); ++i) {
      EXPECT_EQ(MemberAt(array, i), row.members[i - 1]);
      EXPECT_EQ(MemberAt(array, i).present(), row.members[i - 1].present());
    }
  }
}

TEST(SplitText, DefaultDelimiterIsAComma) {
  TextArray array = SplitText("a,b");
  ASSERT_EQ(ArraySize(array), 2);
  EXPECT_EQ(MemberAt(array, 2), "b");
}

}  // namespace
}  // namespace quillory
