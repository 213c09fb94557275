#include "resolver/percent_decode.h"

#include <algorithm>

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

Text PercentDecode(const Text& text, bool fromUtf8) {
  std::string_view in = text.view();
  internal::Storage decoded;
  decoded.Reserve(in.size());
  std::size_t copied_from = 0;  // start of the plain run not yet copied
  for (std::size_t i = in.find('%'); i != std::string_view::npos; i = in.find('%', copied_from)) {
    decoded.Append(in.substr(copied_from, i - copied_from));
    int high = i + 1 < in.size() ? HexValue(in[i + 1]) : -1;
    int low = i + 2 < in.size() ? HexValue(in[i + 2]) : -1;
    if (high >= 0 && low >= 0 && high * 16 + low != 0) {
      char byte = static_cast<char>(high * 16 + low);
      decoded.Append(std::string_view(&byte, 1));
    }
    copied_from = std::min(i + 3, in.size());
  }
  decoded.Append(in.substr(copied_from));
  Text result = Text::Adopt(std::move(decoded));
  return fromUtf8 ? Utf8ToAnsi(result) : result;
}

}  // namespace quillory
