#pragma once

// The desktop seam for opening a link: one backend per platform.

#include <string>

namespace quillory {

// Asks the desktop to open `url` (UTF-8) with the user's preferred program,
// without waiting for it and without a shell in between. Failures are
// ignored.
void OpenWithDesktop(const std::string& url);

}  // namespace quillory
