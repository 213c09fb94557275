#include "text/integer.h"

#include <cstdint>
#include <string>

#include "text/double_byte.h"

namespace quillory {
namespace {

std::string FullWidthToAscii(std::string_view text) {
  std::string mapped;
  mapped.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    unsigned char first = static_cast<unsigned char>(text[i]);
    if (!internal::IsLeadByte(text[i])) {
      mapped += text[i];
      i += 1;
      continue;
    }
    if (i + 1 == text.size()) break;  // incomplete last character: dropped
    unsigned char second = static_cast<unsigned char>(text[i + 1]);
    if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) {
      mapped += static_cast<char>(second - 0x80);
    } else if (first == 0xA1 && second == 0xA1) {
      mapped += ' ';
    } else if (first == 0xA1 && second == 0xAB) {
      mapped += '~';
    } else if (first == 0xA1 && (second == 0xEE || second == 0xEF)) {
      mapped += '*';
    } else {
      mapped.append(text.substr(i, 2));
    }
    i += 2;
  }
  return mapped;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int ToInt(std::string_view text) {
  std::string mapped = FullWidthToAscii(text);
  std::size_t i = 0;
  while (i < mapped.size() && IsCSpace(mapped[i])) ++i;
  bool negative = false;
  if (i < mapped.size() && (mapped[i] == '+' || mapped[i] == '-')) negative = mapped[i++] == '-';
  std::uint32_t value = 0;
  for (; i < mapped.size() && mapped[i] >= '0' && mapped[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(mapped[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace quillory
