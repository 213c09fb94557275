#pragma once

#include <optional>
#include <string_view>

#include "text/text.h"

namespace quillory {

struct UrlHostOptions {
  // Reduce the host to its last labels, as the method in force says.
  bool domainOnly = false;
  // Keep the first colon and everything after it on the result.
  bool keepPort = false;
  // Supplied (any value, 0 and negatives included) selects the label-count
  // method; left out, the scheme method.
  std::optional<int> labelCount = std::nullopt;
};

// The host of an address, in lower case, without validating anything.
//
// The scheme method takes the bytes after the first "https://" (when the
// address starts with it) or after the first "http://" anywhere (one is put in
// front when there is none) up to the next "/"; with `domainOnly` it keeps the
// last two dot-separated labels. So user information reads as the host, and a
// query without a "/" before it stays in the host.
//
//   UrlHost("HTTP://Aa.Bb.Cc:8080/Path?q=1")                   == "aa.bb.cc"
//   UrlHost("http://w.n.e.c/", {.domainOnly = true, .labelCount = 1}) == "e.c"
[[nodiscard]] Text UrlHost(std::string_view url, const UrlHostOptions& options = {});

// Whether the address's first five bytes are "https" in any case: the test
// that picks the default port and TLS. It does not look at the "://" after
// them.
[[nodiscard]] bool StartsWithHttps(std::string_view url);

// The port after the last colon of the host (0 when no number follows it),
// else 443 when the address starts with "https" in any case, else 80.
[[nodiscard]] int UrlPort(std::string_view url);

// The object name: from the first "/" at or after the host (searched from the
// first byte, ignoring case) to the end, in the address's own case; "/" when
// there is none. Never empty.
[[nodiscard]] Text UrlPath(std::string_view url);

}  // namespace quillory
