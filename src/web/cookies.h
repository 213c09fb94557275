#pragma once

#include <string_view>

#include "text/text.h"
#include "text/text_array.h"

namespace quillory {

// Folds `receivedCookies` into `cookies` and returns a copy of the result.
//
// Both in/out texts lose every space first (the caller sees that for both).
// The merged text holds the received items in their order, then the old
// items whose names the received text lacks; items ending in "=deleted" and
// exact repeats are dropped; items are joined by "; ".
//
//   cookies "a=1; b=2", received "b=3; c=4"  ->  "b=3; c=4; a=1"
Text MergeCookies(Text& cookies, Text& receivedCookies);

// The trimmed text before the first "=" of a cookie item (all of it when
// there is none).
[[nodiscard]] Text CookieName(std::string_view item);

// Whether some member's CookieName equals `name`, byte for byte.
[[nodiscard]] bool HasCookieName(const TextArray& items, std::string_view name);

// The pieces of `text` between `delimiter`s, each kept at its first
// occurrence, joined by `delimiter`.
[[nodiscard]] Text RemoveDuplicates(std::string_view text, std::string_view delimiter);

// The 1-based index of the first member equal to `value`, or -1.
[[nodiscard]] int IndexOfText(const TextArray& items, std::string_view value);

}  // namespace quillory
