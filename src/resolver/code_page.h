#pragma once

#include "text/byte_set.h"
#include "text/text.h"

namespace quillory {

// `text` read in `codePage` as UTF-16: the units in little-endian order, two
// bytes each, then one zero unit. A present empty text gives just the zero
// unit; an absent text or an unsupported code page give the absent ByteSet.
//
//   MultiByteToUnicode("ab") holds 61 00 62 00 00 00
[[nodiscard]] ByteSet MultiByteToUnicode(const Text& text, int codePage = 65001);

// The UTF-16 units of `units` (up to the first zero unit, or to the end when
// there is none; a lone last byte is not a unit) in `codePage`, where 0 is the
// system's ANSI code page. Absent `units` or an unsupported code page give the
// absent Text.
[[nodiscard]] Text UnicodeToMultiByte(const ByteSet& units, int codePage = 0);

// UTF-8 text in code page 936, whatever the system's ANSI code page is.
// Invalid UTF-8 becomes U+FFFD on the way, and characters that 936 lacks
// become "?".
[[nodiscard]] Text Utf8ToAnsi(const Text& text);

}  // namespace quillory
