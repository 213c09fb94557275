#include "web/fetch_url.h"

#include <array>
#include <cstdint>

#include "text/integer.h"
#include "web/cookies.h"
#include "web/internet.h"
#include "web/request_headers.h"
#include "web/response_headers.h"
#include "web/url.h"

namespace quillory {
namespace {

constexpr int kReadPieceBytes = 1024;
constexpr int kHeaderBufferBytes = 5000;

std::uint32_t RequestFlags(std::string_view url, const FetchOptions& options) {
  std::int32_t flags = BitOr(internet::kFlagReload, internet::kFlagNeedFile);
  if (options.cookies != nullptr) flags = BitOr(flags, internet::kFlagNoCookies);
  if (options.suppressRedirect) flags = BitOr(flags, internet::kFlagNoAutoRedirect);
  flags = BitOr(flags, StartsWithHttps(url) ? internet::kFlagSecure : internet::kFlagIgnoreRedirectToHttps);
  return static_cast<std::uint32_t>(flags);
}

}  // namespace

ByteSet FetchUrl(std::string_view url, const FetchOptions& options) {
  Text scratch_cookies;
  Text scratch_received;
  Text scratch_headers;
  Text scratch_redirect;
  Text scratch_response;
  ByteSet scratch_post;
  Text& cookies = options.cookies != nullptr ? *options.cookies : scratch_cookies;
  Text& receivedCookies = options.receivedCookies != nullptr ? *options.receivedCookies : scratch_received;
  Text& requestHeaders = options.requestHeaders != nullptr ? *options.requestHeaders : scratch_headers;
  Text& redirectTarget = options.redirectTarget != nullptr ? *options.redirectTarget : scratch_redirect;
  Text& responseHeaders = options.responseHeaders != nullptr ? *options.responseHeaders : scratch_response;
  ByteSet& postBytes = options.postBytes != nullptr ? *options.postBytes : scratch_post;

  std::string_view verb = options.method == 1 ? "POST" : "GET";
  Text agent = AgentFromHeaders(requestHeaders);
  std::optional<std::string> proxyList;
  if (options.proxyAddress) proxyList = "http=" + std::string(options.proxyAddress->view());

  // Declared in opening order, so that every path out closes them in the
  // order request, connection, root.
  internet::RootHandle root = internet::Open(agent, proxyList);
  if (!root) return ByteSet();
  internet::ConnectionHandle connection = internet::Connect(*root, UrlHost(url), UrlPort(url));
  if (!connection) return ByteSet();
  internet::RequestHandle request =
      internet::OpenRequest(*connection, verb, UrlPath(url), RequestFlags(url, options));
  if (!request) return ByteSet();

  requestHeaders = CompleteRequestHeaders(requestHeaders, url, cookies);
  if (options.method != 0) {
    if (postBytes.empty()) postBytes = TextToBytes(options.postText);
    internet::Send(*request, requestHeaders, postBytes.bytes());
  } else {
    internet::Send(*request, requestHeaders, std::nullopt);
  }

  ByteSet body;
  std::array<char, kReadPieceBytes> piece;
  while (std::size_t count = internet::Read(*request, piece)) body.Append(std::string_view(piece.data(), count));

  std::array<char, kHeaderBufferBytes> header_buffer;
  responseHeaders = internet::QueryRawHeaders(*request, header_buffer) ? Text(header_buffer.data())
                                                                        : BlankText(kHeaderBufferBytes);
  request.reset();
  connection.reset();
  root.reset();

  ResponseHeaderFacts facts = WalkResponseHeaders(responseHeaders);
  receivedCookies = facts.receivedCookies;
  if (facts.redirectTarget) redirectTarget = *facts.redirectTarget;
  if (options.cookies != nullptr) MergeCookies(cookies, receivedCookies);
  if (CompareText(redirectTarget, "") == 0) redirectTarget = responseHeaders;
  return body;
}

}  // namespace quillory
