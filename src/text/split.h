#pragma once

#include <optional>
#include <string_view>

#include "text/text_array.h"

namespace quillory {

// Splits `text` at every occurrence of `delimiter` (found as FindText finds
// it: exact bytes, on character boundaries). A delimiter at the start or two
// in a row give absent members; a delimiter at the end gives no member after
// it. An empty delimiter gives one member, the whole text. With `maxCount` m
// (negative counts as 0) the array has at most m members and the rest of the
// text after the m-th cut is discarded.
//
//   SplitText("a,,b,", ",")  -> "a", (absent), "b"
[[nodiscard]] TextArray SplitText(std::string_view text, std::string_view delimiter = ",",
                                  std::optional<int> maxCount = std::nullopt);

}  // namespace quillory
