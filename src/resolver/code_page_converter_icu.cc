// The code-page seam over ICU.

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

#include <array>
#include <cstring>
#include <cstdint>
#include <memory>
#include <vector>

#include "resolver/code_page_converter.h"

namespace quillory::codepage {
namespace {

// In this port the system's ANSI code page is 936, as on the systems the
// program is made for: code page 0 (CP_ACP) means 936 everywhere.
constexpr int kThisSystemsAnsiCodePage = kGbk;

int Resolve(int codePage) { return codePage == kSystemAnsi ? kThisSystemsAnsiCodePage : codePage; }

struct CloseConverter {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, CloseConverter>;

// Microsoft's code page 936 table with its best-fit mappings. Opened by this
// exact name: the plain aliases name other tables.
Converter OpenGbk() {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open("windows-936-2000", &status));
  if (U_FAILURE(status)) return nullptr;
  // The best-fit mappings (U+00B2 to "2") are stored as fallbacks.
  ucnv_setFallback(converter.get(), true);
  return converter;
}

// Writes one "?" per UTF-16 unit that cannot be mapped. ICU's own substitute
// callback would silently drop default-ignorable characters such as U+200B,
// where Windows writes "?".
void WriteQuestionMarks(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t length, UChar32,
                        UConverterCallbackReason reason, UErrorCode* status) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close and clone need nothing
  *status = U_ZERO_ERROR;
  for (int32_t i = 0; i < length && U_SUCCESS(*status); ++i) ucnv_cbFromUWriteBytes(args, "?", 1, 0, status);
}

// For every UTF-16 unit, what Microsoft's 936 table writes for it: one byte
// (below 0x100) or a lead and a trail byte. Built once from ICU's converter,
// so that a page converts by lookup instead of through the converter's
// callbacks. Code page 936 maps no character outside the BMP, so a surrogate
// pair or a lone surrogate gives one "?" per unit either way.
class GbkEncodingTable {
 public:
  static const GbkEncodingTable* Get() {
    static const std::unique_ptr<GbkEncodingTable> table = Build();
    return table.get();
  }

  // Writes at most two bytes per unit at `next`; returns the end.
  char* Encode(std::u16string_view units, char* next) const {
    for (char16_t unit : units) {
      std::uint16_t code = codes_[unit];
      if (code > 0xFF) *next++ = static_cast<char>(code >> 8);
      *next++ = static_cast<char>(code & 0xFF);
    }
    return next;
  }

 private:
  static std::unique_ptr<GbkEncodingTable> Build() {
    Converter converter = OpenGbk();
    if (!converter) return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), WriteQuestionMarks, nullptr, nullptr, nullptr, &status);
    std::u16string all;
    for (char32_t unit = 1; unit <= 0xFFFF; ++unit) {
      if (unit < 0xD800 || unit > 0xDFFF) all += static_cast<char16_t>(unit);
    }
    std::vector<char> bytes(all.size() * 2);
    std::vector<int32_t> offsets(bytes.size());
    char* target = bytes.data();
    const UChar* source = all.data();
    ucnv_fromUnicode(converter.get(), &target, bytes.data() + bytes.size(), &source, all.data() + all.size(),
                     offsets.data(), true, &status);
    if (U_FAILURE(status)) return nullptr;
    auto table = std::make_unique<GbkEncodingTable>();
    table->codes_.fill('?');
    for (char16_t ascii = 0; ascii < 0x80; ++ascii) table->codes_[ascii] = ascii;
    table->codes_[0] = 0;
    std::size_t written = static_cast<std::size_t>(target - bytes.data());
    for (std::size_t i = 0; i < written;) {
      int32_t from = offsets[i];
      std::uint16_t code = static_cast<unsigned char>(bytes[i++]);
      if (i < written && offsets[i] == from) code = static_cast<std::uint16_t>(code << 8 | static_cast<unsigned char>(bytes[i++]));
      table->codes_[all[static_cast<std::size_t>(from)]] = code;
    }
    return table;
  }

  std::array<std::uint16_t, 0x10000> codes_{};
};

}  // namespace

std::optional<std::u16string> DecodeToUtf16(int codePage, std::string_view bytes) {
  // Both supported code pages need at most one UTF-16 unit per byte.
  std::u16string units(bytes.size(), u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  switch (Resolve(codePage)) {
    case kUtf8:
      u_strFromUTF8WithSub(units.data(), static_cast<int32_t>(units.size()), &length, bytes.data(),
                           static_cast<int32_t>(bytes.size()), 0xFFFD, nullptr, &status);
      break;
    case kGbk: {
      Converter converter = OpenGbk();
      if (!converter) return std::nullopt;
      length = ucnv_toUChars(converter.get(), units.data(), static_cast<int32_t>(units.size()), bytes.data(),
                             static_cast<int32_t>(bytes.size()), &status);
      break;
    }
    default:
      return std::nullopt;
  }
  if (U_FAILURE(status)) return std::nullopt;
  units.resize(static_cast<std::size_t>(length));
  return units;
}

std::optional<std::string> EncodeFromUtf16(int codePage, std::u16string_view units) {
  std::string bytes;
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  switch (Resolve(codePage)) {
    case kUtf8:
      bytes.resize(units.size() * 3);
      u_strToUTF8WithSub(bytes.data(), static_cast<int32_t>(bytes.size()), &length, units.data(),
                         static_cast<int32_t>(units.size()), 0xFFFD, nullptr, &status);
      break;
    case kGbk: {
      const GbkEncodingTable* table = GbkEncodingTable::Get();
      if (table == nullptr) return std::nullopt;
      bytes.resize(units.size() * 2);
      bytes.resize(static_cast<std::size_t>(table->Encode(units, bytes.data()) - bytes.data()));
      return bytes;
    }
    default:
      return std::nullopt;
  }
  if (U_FAILURE(status)) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(length));
  return bytes;
}

namespace {

// The next character of `text` from `at`, read as UTF-8 the way Windows
// reads it: an invalid sequence becomes U+FFFD, one per maximal subpart (the
// lead byte and the continuation bytes that were still possible after it).
// Advances `at` past what it read.
char32_t NextUtf8Character(std::string_view text, std::size_t& at) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(at++);
  if (lead < 0x80) return lead;
  int continuations = 0;
  char32_t character = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    continuations = 1;
    character = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    continuations = 2;
    character = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    continuations = 3;
    character = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0xFFFD;
  }
  for (int i = 0; i < continuations; ++i) {
    if (at >= text.size() || byte(at) < low || byte(at) > high) return 0xFFFD;
    character = (character << 6) | (byte(at++) & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return character;
}

}  // namespace

std::optional<std::string> ConvertFromUtf8(int codePage, std::string_view utf8) {
  if (Resolve(codePage) != kGbk) {
    std::optional<std::u16string> units = DecodeToUtf16(kUtf8, utf8);
    return units ? EncodeFromUtf16(codePage, *units) : std::nullopt;
  }
  const GbkEncodingTable* table = GbkEncodingTable::Get();
  if (table == nullptr) return std::nullopt;
  // One pass, without the UTF-16 text in between. Every character takes at
  // least as many UTF-8 bytes as it gets here, so the output fits the input's
  // size.
  std::string out(utf8.size(), '\0');
  char* next = out.data();
  for (std::size_t at = 0; at < utf8.size();) {
    // ASCII stays itself both ways: eight bytes at a time through the long
    // ASCII stretches of a page.
    std::uint64_t word;
    if (at + 8 <= utf8.size() && (std::memcpy(&word, utf8.data() + at, 8), (word & 0x8080808080808080ULL) == 0)) {
      std::memcpy(next, &word, 8);
      next += 8;
      at += 8;
      continue;
    }
    char32_t character = NextUtf8Character(utf8, at);
    if (character <= 0xFFFF) {
      char16_t unit = static_cast<char16_t>(character);
      next = table->Encode(std::u16string_view(&unit, 1), next);
    } else {
      // Two UTF-16 units, neither of which code page 936 maps: "??".
      *next++ = '?';
      *next++ = '?';
    }
  }
  out.resize(static_cast<std::size_t>(next - out.data()));
  return out;
}

}  // namespace quillory::codepage
