#include "resolver/code_page.h"

#include <string>

#include "resolver/code_page_converter.h"

namespace quillory {

ByteSet MultiByteToUnicode(const Text& text, int codePage) {
  if (!text.present()) return ByteSet();
  std::optional<std::u16string> units = codepage::DecodeToUtf16(codePage, text.view());
  if (!units) return ByteSet();
  auto storage = internal::Storage::Uninitialized((units->size() + 1) * 2);
  char* out = storage.data();
  for (char16_t unit : *units) {
    *out++ = static_cast<char>(unit & 0xFF);
    *out++ = static_cast<char>(unit >> 8);
  }
  *out++ = '\0';
  *out = '\0';
  return ByteSet::Adopt(std::move(storage));
}

Text UnicodeToMultiByte(const ByteSet& units, int codePage) {
  if (!units.present()) return Text();
  std::string_view bytes = units.bytes();
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (unit == 0) break;
    text += unit;
  }
  std::optional<std::string> converted = codepage::EncodeFromUtf16(codePage, text);
  if (!converted) return Text();
  return Text::OrAbsent(*converted);
}

Text Utf8ToAnsi(const Text& text) {
  // The same as UnicodeToMultiByte(MultiByteToUnicode(text), 936), without
  // packing the units into bytes and back: a Text holds no zero byte, so the
  // units hold no zero unit that would end the second conversion early.
  if (!text.present()) return Text();
  std::optional<std::string> converted = codepage::ConvertFromUtf8(codepage::kGbk, text.view());
  return converted ? Text::OrAbsent(*converted) : Text();
}

}  // namespace quillory
