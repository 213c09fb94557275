#pragma once

#include <string_view>

#include "text/text.h"

namespace quillory {

// Stands for one double quote inside the markers of TextBetween: "#引号" in
// code page 936, the bytes 23 D2 FD BA C5.
inline constexpr std::string_view kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";

// The text between the first `startMarker` at or after `startPosition` (0 or
// less: the first byte) and the first `endMarker` after it, or the absent Text
// when either is missing. The quote placeholder in a marker stands for '"';
// the searched text is never rewritten. With `ignoreCase`, both searches fold
// ASCII letters.
//
//   TextBetween(R"(<A HREF="u">here</A>)", "<A HREF=\"", "\">here</A>") == "u"
[[nodiscard]] Text TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                               int startPosition = 0, bool ignoreCase = false);

// The text after the first colon of `line`, with spaces trimmed from both
// ends; absent when there is no colon.
//
//   HeaderValue("Location: a://b/c") == "a://b/c"
[[nodiscard]] Text HeaderValue(std::string_view line);

}  // namespace quillory
