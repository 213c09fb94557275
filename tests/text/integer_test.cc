#include "text/integer.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(ToInt, Table) {
  struct Row {
    const char* name;
    std::string_view text;
    int expected;
  } rows[] = {
      {"leading space and trailing letters", " 42abc", 42},
      {"negative", "-7", -7},
      {"plus", "+7", 7},
      {"no hexadecimal", "0x1A", 0},
      {"empty", "", 0},
      {"full-width digits", "\xA3\xB8\xA3\xB0", 80},
      {"full-width minus and space", "\xA1\xA1\xA3\xAD" "5", -5},
      {"wraps at 2^31", "2147483648", -2147483648},
      {"wraps modulo 2^32", "4294967297", 1},
      {"white space of every kind", "\t\n\v\f\r 9", 9},
      {"sign alone", "-", 0},
      {"two signs", "+-3", 0},
      {"other two-byte characters stop the digits", "1\xB0\xB0" "2", 1},
      {"incomplete last character dropped", "12\xA3", 12},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToInt(row.text), row.expected);
  }
}

TEST(BitOr, CombinesFlags) {
  static_assert(BitOr(0x80000010u, 0x00200000, 0x00004000) == static_cast<std::int32_t>(0x80204010u));
  EXPECT_EQ(BitOr(1, 2), 3);
}

}  // namespace
}  // namespace quillory
