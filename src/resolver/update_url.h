#pragma once

#include <string_view>

#include "text/text.h"

namespace quillory {

// The host of the extension update service.
inline constexpr std::string_view kUpdateServiceHost = "clients2.google.com";

// The update-service request address for an extension identifier, which goes
// in exactly as typed: not trimmed, checked or escaped.
//
//   BuildUpdateUrl("abc") == "http://clients2.google.com/service/update2/crx"
//                            "?response=redirect&x=id%3Dabc%26uc%26lang%3Den-US&prod=chrome"
[[nodiscard]] Text BuildUpdateUrl(std::string_view extensionId);

}  // namespace quillory
