#include "text/text.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <utility>

namespace quillory {

namespace {

std::string_view UpToFirstZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace

Text::Text(std::string_view bytes) : storage_(UpToFirstZero(bytes)) {}

Text Text::OrAbsent(std::string_view bytes) {
  bytes = UpToFirstZero(bytes);
  return bytes.empty() ? Text() : Text(bytes);
}

Text Text::Adopt(internal::Storage storage, bool keepEmpty) {
  Text text;
  if (storage.size() != 0 || (keepEmpty && storage.present())) text.storage_ = std::move(storage);
  return text;
}

std::ostream& operator<<(std::ostream& out, const Text& text) {
  if (!text.present()) return out << "(absent)";
  return internal::PrintEscaped(out, text.view());
}

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

int CompareText(std::string_view text, std::string_view other) {
  // string_view compares through char_traits<char>, which compares as
  // unsigned char, so 0x80 sorts above 'a'.
  int order = text.compare(other);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

Text ConcatTexts(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) total += part.size();
  internal::Storage storage;
  storage.Reserve(total);
  for (std::string_view part : parts) storage.Append(part);
  // Present even when empty: the one operation whose empty result is not absent.
  return Text::Adopt(std::move(storage), /*keepEmpty=*/true);
}

Text CharFromCode(int code) {
  char byte = static_cast<char>(code & 0xFF);
  if (byte == '\0') return Text();
  return Text(std::string_view(&byte, 1));
}

Text BlankText(int length) {
  if (length <= 0) return Text();
  auto storage = internal::Storage::Uninitialized(static_cast<std::size_t>(length));
  std::memset(storage.data(), ' ', storage.size());
  return Text::Adopt(std::move(storage));
}

Text TextLeft(std::string_view text, int length) {
  if (length <= 0) return Text();
  return Text::OrAbsent(text.substr(0, static_cast<std::size_t>(length)));
}

Text TextRight(std::string_view text, int length) {
  if (length <= 0) return Text();
  std::size_t n = std::min(text.size(), static_cast<std::size_t>(length));
  return Text::OrAbsent(text.substr(text.size() - n));
}

Text TextMid(std::string_view text, int start, int length) {
  if (start < 1 || static_cast<std::size_t>(start) > text.size() || length <= 0) return Text();
  return Text::OrAbsent(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(length)));
}

}  // namespace quillory
