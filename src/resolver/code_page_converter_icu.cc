// The code-page seam over ICU.

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

#include <memory>

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
      Converter converter = OpenGbk();
      if (!converter) return std::nullopt;
      ucnv_setFromUCallBack(converter.get(), WriteQuestionMarks, nullptr, nullptr, nullptr, &status);
      // At most two bytes per unit: a character is one or two bytes, and an
      // unmappable unit is one "?".
      bytes.resize(units.size() * 2);
      length = ucnv_fromUChars(converter.get(), bytes.data(), static_cast<int32_t>(bytes.size()), units.data(),
                               static_cast<int32_t>(units.size()), &status);
      break;
    }
    default:
      return std::nullopt;
  }
  if (U_FAILURE(status)) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(length));
  return bytes;
}

}  // namespace quillory::codepage
