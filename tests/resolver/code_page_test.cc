#include "resolver/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace quillory {
namespace {

using namespace std::string_view_literals;

// UTF-16 code units as the little-endian bytes of a unit ByteSet, with the
// terminating zero unit.
ByteSet Units(std::u16string_view units) {
  std::string bytes;
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  bytes.append(2, '\0');
  return ByteSet(bytes);
}

TEST(CodePage, MultiByteToUnicodeWritesLittleEndianUnitsAndAZeroUnit) {
  EXPECT_EQ(MultiByteToUnicode("ab").bytes(), "a\0b\0\0\0"sv);
  EXPECT_EQ(UnicodeToMultiByte(MultiByteToUnicode("ab")), "ab");
  EXPECT_EQ(MultiByteToUnicode(Text("")).bytes(), "\0\0"sv);
  EXPECT_FALSE(MultiByteToUnicode(Text()).present());
  EXPECT_FALSE(UnicodeToMultiByte(ByteSet()).present());
  EXPECT_FALSE(UnicodeToMultiByte(Units(u"")).present());
}

TEST(CodePage, Utf8InvalidSequencesBecomeOneReplacementEach) {
  struct Row {
    const char* name;
    std::string_view utf8;
    std::u16string_view units;
  } rows[] = {
      {"C0", "\xC0", u"\uFFFD"},
      {"E0 20 C0", "\xE0\x20\xC0", u"\uFFFD \uFFFD"},
      {"truncated E6 at the end", "a\xE6", u"a\uFFFD"},
      {"truncated three-byte sequence", "\xE6\xB8" "a", u"\uFFFDa"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"four bytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"valid", "\xE4\xB8\xAD", u"\u4E2D"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(MultiByteToUnicode(row.utf8), Units(row.units));
  }
}

TEST(CodePage, UnicodeTo936AsWindowsWritesIt) {
  struct Row {
    const char* name;
    std::u16string_view units;
    std::string_view gbk;
  } rows[] = {
      {"U+4E2D", u"\u4E2D", "\xD6\xD0"},
      {"euro", u"\u20AC", "\x80"},
      {"cent", u"\u00A2", "\xA1\xE9"},
      {"best fit superscript two", u"\u00B2", "2"},
      {"best fit feminine ordinal", u"\u00AA", "a"},
      {"zero width space", u"\u200B", "?"},
      {"byte order mark", u"\uFEFF", "?"},
      {"outside the BMP, one ? per unit", u"a\U0001F600b", "a??b"},
      {"lone surrogate", u"\xD800" "a", "?a"},
      {"ideographic space", u"\u3000", "\xA1\xA1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(UnicodeToMultiByte(Units(row.units), 936), Text(row.gbk));
    EXPECT_EQ(UnicodeToMultiByte(Units(row.units)), Text(row.gbk)) << "code page 0 is 936 here";
  }
}

TEST(CodePage, Utf8ToAnsiConvertsTo936) {
  EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD\xE6\x96\x87 ok"), "\xD6\xD0\xCE\xC4 ok");
  EXPECT_EQ(Utf8ToAnsi("a\xC0z"), "a?z");
  EXPECT_FALSE(Utf8ToAnsi(Text()).present());
}

TEST(CodePage, Code936ReadsBackAndRoundTrips) {
  Text gbk("\xD6\xD0\xCE\xC4\x80" "abc\xA1\xA1");
  EXPECT_EQ(MultiByteToUnicode(gbk, 936), Units(u"\u4E2D\u6587\u20ACabc\u3000"));
  EXPECT_EQ(UnicodeToMultiByte(MultiByteToUnicode(gbk, 936), 936), gbk);
  EXPECT_EQ(UnicodeToMultiByte(MultiByteToUnicode(gbk, 0), 65001), "\xE4\xB8\xAD\xE6\x96\x87\xE2\x82\xAC" "abc\xE3\x80\x80");
}

TEST(CodePage, UnsupportedCodePagesAndUnitsWithoutAZeroUnit) {
  EXPECT_FALSE(MultiByteToUnicode("ab", 12345).present());
  EXPECT_FALSE(UnicodeToMultiByte(Units(u"ab"), 12345).present());
  // No zero unit: the conversion stops at the end, and a lone last byte is
  // not a unit.
  EXPECT_EQ(UnicodeToMultiByte(ByteSet("a\0b\0c"sv), 936), "ab");
  EXPECT_EQ(UnicodeToMultiByte(ByteSet("a\0\0\0b\0"sv), 936), "a");
}

}  // namespace
}  // namespace quillory
