#include "web/response_headers.h"

#include <string>

#include "text/between.h"
#include "text/find.h"
#include "text/split.h"
#include "text/transform.h"

namespace quillory {
namespace {

Text CookieItem(std::string_view line) {
  constexpr std::string_view kMarker = "Set-Cookie:";
  Text item = TextBetween(line, kMarker, ";");
  int marker = FindText(line, kMarker);
  // A cookie line without any ";" after the name=value item is still a
  // cookie: take the rest of the line rather than lose it.
  if (marker != -1 && FindText(line, ";", marker + static_cast<int>(kMarker.size())) == -1) {
    item = Text(line.substr(static_cast<std::size_t>(marker) - 1 + kMarker.size()));
  }
  return TrimBoth(item);
}

}  // namespace

ResponseHeaderFacts WalkResponseHeaders(std::string_view responseHeaders) {
  ResponseHeaderFacts facts;
  std::string cookies;
  for (const Text& line : SplitText(responseHeaders, "\r\n")) {
    if (FindText(line, "Location:") != -1) facts.redirectTarget = HeaderValue(line);
    if (FindText(line, "Set-Cookie") != -1) {
      cookies.append(CookieItem(line).view());
      cookies.append("; ");
    }
  }
  facts.receivedCookies = TextLeft(cookies, TextLength(cookies) - 2);
  return facts;
}

}  // namespace quillory
