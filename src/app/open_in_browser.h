#pragma once

#include <optional>
#include <string>

#include "text/text.h"

namespace quillory {

// The link as the desktop gets it (UTF-8), or nullopt when it must not be
// opened. The link comes from a page that arrives over plain HTTP, which
// anyone on the way can rewrite, and the desktop's "open" action runs
// programs for paths, file: URLs and .desktop files: only an absolute http://
// or https:// link without control characters goes on. An empty link has no
// useful meaning to any opener and goes nowhere either.
[[nodiscard]] std::optional<std::string> LinkForDesktop(const Text& link);

// Hands `url` (code page 936) to the desktop's "open" action, so that the
// user's browser opens it; anything LinkForDesktop refuses is ignored
// silently, as is a failure of the opener. The platform this was made for
// also looks for an open "Microsoft Internet Explorer" window to own the
// action; that has no meaning on this desktop and is left out.
void OpenInBrowser(const Text& url);

}  // namespace quillory
