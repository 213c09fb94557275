#include "text/between.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(TextBetween, Table) {
  struct Row {
    const char* name;
    std::string_view text, start, end;
    int startPosition;
    bool ignoreCase;
    Text expected;
  } rows[] = {
      {"anchor", "<A HREF=\"u\">here</A>", "<A HREF=\"", "\">here</A>", 0, false, "u"},
      {"markers back to back", "[]", "[", "]", 0, false, Text()},
      {"first start marker, next end marker", "[a[b]", "[", "]", 0, false, "a[b"},
      {"same marker both ends", "|a|b|", "|", "|", 0, false, "a"},
      {"end marker only before the start", "]x[a", "[", "]", 0, false, Text()},
      {"no end marker", "[abc", "[", "]", 0, false, Text()},
      {"start marker at the last byte", "ab[", "[", "]", 0, false, Text()},
      {"placeholder in a marker", "HREF=\"v\"", "HREF=#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", 0, false, "v"},
      {"placeholder bytes in the text do not match", "HREF=#\xD2\xFD\xBA\xC5v\"", "HREF=#\xD2\xFD\xBA\xC5", "\"", 0,
       false, Text()},
      {"ignoreCase", "<A HREF=\"u\">", "<a href=\"", "\">", 0, true, "u"},
      {"exact case by default", "<A HREF=\"u\">", "<a href=\"", "\">", 0, false, Text()},
      {"negative start position", "[a]", "[", "]", -4, false, "a"},
      {"start position skips a marker", "[a][b]", "[", "]", 2, false, "b"},
      {"start position past the end", "[a]", "[", "]", 9, false, Text()},
      {"empty start marker", "ab]c", "", "]", 0, false, "ab"},
      {"empty end marker", "[ab", "[", "", 0, false, Text()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Text value = TextBetween(row.text, row.start, row.end, row.startPosition, row.ignoreCase);
    EXPECT_EQ(value, row.expected);
    EXPECT_EQ(value.present(), row.expected.present());
  }
}

TEST(HeaderValue, Table) {
  struct Row {
    std::string_view line;
    Text expected;
  } rows[] = {
      {"Location: a://b/c", "a://b/c"}, {"Name:", Text()},     {"Name", Text()},
      {"", Text()},                     {"Name:   v  ", "v"},  {"Host: h:80", "h:80"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(HeaderValue(row.line), row.expected);
    EXPECT_EQ(HeaderValue(row.line).present(), row.expected.present());
  }
}

}  // namespace
}  // namespace quillory
