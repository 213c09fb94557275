#include "resolver/download_link.h"

#include "resolver/percent_decode.h"
#include "text/between.h"

namespace quillory {

Text ExtractDownloadLink(const ByteSet& body) {
  // The page ends at the body's first zero byte, as BytesToText cuts it.
  std::string_view page_bytes = body.bytes().substr(0, body.bytes().find('\0'));
  Text page = PercentDecodeBytes(page_bytes, /*fromUtf8=*/true);
  return TextBetween(page, "<A HREF=\"", "\">here</A>");
}

}  // namespace quillory
