#pragma once

#include "text/byte_set.h"
#include "text/text.h"

namespace quillory {

// The download link in the update service's redirect page: the page up to its
// first zero byte, percent-decoded and converted from UTF-8 to code page 936
// as a whole, then the text between the first "<A HREF=\"" and the next
// "\">here</A>", compared byte for byte. Absent when the page lacks either
// marker (a lower-case anchor included).
[[nodiscard]] Text ExtractDownloadLink(const ByteSet& body);

}  // namespace quillory
