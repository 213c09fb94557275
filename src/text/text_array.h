#pragma once

#include <vector>

#include "text/storage.h"
#include "text/text.h"

namespace quillory {

// A one-dimensional array of Text members numbered from 1; it owns its
// members. A new array is empty.
class TextArray {
 public:
  using Members = std::vector<Text, internal::FatalOnFailureAllocator<Text>>;

  [[nodiscard]] const Members& members() const { return members_; }
  [[nodiscard]] Members& members() { return members_; }
  // Iterating the array itself (not members()) keeps a temporary array alive
  // for the whole loop.
  [[nodiscard]] auto begin() const { return members_.begin(); }
  [[nodiscard]] auto end() const { return members_.end(); }

  friend bool operator==(const TextArray& a, const TextArray& b) { return a.members_ == b.members_; }

 private:
  Members members_;
};

[[nodiscard]] int ArraySize(const TextArray& array);

// Member number `index`, to read or to replace. An index below 1 ends the
// program through FatalError with code 4, one above the count with code 1.
[[nodiscard]] Text& MemberAt(TextArray& array, int index);
[[nodiscard]] const Text& MemberAt(const TextArray& array, int index);

// Appends a copy of `text` (an absent text gives an absent member).
void AppendMember(TextArray& array, const Text& text);

}  // namespace quillory
