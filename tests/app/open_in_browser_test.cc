#include "app/open_in_browser.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(LinkForDesktop, OnlyAbsoluteWebLinksWithoutControlCharactersGoOn) {
  struct Row {
    const char* name;
    Text link;
    std::optional<std::string> handed;
  } rows[] = {
      {"https link", "https://h.example/a.crx", "https://h.example/a.crx"},
      {"http link in any case", "HTTP://h/x", "HTTP://h/x"},
      {"code page 936 becomes UTF-8", "http://h/\xD6\xD0", "http://h/\xE4\xB8\xAD"},
      {"decoded space stays", "http://h/a b", "http://h/a b"},
      {"empty", Text(), std::nullopt},
      {"scheme alone", "https://", std::nullopt},
      {"file URL", "file:///etc/passwd", std::nullopt},
      {"absolute path", "/usr/bin/xterm", std::nullopt},
      {"desktop file", "evil.desktop", std::nullopt},
      {"javascript", "javascript:alert(1)", std::nullopt},
      {"option-like", "--help", std::nullopt},
      {"line break", "http://h/\r\nx", std::nullopt},
      {"tab", "http://h/\tx", std::nullopt},
      {"delete", "http://h/\x7F", std::nullopt},
      {"scheme without slashes", "http:h", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(LinkForDesktop(row.link), row.handed);
  }
}

}  // namespace
}  // namespace quillory
