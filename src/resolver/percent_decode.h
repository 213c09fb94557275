#pragma once

#include "text/text.h"

namespace quillory {

// Decodes "%" escapes in one pass: "%" and the two bytes after it become the
// byte they name in hexadecimal (either case). "+" and every other byte stay
// as they are, and a byte produced by an escape is never read again, so
// "%2541" gives "%41".
//
// An escape always takes the "%" and the two bytes after it, as many as the
// text still has. One that does not name a byte other than zero (no two hex
// digits, "%" in one of the last two positions, or "%00") adds nothing: a
// Text cannot hold a zero byte, and a guessed byte would corrupt the text.
//
// With `fromUtf8`, the decoded bytes are then read as UTF-8 and converted to
// code page 936 (Utf8ToAnsi).
//
//   PercentDecode("abc%41%62c") == "abcAbc"
[[nodiscard]] Text PercentDecode(const Text& text, bool fromUtf8 = false);

// PercentDecode of bytes that hold no zero byte, without making a Text of
// them first.
[[nodiscard]] Text PercentDecodeBytes(std::string_view bytes, bool fromUtf8);

}  // namespace quillory
