#include "text/transform.h"

#include <algorithm>
#include <string>
#include <utility>

#include "text/double_byte.h"

namespace quillory {
namespace {

using internal::IsLeadByte;

template <char (*Fold)(char)>
Text MapOneByteCharacters(std::string_view text) {
  auto storage = internal::Storage(text);
  char* bytes = storage.data();
  for (std::size_t i = 0; i < text.size(); i += IsLeadByte(text[i]) ? 2 : 1) bytes[i] = Fold(bytes[i]);
  return Text::Adopt(std::move(storage));
}

bool IsFullWidthSpace(std::string_view text, std::size_t i) {
  return i + 1 < text.size() && text[i] == '\xA1' && text[i + 1] == '\xA1';
}

}  // namespace

Text ToUpper(std::string_view text) { return MapOneByteCharacters<internal::FoldAsciiToUpper>(text); }

Text ToLower(std::string_view text) { return MapOneByteCharacters<internal::FoldAsciiToLower>(text); }

Text TrimBoth(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    if (text[begin] == ' ') {
      begin += 1;
    } else if (IsFullWidthSpace(text, begin)) {
      begin += 2;
    } else {
      break;
    }
  }
  std::size_t end = begin;  // just after the last character that is kept
  for (std::size_t i = begin; i < text.size();) {
    if (!IsLeadByte(text[i])) {
      if (text[i] != ' ') end = i + 1;
      i += 1;
    } else if (i + 1 < text.size()) {
      if (!IsFullWidthSpace(text, i)) end = i + 2;
      i += 2;
    } else {
      end = i;  // incomplete last character: cut it, keep the spaces before it
      i += 1;
    }
  }
  return Text::OrAbsent(text.substr(begin, end - begin));
}

Text RemoveAllSpaces(std::string_view text) {
  internal::Storage kept;
  kept.Reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (!IsLeadByte(text[i])) {
      if (text[i] != ' ') kept.Append(text.substr(i, 1));
      i += 1;
    } else if (i + 1 < text.size()) {
      if (!IsFullWidthSpace(text, i)) kept.Append(text.substr(i, 2));
      i += 2;
    } else {
      i += 1;  // incomplete last character: dropped
    }
  }
  return Text::Adopt(std::move(kept));
}

Text ReplaceText(std::string_view text, std::string_view sought, std::string_view replacement,
                 const ReplaceOptions& options) {
  std::size_t begin = static_cast<std::size_t>(std::max(options.start.value_or(1), 1)) - 1;
  int count = options.count.value_or(-1);
  if (text.empty() || sought.empty() || begin >= text.size() || count == 0) return Text::OrAbsent(text);

  std::string folded_text;
  std::string folded_sought;
  std::string_view haystack = text;
  std::string_view needle = sought;
  if (!options.caseSensitive) {
    folded_text = internal::FoldAllAsciiToLower(text);
    folded_sought = internal::FoldAllAsciiToLower(sought);
    haystack = folded_text;
    needle = folded_sought;
  }

  internal::Storage result;
  result.Reserve(text.size());
  result.Append(text.substr(0, begin));
  internal::BoundaryTracker boundaries(haystack, begin);
  std::size_t position = begin;
  bool stopped = false;
  for (;;) {
    if (count == 0) {
      stopped = true;
      break;
    }
    std::size_t found = internal::FindAtBoundary(haystack, needle, position, boundaries);
    if (found == std::string_view::npos) break;
    result.Append(text.substr(position, found - position));
    result.Append(replacement);
    position = found + sought.size();
    // The walk resumes right after the match and counts characters from there.
    boundaries.Restart(position);
    if (count > 0) --count;
  }
  std::string_view rest = text.substr(position);
  if (!stopped && sought.size() == 1 && !rest.empty() && IsLeadByte(rest.back())) {
    // A one-byte `sought` lets the walk reach the last byte; if that byte is
    // an incomplete character there (an even run of bytes >= 0x80 before it),
    // the walk drops it.
    std::size_t run = 0;
    while (run + 1 < rest.size() && IsLeadByte(rest[rest.size() - 2 - run])) ++run;
    if (run % 2 == 0) rest.remove_suffix(1);
  }
  result.Append(rest);
  return Text::Adopt(std::move(result));
}

}  // namespace quillory
