#include "app/open_in_browser.h"

#include <algorithm>

#include "app/desktop_opener.h"
#include "resolver/code_page.h"
#include "text/transform.h"

namespace quillory {

std::optional<std::string> LinkForDesktop(const Text& link) {
  std::string_view bytes = link.view();
  Text scheme = ToLower(bytes.substr(0, 8));
  std::size_t after_scheme = scheme.view().substr(0, 7) == "http://" ? 7 : scheme == "https://" ? 8 : 0;
  if (after_scheme == 0 || bytes.size() == after_scheme) return std::nullopt;
  bool has_control = std::any_of(bytes.begin(), bytes.end(), [](char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
  if (has_control) return std::nullopt;
  Text utf8 = UnicodeToMultiByte(MultiByteToUnicode(link, 936), 65001);
  return std::string(utf8.view());
}

void OpenInBrowser(const Text& url) {
  if (std::optional<std::string> link = LinkForDesktop(url)) OpenWithDesktop(*link);
}

}  // namespace quillory
