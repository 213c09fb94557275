#pragma once

#include <optional>
#include <string_view>

namespace quillory {

// The 1-based position of the first occurrence of `sought` in `text` at or
// after `start` (left out: the first byte; values below 1 count as 1), or -1.
//
// Matches begin only on character boundaries, counted from the scan start by
// the double-byte rule, so a match never starts at the second byte of a
// two-byte character. An empty `sought` gives 1 whenever the scanned range
// holds a byte. With `ignoreCase`, "A"-"Z" match "a"-"z" in every byte
// compared, second bytes included. Linear in the text for a given `sought`.
//
//   FindText("a.b.c", ".")      == 2
//   FindText("a.b.c", ".", 3)   == 4
[[nodiscard]] int FindText(std::string_view text, std::string_view sought, std::optional<int> start = std::nullopt,
                           bool ignoreCase = false);

// The 1-based position of the last occurrence lying wholly within the first E
// bytes of `text`, or -1. E is the whole text when `start` is left out, else
// min(start - 1, length), and 0 when start <= 1; so started at an occurrence
// it finds the one before it. Candidates are the same as FindText's.
//
//   FindTextReverse("a.b.c", ".")     == 4
//   FindTextReverse("a.b.c", ".", 4)  == 2
[[nodiscard]] int FindTextReverse(std::string_view text, std::string_view sought,
                                  std::optional<int> start = std::nullopt, bool ignoreCase = false);

}  // namespace quillory
