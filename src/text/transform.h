#pragma once

#include <optional>
#include <string_view>

#include "text/text.h"

namespace quillory {

// Case mapping of one-byte characters only: both bytes of every two-byte
// character, and an incomplete character at the end, stay as they are.
[[nodiscard]] Text ToUpper(std::string_view text);
[[nodiscard]] Text ToLower(std::string_view text);

// Removes spaces (0x20 and the full-width space A1 A1, not tabs or line
// ends) from both ends. An incomplete character at the end is cut off, and
// the spaces before it stay.
//
//   TrimBoth("  a b  ") == "a b"
[[nodiscard]] Text TrimBoth(std::string_view text);

// Drops every space and full-width space, and an incomplete character at the
// end.
[[nodiscard]] Text RemoveAllSpaces(std::string_view text);

struct ReplaceOptions {
  // 1-based position where replacing begins; the bytes before it are copied.
  // Left out: the first byte. Values below 1 count as 1.
  std::optional<int> start = std::nullopt;
  // How many occurrences to replace; left out or negative: every one.
  std::optional<int> count = std::nullopt;
  // false: "A"-"Z" match "a"-"z", as FindText's ignoreCase.
  bool caseSensitive = true;
};

// Replaces occurrences of `sought` by `replacement` from left to right,
// without overlapping and without searching inserted text again. Matches begin
// on character boundaries counted from `start`; an incomplete character that
// the walk meets is dropped. An empty `sought` gives a copy of `text`.
//
//   ReplaceText("aaa", "aa", "b") == "ba"
//   ReplaceText(url, "http://", {}, {.count = 1})
[[nodiscard]] Text ReplaceText(std::string_view text, std::string_view sought, std::string_view replacement = {},
                               const ReplaceOptions& options = {});

}  // namespace quillory
