// The display seam for the X11 (xcb) platform of Qt.

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

#include "app/display.h"

namespace quillory {

std::optional<std::string> WhyNoDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  // Other platforms (offscreen, for one) report their own failures without
  // aborting.
  if (platform != nullptr && *platform != '\0' && std::string_view(platform).substr(0, 3) != "xcb") {
    return std::nullopt;
  }
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return "no display is set (DISPLAY is empty)";
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  int error = xcb_connection_has_error(connection);
  xcb_disconnect(connection);
  if (error != 0) return "the display \"" + std::string(display) + "\" cannot be opened";
  return std::nullopt;
}

}  // namespace quillory
