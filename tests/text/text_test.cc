#include "text/text.h"

#include <gtest/gtest.h>

#include <string>

namespace quillory {
namespace {

using namespace std::string_view_literals;

TEST(Text, AbsentAndPresentEmptyDifferOnlyAtThePlatformPointer) {
  Text absent;
  Text empty("");
  EXPECT_FALSE(absent.present());
  EXPECT_EQ(absent.c_str(), nullptr);
  ASSERT_TRUE(empty.present());
  ASSERT_NE(empty.c_str(), nullptr);
  EXPECT_EQ(*empty.c_str(), '\0');
  EXPECT_EQ(absent, empty);
  EXPECT_EQ(TextLength(absent), 0);
  EXPECT_EQ(CompareText(absent, ""), 0);
}

TEST(Text, EndsAtItsFirstZeroByteAndStaysTerminated) {
  Text text("ab\0cd"sv);
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(text.c_str()[2], '\0');
}

TEST(Text, CopiesOwnTheirBytes) {
  Text original("abc");
  Text copy = original;
  original = Text("x");
  EXPECT_EQ(copy, "abc");
  copy = copy;  // self-assignment keeps the value
  EXPECT_EQ(copy, "abc");
}

TEST(Text, CompareTextOrdersUnsignedBytes) {
  struct Row {
    std::string_view a, b;
    int expected;
  } rows[] = {
      {"a", "ab", -1}, {"b", "a", 1}, {"\x80", "a", 1}, {"abc", "abc", 0}, {"", "a", -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.a) + " vs " + std::string(row.b));
    EXPECT_EQ(CompareText(row.a, row.b), row.expected);
  }
}

TEST(Text, ConcatTextIsAlwaysPresent) {
  Text joined = ConcatText(Text(), "");
  EXPECT_TRUE(joined.present());
  EXPECT_NE(joined.c_str(), nullptr);
  EXPECT_EQ(ConcatText("ab", Text(), "c", Text("d")), "abcd");
}

TEST(Text, CharFromCodeZeroIsAbsentAndHighBytesJoinIntoCharacters) {
  EXPECT_FALSE(CharFromCode(0).present());
  EXPECT_EQ(CharFromCode(65), "A");
  EXPECT_EQ(ConcatText(CharFromCode(0xD6), CharFromCode(0xD0)), "\xD6\xD0");
  EXPECT_EQ(ConcatText("a", CharFromCode(0), "b"), "ab");
}

TEST(Text, BlankText) {
  EXPECT_EQ(BlankText(3), "   ");
  EXPECT_FALSE(BlankText(0).present());
  EXPECT_FALSE(BlankText(-2).present());
}

TEST(Text, CuttingClampsAndGivesAbsentForEmptyResults) {
  struct Row {
    const char* name;
    Text result;
    Text expected;
  } rows[] = {
      {"mid from 0", TextMid("abc", 0, 2), Text()},
      {"mid past end of length", TextMid("abc", 3, 5), "c"},
      {"mid start after end", TextMid("abc", 4, 1), Text()},
      {"mid zero length", TextMid("abc", 2, 0), Text()},
      {"mid middle", TextMid("abcd", 2, 2), "bc"},
      {"left over length", TextLeft("abc", 5), "abc"},
      {"left zero", TextLeft("abc", 0), Text()},
      {"right negative", TextRight("abc", -1), Text()},
      {"right two", TextRight("abc", 2), "bc"},
      {"left cuts a character in half", TextLeft("\xD6\xD0", 1), "\xD6"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.result, row.expected);
    EXPECT_EQ(row.result.present(), row.expected.present());
  }
}

TEST(Text, ViewOfANonTerminatedBufferIsNotReadPastItsEnd) {
  const char buffer[] = {'a', 'b', 'c', 'd'};
  std::string_view view(buffer, 3);
  EXPECT_EQ(TextRight(view, 10), "abc");
  EXPECT_EQ(Text(view).c_str()[3], '\0');
}

}  // namespace
}  // namespace quillory
