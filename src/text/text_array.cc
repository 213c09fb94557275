#include "text/text_array.h"

#include <string>

#include "text/fatal_error.h"

namespace quillory {
namespace {

std::size_t CheckedIndex(const TextArray& array, int index) {
  if (index < 1) {
    FatalError(4, "Array index " + std::to_string(index) + " is out of range: an array index must be 1 or more.");
  }
  if (static_cast<std::size_t>(index) > array.members().size()) {
    FatalError(1, "Array index " + std::to_string(index) + " is beyond the defined range of 1 to " +
                      std::to_string(array.members().size()) + ".");
  }
  return static_cast<std::size_t>(index) - 1;
}

}  // namespace

int ArraySize(const TextArray& array) { return static_cast<int>(array.members().size()); }

Text& MemberAt(TextArray& array, int index) { return array.members()[CheckedIndex(array, index)]; }

const Text& MemberAt(const TextArray& array, int index) { return array.members()[CheckedIndex(array, index)]; }

void AppendMember(TextArray& array, const Text& text) { array.members().push_back(text); }

}  // namespace quillory
