#pragma once

#include <optional>
#include <string_view>

#include "text/byte_set.h"
#include "text/text.h"

namespace quillory {

// The optional arguments of FetchUrl. A pointer left null is a left-out
// in/out or out parameter: the routine then works on a scratch value that the
// caller never sees. On failure before the request is open (no host in the
// address, for one) none of the caller's values is written.
struct FetchOptions {
  // 1: "POST"; any other value "GET". Every value but 0 sends a body.
  int method = 0;
  // The body when one is sent and `postBytes` is empty.
  Text postText = {};
  // Cookie text ("a=1; b=2"), sent as a Cookie line when not empty.
  // Supplying it, even empty, turns automatic cookie handling off for the
  // request, and the received cookies are merged into it afterwards.
  // Left out, the process-wide cookie store is used.
  Text* cookies = nullptr;
  // Out: the cookies the response set, joined by "; ".
  Text* receivedCookies = nullptr;
  // In/out: extra header lines joined by CR LF; replaced by the completed
  // header text that is sent.
  Text* requestHeaders = nullptr;
  // In/out: set to the value of the last line containing "Location:"; when
  // empty at the end, it receives the response header block.
  Text* redirectTarget = nullptr;
  // true: a redirect response comes back as it is, not followed.
  bool suppressRedirect = false;
  // In/out: the body bytes; when a body is sent and this is empty, it is
  // replaced by the bytes of `postText`.
  ByteSet* postBytes = nullptr;
  // Supplied (even empty): plain HTTP goes through the proxy "http=" + this.
  // Left out: a direct connection.
  std::optional<Text> proxyAddress = std::nullopt;
  // Out: the raw response header block (status line and header lines, each
  // ended by CR LF, then an empty line); 5000 spaces when there is none or it
  // does not fit in 5000 bytes.
  Text* responseHeaders = nullptr;
};

// Performs one HTTP or HTTPS exchange and returns the response body; empty
// when the exchange fails. Failures are never reported otherwise. Blocks the
// calling thread for at most the limits in web/limits.h.
//
//   ByteSet page = FetchUrl(address, {.suppressRedirect = true});
[[nodiscard]] ByteSet FetchUrl(std::string_view url, const FetchOptions& options = {});

}  // namespace quillory
