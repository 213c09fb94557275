#include "text/byte_set.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <utility>

namespace quillory {

ByteSet ByteSet::OrAbsent(std::string_view bytes) { return bytes.empty() ? ByteSet() : ByteSet(bytes); }

ByteSet ByteSet::Adopt(internal::Storage storage) {
  ByteSet set;
  if (storage.size() != 0) set.storage_ = std::move(storage);
  return set;
}

std::ostream& operator<<(std::ostream& out, const ByteSet& bytes) {
  if (!bytes.present()) return out << "(absent)";
  return internal::PrintEscaped(out << bytes.size() << " bytes ", bytes.bytes());
}

int ByteSetLength(const ByteSet& bytes) { return static_cast<int>(bytes.size()); }

bool BytesEqual(const ByteSet& bytes, const ByteSet& other) { return bytes.bytes() == other.bytes(); }

ByteSet ConcatByteSets(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) total += part.size();
  if (total == 0) return ByteSet();
  ByteSet joined;
  joined.Reserve(total);
  for (std::string_view part : parts) joined.Append(part);
  return joined;
}

ByteSet BlankBytes(int length) {
  if (length <= 0) return ByteSet();
  auto storage = internal::Storage::Uninitialized(static_cast<std::size_t>(length));
  std::memset(storage.data(), 0, storage.size());
  return ByteSet::Adopt(std::move(storage));
}

Text BytesToText(const ByteSet& bytes) { return Text::OrAbsent(bytes.bytes()); }

ByteSet TextToBytes(std::string_view text) { return ByteSet::OrAbsent(text); }

ByteSet BytesLeft(const ByteSet& bytes, int length) {
  std::size_t n = static_cast<std::size_t>(std::clamp(length, 0, ByteSetLength(bytes)));
  return ByteSet::OrAbsent(bytes.bytes().substr(0, n));
}

}  // namespace quillory
