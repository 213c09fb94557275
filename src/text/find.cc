#include "text/find.h"

#include <algorithm>
#include <string>

#include "text/double_byte.h"

namespace quillory {
namespace {

using internal::BoundaryTracker;
using internal::FindAtBoundary;

// Searches the range `text` (a sub-view starting at the scan start) exactly or
// with folded copies, calling `on_match` with each 0-based match position
// until it returns false.
template <class OnMatch>
void ScanMatches(std::string_view range, std::string_view sought, bool ignoreCase, OnMatch on_match) {
  std::string folded_range;
  std::string folded_sought;
  if (ignoreCase) {
    folded_range = internal::FoldAllAsciiToLower(range);
    folded_sought = internal::FoldAllAsciiToLower(sought);
    range = folded_range;
    sought = folded_sought;
  }
  BoundaryTracker boundaries(range);
  for (std::size_t from = 0;;) {
    std::size_t found = FindAtBoundary(range, sought, from, boundaries);
    if (found == std::string_view::npos || !on_match(found)) return;
    from = found + 1;
  }
}

}  // namespace

int FindText(std::string_view text, std::string_view sought, std::optional<int> start, bool ignoreCase) {
  std::size_t begin = static_cast<std::size_t>(std::max(start.value_or(1), 1)) - 1;
  if (begin >= text.size()) return -1;
  if (sought.empty()) return 1;
  int position = -1;
  ScanMatches(text.substr(begin), sought, ignoreCase, [&](std::size_t found) {
    position = static_cast<int>(begin + found) + 1;
    return false;
  });
  return position;
}

int FindTextReverse(std::string_view text, std::string_view sought, std::optional<int> start, bool ignoreCase) {
  std::size_t end = text.size();
  if (start.has_value()) {
    end = *start <= 1 ? 0 : std::min(static_cast<std::size_t>(*start) - 1, text.size());
  }
  if (end == 0) return -1;
  if (sought.empty()) return 1;
  // Forward, keeping the last match: boundaries are defined from the first
  // byte, so a backward scan could not tell them without reading ahead anyway.
  int position = -1;
  ScanMatches(text.substr(0, end), sought, ignoreCase, [&](std::size_t found) {
    position = static_cast<int>(found) + 1;
    return true;
  });
  return position;
}

}  // namespace quillory
