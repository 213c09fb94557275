#include "resolver/download_link.h"

#include "resolver/percent_decode.h"
#include "text/between.h"

namespace quillory {

Text ExtractDownloadLink(const ByteSet& body) {
  Text page = PercentDecode(BytesToText(body), /*fromUtf8=*/true);
  return TextBetween(page, "<A HREF=\"", "\">here</A>");
}

}  // namespace quillory
