#include "text/transform.h"

#include <gtest/gtest.h>

#include <string>

namespace quillory {
namespace {

struct Row {
  const char* name;
  Text result;
  Text expected;
};

void ExpectRows(std::initializer_list<Row> rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.result, row.expected);
    EXPECT_EQ(row.result.present(), row.expected.present());
  }
}

TEST(Transform, CaseMappingLeavesTwoByteCharactersAlone) {
  ExpectRows({
      {"upper", ToUpper("\x61\xB0\x61\x62"), "\x41\xB0\x61\x42"},
      {"lower", ToLower("\x41\xB0\x41\x42"), "\x61\xB0\x41\x62"},
      {"incomplete last character unchanged", ToUpper("a\xB0"), "A\xB0"},
      {"empty", ToUpper(""), Text()},
  });
}

TEST(Transform, TrimBoth) {
  ExpectRows({
      {"spaces", TrimBoth("  a b  "), "a b"},
      {"tabs are not spaces", TrimBoth("\ta\t"), "\ta\t"},
      {"full-width spaces", TrimBoth("\xA1\xA1" "a" "\xA1\xA1"), "a"},
      {"only spaces", TrimBoth("   "), Text()},
      {"incomplete last character cut, spaces before it kept", TrimBoth("a \xB0"), "a "},
      {"A1 A1 as second and first byte is no space", TrimBoth("\xB0\xA1\xA1 "), "\xB0\xA1\xA1 "},
      {"line ends stay", TrimBoth(" a\r\n"), "a\r\n"},
  });
}

TEST(Transform, RemoveAllSpaces) {
  ExpectRows({
      {"spaces", RemoveAllSpaces(" a b "), "ab"},
      {"full-width space", RemoveAllSpaces("a\xA1\xA1" "b"), "ab"},
      {"incomplete last character dropped", RemoveAllSpaces("a b\xB0"), "ab"},
      {"only spaces", RemoveAllSpaces("  \xA1\xA1"), Text()},
  });
}

TEST(Transform, ReplaceText) {
  ExpectRows({
      {"left to right without overlap", ReplaceText("aaa", "aa", "b"), "ba"},
      {"everything removed gives absent", ReplaceText("abab", "ab", Text()), Text()},
      {"empty sought copies", ReplaceText("abc", "", "x"), "abc"},
      {"count 1", ReplaceText("a.b.c", ".", "-", {.count = 1}), "a-b.c"},
      {"count 0 copies", ReplaceText("a.b", ".", "-", {.count = 0}), "a.b"},
      {"negative count is no limit", ReplaceText("a.b.c", ".", "-", {.count = -3}), "a-b-c"},
      {"start copies the bytes before it", ReplaceText("a.b.c", ".", "-", {.start = 3}), "a.b-c"},
      {"start past the end copies", ReplaceText("a.b", ".", "-", {.start = 9}), "a.b"},
      {"inserted text is not searched again", ReplaceText("ab", "a", "aa"), "aab"},
      {"case-insensitive", ReplaceText("HTTP://x", "http://", Text(), {.caseSensitive = false}), "x"},
      {"no match on a second byte", ReplaceText("\xB0\x41" "A", "A", "x"), "\xB0\x41x"},
      {"incomplete last character met by the walk is dropped", ReplaceText("ab\xB0", "b", "c"), "ac"},
      {"incomplete character kept when the walk cannot reach it", ReplaceText("ab\xB0", "ab", "c"), "c\xB0"},
      {"kept when replacing stopped", ReplaceText("ab\xB0", "b", "c", {.count = 1}), "ac\xB0"},
      {"placeholder to quote", ReplaceText("HREF=#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", "\""), "HREF=\""},
  });
}

TEST(Transform, ReplaceTextIsLinearOnALongText) {
  std::string text(4 << 20, 'a');
  Text replaced = ReplaceText(text, "a", "bc");
  EXPECT_EQ(replaced.size(), text.size() * 2);
}

}  // namespace
}  // namespace quillory
