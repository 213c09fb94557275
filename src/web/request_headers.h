#pragma once

#include <string_view>

#include "text/text.h"

namespace quillory {

// The agent text of a request whose header text names none.
inline constexpr std::string_view kDefaultAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; WEPLO; .NET CLR 2.0.50727; .NET CLR 3.0.04506.648; "
    ".NET CLR 3.5.21022)";

// The agent for a request: the trimmed value of the first header line that
// starts with "User-Agent:" in any case (even when that value is empty), else
// the default agent. Only that one line's value is taken, never the lines
// after it.
[[nodiscard]] Text AgentFromHeaders(std::string_view requestHeaders);

// The header text as it is sent: the caller's lines as written, then, each
// when the text so far lacks it (exact case), a Referer line with `url`, an
// "Accept: */*", an "Accept-Language: zh-cn" and a form Content-Type line, and
// a Cookie line whenever `cookies` is not empty. Lines are joined by CR LF;
// nothing is trimmed, re-cased or de-duplicated.
[[nodiscard]] Text CompleteRequestHeaders(std::string_view requestHeaders, std::string_view url,
                                          std::string_view cookies);

}  // namespace quillory
