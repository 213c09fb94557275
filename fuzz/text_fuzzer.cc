// The text operations on any bytes, with the searches and splitting checked
// against plain models.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz_support.h"
#include "text/between.h"
#include "text/find.h"
#include "text/integer.h"
#include "text/split.h"
#include "text/transform.h"

using namespace quillory;
using quillory::fuzz::Check;
using quillory::fuzz::NoZeros;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::string sought = NoZeros(input.ConsumeRandomLengthString(8));
  bool ignoreCase = input.ConsumeBool();
  std::optional<int> start;
  if (input.ConsumeBool()) start = input.ConsumeIntegralInRange<int>(-3, 300);
  int count = input.ConsumeIntegralInRange<int>(-2, 5);
  std::string text = NoZeros(input.ConsumeRemainingBytesAsString());
  std::size_t length = text.size();

  std::size_t begin = static_cast<std::size_t>(std::max(start.value_or(1), 1)) - 1;
  Check(FindText(text, sought, start, ignoreCase) == fuzz::NaiveFind(text, sought, begin, length, ignoreCase, false));
  std::size_t end = !start ? length : (*start <= 1 ? 0 : std::min<std::size_t>(*start - 1, length));
  Check(FindTextReverse(text, sought, start, ignoreCase) == fuzz::NaiveFind(text, sought, 0, end, ignoreCase, true));

  TextArray pieces = SplitText(text, sought);
  std::string joined;
  for (int i = 1; i <= ArraySize(pieces); ++i) {
    if (i > 1) joined += sought;
    joined += MemberAt(pieces, i).view();
  }
  if (!sought.empty()) Check(joined == text || joined + sought == text);
  Check(ArraySize(SplitText(text, sought, count)) <= std::max(count, 0));

  Text replaced = ReplaceText(text, sought, "<>", {.start = start, .count = count, .caseSensitive = !ignoreCase});
  Check(replaced.size() <= text.size() * 3 + 2);
  Text trimmed = TrimBoth(text);
  Check(trimmed.size() <= text.size());
  Check(RemoveAllSpaces(text).size() <= trimmed.size() + 1);
  Check(ToUpper(text).size() == text.size() && ToLower(text).size() == text.size());
  (void)ToInt(text);
  Text between = TextBetween(text, sought, "\"", start.value_or(0), ignoreCase);
  Check(between.size() <= text.size());
  (void)HeaderValue(text);
  return 0;
}
