#pragma once

// The page the kernels are measured on: mostly ASCII HTML with percent
// escapes and some code page 936 characters, the anchor at its very end.
// python_baseline.py builds the same bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace quillory::bench {

inline constexpr std::string_view kPageBlock =
    "<p class=\"row\">Item %E4%B8%AD%E6%96%87 text with escapes %41%42%43 and \xD6\xD0\xCE\xC4 words "
    "&amp; more</p>\r\n";
inline constexpr std::string_view kPageAnchor =
    "<A HREF=\"https://clients2.googleusercontent.com/crx/blobs/AV8X/AAPB_2_0_16_0%20x.crx\">here</A>\r\n";
inline constexpr std::string_view kMarker = "\">here</A>";

inline std::string MakePage(std::size_t size) {
  std::string page;
  page.reserve(size);
  while (page.size() + kPageBlock.size() <= size - kPageAnchor.size()) page += kPageBlock;
  page.append(size - kPageAnchor.size() - page.size(), ' ');
  page += kPageAnchor;
  return page;
}

}  // namespace quillory::bench
