#pragma once

#include <cstdint>
#include <string_view>

namespace quillory {

// Reads a decimal integer the way the C library's atoi does, after mapping
// full-width characters to ASCII (A3 A1..A3 FE to 21..7E, A1 A1 to a space,
// A1 AB to "~", A1 EE and A1 EF to "*"). Leading white space and one sign are
// taken; digits accumulate in 32 bits and wrap without an overflow check. No
// digits give 0; there is no other base.
//
//   ToInt(" 42abc") == 42;  ToInt("2147483648") == -2147483648
[[nodiscard]] int ToInt(std::string_view text);

// The bitwise OR of all operands.
template <class... Ints>
[[nodiscard]] constexpr std::int32_t BitOr(Ints... operands) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(operands) | ...));
}

}  // namespace quillory
