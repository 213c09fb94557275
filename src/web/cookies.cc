#include "web/cookies.h"

#include <string>
#include <unordered_set>

#include "text/find.h"
#include "text/split.h"
#include "text/transform.h"

namespace quillory {
namespace {

bool IsDeleted(std::string_view item) {
  constexpr std::string_view kDeleted = "=deleted";
  return item.size() >= kDeleted.size() && item.substr(item.size() - kDeleted.size()) == kDeleted;
}

// The list helpers append each piece followed by the delimiter, then cut the
// last delimiter off again.
Text CutTrailingDelimiter(std::string_view joined, std::string_view delimiter) {
  if (joined.size() < delimiter.size()) return Text();
  return Text::OrAbsent(joined.substr(0, joined.size() - delimiter.size()));
}

}  // namespace

Text MergeCookies(Text& cookies, Text& receivedCookies) {
  cookies = RemoveAllSpaces(cookies);
  receivedCookies = RemoveAllSpaces(receivedCookies);
  TextArray old_items = SplitText(cookies, ";");
  TextArray merged = SplitText(receivedCookies, ";");

  // The same rule as HasCookieName over the growing merged list, with the
  // names kept in a set so that many cookies do not make the merge quadratic.
  std::unordered_set<std::string> names;
  for (const Text& item : merged) names.emplace(CookieName(item).view());
  for (const Text& item : old_items) {
    if (names.emplace(CookieName(item).view()).second) AppendMember(merged, item);
  }

  std::string joined;
  for (const Text& item : merged) {
    if (IsDeleted(item)) continue;
    joined.append(item.view());
    joined.append("; ");
  }
  cookies = RemoveDuplicates(CutTrailingDelimiter(joined, "; "), "; ");
  return cookies;
}

Text CookieName(std::string_view item) {
  int equals = FindText(item, "=");
  return TrimBoth(equals == -1 ? item : item.substr(0, static_cast<std::size_t>(equals) - 1));
}

bool HasCookieName(const TextArray& items, std::string_view name) {
  for (const Text& item : items) {
    if (CompareText(CookieName(item), name) == 0) return true;
  }
  return false;
}

Text RemoveDuplicates(std::string_view text, std::string_view delimiter) {
  TextArray pieces = SplitText(text, delimiter);
  // A set in place of IndexOfText over the seen list keeps this linear.
  std::unordered_set<std::string_view> seen;
  std::string joined;
  for (const Text& piece : pieces) {
    if (!seen.insert(piece.view()).second) continue;
    joined.append(piece.view());
    joined.append(delimiter);
  }
  return CutTrailingDelimiter(joined, delimiter);
}

int IndexOfText(const TextArray& items, std::string_view value) {
  for (int i = 1; i <= ArraySize(items); ++i) {
    if (CompareText(MemberAt(items, i), value) == 0) return i;
  }
  return -1;
}

}  // namespace quillory
