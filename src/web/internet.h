#pragma once

// The HTTP seam: a small internet client layer shaped like the platform's own
// (root handle, connection, request, send, read, header query, close), so that
// the web access routine is written once over it. One backend per platform
// implements these declarations.
//
// Handles close themselves; a null handle means the open failed. All calls
// are synchronous.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quillory::internet {

// Request flags, with the platform's values.
inline constexpr std::uint32_t kFlagReload = 0x80000000;  // never from a cache
inline constexpr std::uint32_t kFlagNeedFile = 0x00000010;
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000;  // no automatic cookies at all
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000;
inline constexpr std::uint32_t kFlagSecure = 0x00800000;  // TLS
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x00004000;

class Root;
class Connection;
class Request;

struct Closer {
  void operator()(Root* handle) const;
  void operator()(Connection* handle) const;
  void operator()(Request* handle) const;
};
using RootHandle = std::unique_ptr<Root, Closer>;
using ConnectionHandle = std::unique_ptr<Connection, Closer>;
using RequestHandle = std::unique_ptr<Request, Closer>;

// The root handle. `agent` becomes the User-Agent of its requests.
// `proxyList` nullopt: a direct connection, whatever the environment says.
// Otherwise a list such as "http=host:port", whose "http=" entry routes plain
// HTTP requests (only those) through that proxy.
[[nodiscard]] RootHandle Open(std::string_view agent, const std::optional<std::string>& proxyList);

// A connection to `server` at `port`; null when the server name is empty.
[[nodiscard]] ConnectionHandle Connect(const Root& root, std::string_view server, int port);

// A request for `objectName` (path and query) with `verb` and the flags.
[[nodiscard]] RequestHandle OpenRequest(const Connection& connection, std::string_view verb,
                                        std::string_view objectName, std::uint32_t flags);

// Sends the request with the header text (lines joined by CR LF) and, when
// given, the body; returns once the final response's headers have arrived or
// the exchange failed. Unless kFlagNoAutoRedirect is set, redirects are
// followed: only to http and https, at most limits::kMaxRedirects times, never
// from https to plain http.
bool Send(Request& request, std::string_view headers, std::optional<std::string_view> body);

// Up to buffer.size() body bytes; 0 at the end of the body, on any failure and
// once a limit is hit.
[[nodiscard]] std::size_t Read(Request& request, std::span<char> buffer);

// The final response's raw header block: the status line and each header
// line ended by CR LF, then an empty line, NUL-terminated. False, with the
// buffer untouched, when there is none or it does not fit with its NUL.
bool QueryRawHeaders(const Request& request, std::span<char> buffer);

// Why the exchange failed, for diagnostics; empty when it did not.
[[nodiscard]] std::string FailureReason(const Request& request);

// Trust the certificate authorities in this file instead of the system's.
// For tests against a server with a certificate of their own.
void UseCaFileForTesting(std::string path);

}  // namespace quillory::internet
