// The page decoding and link extraction on any bytes, percent decoding checked
// by a round trip, and the code-page conversions checked for stability.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "resolver/code_page.h"
#include "resolver/download_link.h"
#include "resolver/percent_decode.h"

using namespace quillory;
using quillory::fuzz::Check;
using quillory::fuzz::NoZeros;

namespace {

std::string PercentEncode(std::string_view bytes, FuzzedDataProvider& input) {
  static constexpr char kUpper[] = "0123456789ABCDEF";
  static constexpr char kLower[] = "0123456789abcdef";
  std::string encoded;
  for (char c : bytes) {
    if (c != '%' && input.ConsumeBool()) {
      encoded += c;
      continue;
    }
    const char* digits = input.ConsumeBool() ? kUpper : kLower;
    auto byte = static_cast<unsigned char>(c);
    encoded += '%';
    encoded += digits[byte >> 4];
    encoded += digits[byte & 15];
  }
  return encoded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view whole(reinterpret_cast<const char*>(data), size);
  (void)ExtractDownloadLink(ByteSet(whole));

  FuzzedDataProvider input(data, size);
  std::string plain = NoZeros(input.ConsumeRandomLengthString(256));
  Check(PercentDecode(Text(PercentEncode(plain, input))) == Text(plain));

  Text text(input.ConsumeRemainingBytesAsString());
  (void)PercentDecode(text, true);
  // The one-pass conversion against the two conversions through UTF-16.
  Check(Utf8ToAnsi(text) == UnicodeToMultiByte(MultiByteToUnicode(text), 936));
  for (int codePage : {0, 936, 65001}) {
    ByteSet units = MultiByteToUnicode(text, codePage);
    Check(units.size() % 2 == 0 && units.size() >= 2);
    Check(units.bytes().substr(units.size() - 2) == std::string_view("\0\0", 2));
    for (int target : {0, 936, 65001}) {
      // Whatever the encoder writes reads back to characters that it writes
      // the same way again.
      Text encoded = UnicodeToMultiByte(units, target);
      Check(UnicodeToMultiByte(MultiByteToUnicode(encoded, target), target) == encoded);
    }
  }
  // Units without a terminating zero unit, and an odd byte at the end.
  (void)UnicodeToMultiByte(ByteSet(text.view()), 936);
  return 0;
}
