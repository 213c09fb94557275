#pragma once

#include <optional>
#include <string_view>

#include "text/text.h"

namespace quillory {

// What the walk over a raw response header block finds.
struct ResponseHeaderFacts {
  // HeaderValue of the last line containing "Location:" (exact case,
  // anywhere in the line, so a Content-Location line counts); nullopt when no
  // line contains it.
  std::optional<Text> redirectTarget;
  // The name=value item of every line containing "Set-Cookie", joined by
  // "; ": the trimmed text between "Set-Cookie:" and the next ";", or up to
  // the line's end when no ";" follows.
  Text receivedCookies;
};

[[nodiscard]] ResponseHeaderFacts WalkResponseHeaders(std::string_view responseHeaders);

}  // namespace quillory
