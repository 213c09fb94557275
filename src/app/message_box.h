#pragma once

// The message-box seam: one backend per platform.

#include <string_view>

namespace quillory {

// Shows `text` in a modal error box with no owner window and waits until it
// is closed. Before the window toolkit is up (or when it cannot come up) the
// text goes to standard error instead.
void ShowErrorBox(std::string_view text);

}  // namespace quillory
