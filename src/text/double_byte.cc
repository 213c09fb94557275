#include "text/double_byte.h"

#include <string.h>

namespace quillory::internal {

std::string FoldAllAsciiToLower(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = FoldAsciiToLower(c);
  return folded;
}

std::size_t Search(std::string_view text, std::string_view sought, std::size_t from) {
  if (from > text.size()) return std::string_view::npos;
#ifdef __GLIBC__
  // The C library's memmem hashes pairs of bytes and skips ahead, where
  // string_view::find stops at every copy of the first byte: HTML repeats
  // the "<" of a marker such as "<A HREF=" far too often for that.
  if (sought.size() > 1) {
    const void* found = memmem(text.data() + from, text.size() - from, sought.data(), sought.size());
    return found == nullptr ? std::string_view::npos
                            : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
  }
#endif
  return text.find(sought, from);
}

bool BoundaryTracker::IsBoundary(std::size_t position) {
  // Walk back over the run of bytes >= 0x80 that ends right before
  // `position`. A byte below 0x80 always ends a character (it is a one-byte
  // character or a second byte), so a character starts after it; from there
  // the run alternates first and second bytes, and the run's length decides.
  std::size_t run_start = position;
  while (run_start > known_ && IsLeadByte(text_[run_start - 1])) --run_start;
  bool boundary = (position - run_start) % 2 == 0;
  known_ = boundary ? position : position + 1;
  return boundary;
}

std::size_t FindAtBoundary(std::string_view text, std::string_view sought, std::size_t from,
                           BoundaryTracker& boundaries) {
  for (;;) {
    std::size_t found = Search(text, sought, from);
    if (found == std::string_view::npos || boundaries.IsBoundary(found)) return found;
    from = found + 1;
  }
}

}  // namespace quillory::internal
