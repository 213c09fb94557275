#pragma once

// The double-byte rule, shared by the operations that step by characters.
// Internal to the text library.

#include <cstddef>
#include <string>
#include <string_view>

namespace quillory::internal {

// A byte of 0x80 or above starts a two-byte character, whatever follows it.
inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

inline char FoldAsciiToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
inline char FoldAsciiToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Every byte with "A"-"Z" folded to "a"-"z", second bytes of two-byte
// characters included: the comparison rule of the case-insensitive searches.
std::string FoldAllAsciiToLower(std::string_view text);

// Tells whether positions of one text are character boundaries, counting from
// a known boundary. Positions must be asked in non-decreasing order (or after
// Restart); each byte is looked at a bounded number of times, which keeps a
// whole scan linear.
class BoundaryTracker {
 public:
  explicit BoundaryTracker(std::string_view text, std::size_t origin = 0) : text_(text), known_(origin) {}

  // Whether a character starts at `position` (>= every earlier question).
  bool IsBoundary(std::size_t position);
  // From now on characters are counted from `position`.
  void Restart(std::size_t position) { known_ = position; }

 private:
  std::string_view text_;
  std::size_t known_;
};

// The first occurrence of `sought` in `text` at or after `from`, or npos; no
// regard to characters.
std::size_t Search(std::string_view text, std::string_view sought, std::size_t from);

// The first occurrence of `sought` (not empty) in `text` that begins at or
// after `from` on a character boundary, or npos. `boundaries` must count from
// the scan's first byte.
std::size_t FindAtBoundary(std::string_view text, std::string_view sought, std::size_t from,
                           BoundaryTracker& boundaries);

}  // namespace quillory::internal
