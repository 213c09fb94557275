#include "text/byte_set.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

using namespace std::string_view_literals;

TEST(ByteSet, HoldsZeroBytesAndAbsentReadsAsEmpty) {
  ByteSet bytes("a\0b"sv);
  EXPECT_EQ(ByteSetLength(bytes), 3);
  EXPECT_EQ(ByteSetLength(ByteSet()), 0);
  EXPECT_EQ(ByteSet().data(), nullptr);
}

TEST(ByteSet, BytesEqual) {
  struct Row {
    const char* name;
    ByteSet a, b;
    bool equal;
  } rows[] = {
      {"absent and present empty", ByteSet(), ByteSet(""sv), true},
      {"different lengths", ByteSet("a"sv), ByteSet("a\0"sv), false},
      {"same bytes", ByteSet("a\0b"sv), ByteSet("a\0b"sv), true},
      {"different bytes", ByteSet("ab"sv), ByteSet("ac"sv), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(BytesEqual(row.a, row.b), row.equal);
  }
}

TEST(ByteSet, BuildingAndCutting) {
  EXPECT_FALSE(ConcatBytes(ByteSet(), ByteSet()).present());
  EXPECT_EQ(ConcatBytes(ByteSet("a\0"sv), ByteSet(), ByteSet("b"sv)).bytes(), "a\0b"sv);
  EXPECT_FALSE(TextToBytes("").present());
  EXPECT_EQ(TextToBytes("abc").bytes(), "abc"sv);
  ByteSet four("abcd"sv);
  EXPECT_EQ(BytesLeft(four, 10), four);
  EXPECT_EQ(BytesLeft(four, 2).bytes(), "ab"sv);
  EXPECT_FALSE(BytesLeft(four, 0).present());
  EXPECT_FALSE(BytesLeft(four, -1).present());
  EXPECT_EQ(BlankBytes(3).bytes(), "\0\0\0"sv);
  EXPECT_FALSE(BlankBytes(0).present());
}

TEST(ByteSet, BytesToTextStopsAtTheFirstZeroByte) {
  EXPECT_EQ(BytesToText(ByteSet("a\0b"sv)), "a");
  EXPECT_EQ(BytesToText(ByteSet("abc"sv)), "abc");
  EXPECT_FALSE(BytesToText(ByteSet("\0b"sv)).present());
  EXPECT_FALSE(BytesToText(ByteSet()).present());
}

TEST(ByteSet, AppendingPiecesKeepsEveryByte) {
  ByteSet body;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    std::string piece(static_cast<std::size_t>(i % 1024), static_cast<char>(i));
    body.Append(piece);
    expected += piece;
  }
  EXPECT_EQ(body.bytes(), expected);
}

}  // namespace
}  // namespace quillory
