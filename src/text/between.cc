#include "text/between.h"

#include "text/find.h"
#include "text/transform.h"

namespace quillory {

Text TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                 int startPosition, bool ignoreCase) {
  Text start = ReplaceText(startMarker, kQuotePlaceholder, "\"");
  Text end = ReplaceText(endMarker, kQuotePlaceholder, "\"");
  int found_start = FindText(text, start, startPosition, ignoreCase);
  if (found_start == -1) return Text();
  int value_start = found_start + TextLength(start);
  int found_end = FindText(text, end, value_start, ignoreCase);
  if (found_end == -1) return Text();
  return TextMid(text, value_start, found_end - value_start);
}

Text HeaderValue(std::string_view line) {
  int colon = FindText(line, ":");
  if (colon == -1) return Text();
  return TrimBoth(TextRight(line, TextLength(line) - colon));
}

}  // namespace quillory
