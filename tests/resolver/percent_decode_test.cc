#include "resolver/percent_decode.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(PercentDecode, Table) {
  struct Row {
    const char* name;
    std::string_view text;
    bool fromUtf8;
    Text expected;
  } rows[] = {
      {"escapes", "abc%41%62c", false, "abcAbc"},
      {"plus stays", "a+b%2Bc", false, "a+b+c"},
      {"lower-case hex", "%2f", false, "/"},
      {"one pass", "%2541", false, "%41"},
      {"zero byte adds nothing", "a%00b", false, "ab"},
      {"empty", "", false, Text()},
      {"UTF-8 bytes kept", "%E4%B8%AD", false, "\xE4\xB8\xAD"},
      {"UTF-8 converted to 936", "%E4%B8%AD", true, "\xD6\xD0"},
      {"high bytes copied", "\xD6\xD0%41", false, "\xD6\xD0" "A"},
      {"invalid digits: escape dropped", "a%zzb", false, "ab"},
      {"one invalid digit: escape dropped", "a%4zb", false, "ab"},
      {"percent last", "100%", false, "100"},
      {"percent next to last", "a%4", false, "a"},
      {"percent alone", "%", false, Text()},
      {"a percent inside a broken escape is taken with it", "%%41", false, "1"},
      {"invalid UTF-8 around a link", "%C0x%E6", true, "?x?"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Text decoded = PercentDecode(row.text, row.fromUtf8);
    EXPECT_EQ(decoded, row.expected);
    EXPECT_EQ(decoded.present(), row.expected.present());
  }
}

}  // namespace
}  // namespace quillory
