#pragma once

// The code-page seam: conversions between a code page and UTF-16 that behave
// as the platform's MultiByteToWideChar and WideCharToMultiByte do with flags
// 0. One backend per platform implements these two functions.

#include <optional>
#include <string>
#include <string_view>

namespace quillory::codepage {

inline constexpr int kSystemAnsi = 0;  // the system's ANSI code page (CP_ACP)
inline constexpr int kGbk = 936;       // simplified Chinese
inline constexpr int kUtf8 = 65001;

// `bytes` in `codePage` as UTF-16 code units, without a terminating zero.
// Invalid input becomes U+FFFD, one per maximal invalid subsequence. nullopt
// when the code page is not supported.
[[nodiscard]] std::optional<std::u16string> DecodeToUtf16(int codePage, std::string_view bytes);

// `units` in `codePage`, without a terminating zero. Best-fit mappings apply;
// every UTF-16 unit that cannot be mapped becomes "?", so a character outside
// the BMP that cannot be mapped becomes "??". nullopt when the code page is
// not supported.
[[nodiscard]] std::optional<std::string> EncodeFromUtf16(int codePage, std::u16string_view units);

// UTF-8 text in `codePage`: the same as EncodeFromUtf16(codePage,
// *DecodeToUtf16(kUtf8, utf8)), in one pass where the backend can.
[[nodiscard]] std::optional<std::string> ConvertFromUtf8(int codePage, std::string_view utf8);

}  // namespace quillory::codepage
