#include "resolver/percent_decode.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "resolver/code_page.h"

namespace quillory {
namespace {

// The value of a hexadecimal digit of either case, or -1.
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

Text PercentDecodeBytes(std::string_view in, bool fromUtf8) {
  // Decoding never lengthens the text.
  auto decoded = internal::Storage::Uninitialized(in.size());
  char* out = decoded.data();
  const char* next = in.data();
  const char* end = in.data() + in.size();
  while (next < end) {
    // Eight bytes at a time while none of them is a "%".
    std::uint64_t word;
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    while (end - next >= 8 && (std::memcpy(&word, next, 8), word ^= kOnes * '%',
                               ((word - kOnes) & ~word & (kOnes * 0x80)) == 0)) {
      std::memcpy(out, next, 8);
      out += 8;
      next += 8;
    }
    const char* percent = static_cast<const char*>(std::memchr(next, '%', static_cast<std::size_t>(end - next)));
    const char* plain_end = percent != nullptr ? percent : end;
    std::memcpy(out, next, static_cast<std::size_t>(plain_end - next));
    out += plain_end - next;
    if (percent == nullptr) break;
    int high = end - percent > 1 ? HexValue(percent[1]) : -1;
    int low = end - percent > 2 ? HexValue(percent[2]) : -1;
    if (high >= 0 && low >= 0 && high * 16 + low != 0) *out++ = static_cast<char>(high * 16 + low);
    next = percent + std::min<std::ptrdiff_t>(3, end - percent);
  }
  decoded.Truncate(static_cast<std::size_t>(out - decoded.data()));
  Text result = Text::Adopt(std::move(decoded));
  return fromUtf8 ? Utf8ToAnsi(result) : result;
}

Text PercentDecode(const Text& text, bool fromUtf8) { return PercentDecodeBytes(text.view(), fromUtf8); }

}  // namespace quillory
