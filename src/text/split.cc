#include "text/split.h"

#include "text/double_byte.h"

namespace quillory {

TextArray SplitText(std::string_view text, std::string_view delimiter, std::optional<int> maxCount) {
  TextArray pieces;
  if (text.empty() || (maxCount.has_value() && *maxCount <= 0)) return pieces;
  if (delimiter.empty()) {
    AppendMember(pieces, Text(text));
    return pieces;
  }
  int remaining = maxCount.value_or(-1);
  internal::BoundaryTracker boundaries(text);
  std::size_t piece_start = 0;
  for (;;) {
    std::size_t found = internal::FindAtBoundary(text, delimiter, piece_start, boundaries);
    if (found == std::string_view::npos) break;
    pieces.members().push_back(Text::OrAbsent(text.substr(piece_start, found - piece_start)));
    piece_start = found + delimiter.size();
    boundaries.Restart(piece_start);
    if (remaining > 0 && --remaining == 0) return pieces;
  }
  if (piece_start < text.size()) pieces.members().push_back(Text(text.substr(piece_start)));
  return pieces;
}

}  // namespace quillory
