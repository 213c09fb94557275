#include "web/request_headers.h"

#include <string>

#include "text/find.h"
#include "text/split.h"
#include "text/transform.h"

namespace quillory {

Text AgentFromHeaders(std::string_view requestHeaders) {
  constexpr std::string_view kMarker = "user-agent:";
  for (const Text& line : SplitText(requestHeaders, "\r\n")) {
    if (ToLower(line.view().substr(0, kMarker.size())) == kMarker) return TrimBoth(line.view().substr(kMarker.size()));
  }
  return Text(kDefaultAgent);
}

Text CompleteRequestHeaders(std::string_view requestHeaders, std::string_view url, std::string_view cookies) {
  std::string headers(requestHeaders);
  if (FindText(headers, "Referer:") == -1) {
    headers += headers.empty() ? "Referer: " : "\r\nReferer: ";
    headers += url;
  }
  if (FindText(headers, "Accept:") == -1) headers += "\r\nAccept: */*";
  if (FindText(headers, "Accept-Language:") == -1) headers += "\r\nAccept-Language: zh-cn";
  if (FindText(headers, "Content-Type:") == -1) headers += "\r\nContent-Type: application/x-www-form-urlencoded";
  if (!cookies.empty()) {
    headers += "\r\nCookie: ";
    headers += cookies;
  }
  return Text(headers);
}

}  // namespace quillory
