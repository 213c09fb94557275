#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>

#include "text/storage.h"
#include "text/text.h"

namespace quillory {

// A counted sequence of bytes of any value, zero included, or absent.
// Absent reads as empty; at platform calls data() is nullptr for it.
class ByteSet {
 public:
  ByteSet() = default;
  // Present, holding exactly `bytes`.
  explicit ByteSet(std::string_view bytes) : storage_(bytes) {}

  // Empty bytes give the absent ByteSet, as every operation's result does.
  [[nodiscard]] static ByteSet OrAbsent(std::string_view bytes);
  // Takes over storage that a builder filled; empty storage gives absent.
  [[nodiscard]] static ByteSet Adopt(internal::Storage storage);

  [[nodiscard]] bool present() const { return storage_.present(); }
  [[nodiscard]] std::size_t size() const { return storage_.size(); }
  [[nodiscard]] bool empty() const { return storage_.size() == 0; }
  [[nodiscard]] std::string_view bytes() const { return storage_.view(); }
  [[nodiscard]] const char* data() const { return storage_.data(); }

  // Grows the set in place; appending piece by piece stays linear.
  void Append(std::string_view bytes) { storage_.Append(bytes); }
  void Reserve(std::size_t capacity) { storage_.Reserve(capacity); }

  friend bool operator==(const ByteSet& a, const ByteSet& b) { return a.bytes() == b.bytes(); }

 private:
  internal::Storage storage_;
};

std::ostream& operator<<(std::ostream& out, const ByteSet& bytes);

[[nodiscard]] int ByteSetLength(const ByteSet& bytes);

// Same length and same bytes; absent equals empty.
[[nodiscard]] bool BytesEqual(const ByteSet& bytes, const ByteSet& other);

[[nodiscard]] ByteSet ConcatByteSets(std::initializer_list<std::string_view> parts);

// The operands' bytes in order; no bytes give the absent ByteSet.
template <class... Parts>
[[nodiscard]] ByteSet ConcatBytes(const Parts&... parts) {
  return ConcatByteSets({parts.bytes()...});
}

// `length` zero bytes, for a platform function to fill; absent when <= 0.
[[nodiscard]] ByteSet BlankBytes(int length);

// The bytes before the first zero byte.
[[nodiscard]] Text BytesToText(const ByteSet& bytes);

// The text's bytes without a terminator; empty text gives the absent ByteSet.
[[nodiscard]] ByteSet TextToBytes(std::string_view text);

// The first `length` bytes, clamped to 0..ByteSetLength.
[[nodiscard]] ByteSet BytesLeft(const ByteSet& bytes, int length);

}  // namespace quillory
