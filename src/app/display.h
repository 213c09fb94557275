#pragma once

// The display seam: whether the window toolkit can open its display. One
// backend per platform.

#include <optional>
#include <string>

namespace quillory {

// Why no window can be shown (no display, refused connection), or nullopt
// when the toolkit can start. Asked before the toolkit starts, because Qt
// aborts the process when it cannot reach its display.
[[nodiscard]] std::optional<std::string> WhyNoDisplay();

}  // namespace quillory
