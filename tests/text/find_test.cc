#include "text/find.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quillory {
namespace {

struct FindRow {
  const char* name;
  std::string_view text;
  std::string_view sought;
  std::optional<int> start;
  bool ignoreCase;
  int forward;  // FindText
  int reverse;  // FindTextReverse
};

TEST(FindText, BothDirectionsAgreeWithTheTable) {
  const FindRow rows[] = {
      {"plain", "a.b.c", ".", std::nullopt, false, 2, 4},
      {"from 3 / before 3", "a.b.c", ".", 3, false, 4, 2},
      {"from 4 / within the first 3 bytes", "a.b.c", ".", 4, false, 4, 2},
      {"past the end / the whole text", "a.b.c", ".", 6, false, -1, 4},
      {"start 2", "a.b.c", ".", 2, false, 2, -1},
      {"start 0 scans all / reverse range is empty", "a.b.c", ".", 0, false, 2, -1},
      {"negative start", "a.b.c", ".", -5, false, 2, -1},
      {"occurrence must lie within the range", "a.b.c", "b.c", 5, false, -1, -1},
      {"whole text", "a.b.c", "b.c", std::nullopt, false, 3, 3},
      {"start equal to length drops the last byte", "abcab", "ab", 5, false, -1, 1},
      {"empty sought in range", "abc", "", 2, false, 1, 1},
      {"empty sought, empty text", "", "", std::nullopt, false, -1, -1},
      {"sought longer than text", "ab", "abc", std::nullopt, false, -1, -1},
      {"second byte of a two-byte character is no candidate", "\xB0\x41\x42", "A", std::nullopt, false, -1, -1},
      {"after a two-byte character", "\xB0\x41\x42", "B", std::nullopt, false, 3, 3},
      {"boundaries count from the scan start", "\xB0\x41\x42", "A", 2, false, 2, -1},
      {"two-byte characters in a row", "\xB0\xB0\xB0\xB0", "\xB0\xB0", std::nullopt, false, 1, 3},
      {"odd run hides the match", "\xB0\xB0\x41", "\xB0\x41", std::nullopt, false, -1, -1},
      {"incomplete last character still compared", "a\xB0", "\xB0", std::nullopt, false, 2, 2},
      {"case folded", "User-Agent: x", "user-agent:", std::nullopt, true, 1, 1},
      {"case not folded", "User-Agent: x", "user-agent:", std::nullopt, false, -1, -1},
      {"second bytes are folded too", "\xB0\x41", "\xB0\x61", std::nullopt, true, 1, 1},
      {"second bytes are compared exactly without ignoreCase", "\xB0\x41", "\xB0\x61", std::nullopt, false, -1, -1},
      {"only ASCII letters fold", "\xC0", "\xE0", std::nullopt, true, -1, -1},
  };
  for (const FindRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FindText(row.text, row.sought, row.start, row.ignoreCase), row.forward);
    EXPECT_EQ(FindTextReverse(row.text, row.sought, row.start, row.ignoreCase), row.reverse);
  }
}

TEST(FindText, FindsTheMarkerAtTheEndOfALargeMixedPage) {
  std::string page;
  for (int i = 0; i < 100000; ++i) page += "ab\xD6\xD0%41 ";
  page += "\">here</A>";
  int expected = static_cast<int>(page.size()) - 9;
  EXPECT_EQ(FindText(page, "\">here</A>"), expected);
  EXPECT_EQ(FindTextReverse(page, "\">here</A>"), expected);
  EXPECT_EQ(FindText(page, "\">HERE</a>", std::nullopt, true), expected);
}

}  // namespace
}  // namespace quillory
