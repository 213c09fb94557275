#pragma once

#include <concepts>
#include <cstddef>
#include <initializer_list>
#include <iosfwd>
#include <string_view>

#include "text/storage.h"

namespace quillory {

// A byte string in the system's ANSI code page, or absent.
//
// A present Text never holds a zero byte: it ends where its first zero byte
// would be, exactly as a zero-terminated string does. Absent reads as empty
// everywhere; the two differ only at platform calls, where c_str() gives a
// null pointer for an absent Text and a pointer to a zero byte for a present
// empty one.
//
// The text operations take their inputs as std::string_view, to which a Text
// converts; like any view, such a view must not outlive the Text it came from.
// Every operation that yields an empty Text yields the absent one, except
// ConcatText, whose result is always present.
class Text {
 public:
  Text() = default;
  // Present; the bytes end at the first zero byte, if any.
  Text(std::string_view bytes);  // NOLINT(google-explicit-constructor): texts are values
  Text(const char* bytes) : Text(std::string_view(bytes)) {}  // NOLINT
  Text(std::nullptr_t) = delete;

  // The result rule of the text operations: empty bytes give the absent Text.
  [[nodiscard]] static Text OrAbsent(std::string_view bytes);
  // Takes over storage that a builder filled; empty storage gives the absent
  // Text unless `keepEmpty`. The storage must hold no zero byte.
  [[nodiscard]] static Text Adopt(internal::Storage storage, bool keepEmpty = false);

  [[nodiscard]] bool present() const { return storage_.present(); }
  [[nodiscard]] std::size_t size() const { return storage_.size(); }
  [[nodiscard]] bool empty() const { return storage_.size() == 0; }
  [[nodiscard]] std::string_view view() const { return storage_.view(); }
  operator std::string_view() const { return storage_.view(); }  // NOLINT
  // nullptr when absent, else the zero-terminated bytes.
  [[nodiscard]] const char* c_str() const { return storage_.data(); }

  friend bool operator==(const Text& a, const Text& b) { return a.view() == b.view(); }
  // Compares with anything that views as bytes, without making a Text of it.
  template <class Bytes>
    requires std::convertible_to<const Bytes&, std::string_view>
  friend bool operator==(const Text& a, const Bytes& b) {
    return a.view() == std::string_view(b);
  }

 private:
  internal::Storage storage_;
};

// Prints the bytes with non-printable ones escaped, or "(absent)".
std::ostream& operator<<(std::ostream& out, const Text& text);

// The length in bytes; 0 for an absent Text.
[[nodiscard]] int TextLength(std::string_view text);

// Compares bytes as unsigned values: -1, 0 or 1. A proper beginning of the
// other text is the smaller one.
[[nodiscard]] int CompareText(std::string_view text, std::string_view other);

[[nodiscard]] Text ConcatTexts(std::initializer_list<std::string_view> parts);

// Joins the operands into one present Text (present even when empty).
// Takes every length first and obtains the storage once.
template <class... Parts>
[[nodiscard]] Text ConcatText(const Parts&... parts) {
  return ConcatTexts({std::string_view(parts)...});
}

// The one-byte text holding `code`; code 0 gives the absent Text.
[[nodiscard]] Text CharFromCode(int code);

// `length` spaces, for a platform function to fill; absent when length <= 0.
[[nodiscard]] Text BlankText(int length);

// Cutting by byte positions (1-based); results are clamped and may cut a
// two-byte character in half.
[[nodiscard]] Text TextLeft(std::string_view text, int length);
[[nodiscard]] Text TextRight(std::string_view text, int length);
// A `start` below 1 is not moved to 1: it gives the absent Text.
[[nodiscard]] Text TextMid(std::string_view text, int start, int length);

}  // namespace quillory
