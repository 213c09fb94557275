#include "web/fetch_url.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "support/loopback_server.h"
#include "web/request_headers.h"

namespace quillory {
namespace {

using ::quillory::testing::HttpResponse;
using ::quillory::testing::LoopbackServer;
using ::quillory::testing::ServerConnection;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;
using namespace std::string_view_literals;

const std::string kOk = HttpResponse("HTTP/1.1 200 OK", "Content-Type: text/plain\r\n", "hello");

// Every in/out and out parameter, supplied, so that a test can look at all of
// them after a call.
struct Outputs {
  Text received = "old received";
  Text requestHeaders;
  Text redirectTarget;
  ByteSet postBytes;
  Text responseHeaders = "old response";
};

FetchOptions AllOutputs(Outputs& out, FetchOptions options = {}) {
  options.receivedCookies = &out.received;
  options.requestHeaders = &out.requestHeaders;
  options.redirectTarget = &out.redirectTarget;
  options.postBytes = &out.postBytes;
  options.responseHeaders = &out.responseHeaders;
  return options;
}

std::string HeaderBlockOf(const std::string& response) { return response.substr(0, response.find("\r\n\r\n") + 4); }

TEST(FetchUrl, AllLeftOutSendsAPlainGetWithTheDefaultHeaders) {
  LoopbackServer server(LoopbackServer::Respond(kOk));
  std::string url = server.Url("/path?q=1");
  Outputs out;
  ByteSet body = FetchUrl(url, AllOutputs(out));

  EXPECT_EQ(body.bytes(), "hello");
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests().at(0);
  EXPECT_THAT(request, StartsWith("GET /path?q=1 HTTP/1.1\r\n"));
  EXPECT_THAT(request, HasSubstr("\r\nUser-Agent: " + std::string(kDefaultAgent) + "\r\n"));
  EXPECT_THAT(request, HasSubstr("\r\nReferer: " + url + "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
                                 "Content-Type: application/x-www-form-urlencoded\r\n"));
  EXPECT_THAT(request, Not(HasSubstr("Cookie")));
  EXPECT_THAT(request, Not(HasSubstr("Expect")));
  EXPECT_EQ(out.requestHeaders, Text("Referer: " + url +
                                     "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
                                     "Content-Type: application/x-www-form-urlencoded"));
  EXPECT_EQ(out.responseHeaders, Text(HeaderBlockOf(kOk)));
  EXPECT_EQ(out.redirectTarget, out.responseHeaders) << "no Location line: the header block";
  EXPECT_FALSE(out.received.present());
  EXPECT_FALSE(out.postBytes.present());
}

TEST(FetchUrl, BodiesOfPostAndOfOtherMethods) {
  LoopbackServer server(LoopbackServer::Respond(kOk));
  struct Row {
    const char* name;
    int method;
    Text postText;
    ByteSet postBytes;
    std::string requestLine;
    std::string sentBody;
    ByteSet postBytesAfter;
  } rows[] = {
      {"post text fills post bytes", 1, "a=1", ByteSet(), "POST / ", "a=1", ByteSet("a=1")},
      {"post bytes win over post text", 1, "a=1", ByteSet("b\0c"sv), "POST / ", std::string("b\0c", 3),
       ByteSet("b\0c"sv)},
      {"post with nothing to send", 1, Text(), ByteSet(), "POST / ", "", ByteSet()},
      {"method 2 is a GET with a body", 2, "x=9", ByteSet(), "GET / ", "x=9", ByteSet("x=9")},
      {"method 0 sends no body", 0, "x=9", ByteSet(), "GET / ", "", ByteSet()},
  };
  for (auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::size_t before = server.Requests().size();
    Outputs out;
    out.postBytes = row.postBytes;
    ByteSet body = FetchUrl(server.Url(), AllOutputs(out, {.method = row.method, .postText = row.postText}));
    EXPECT_EQ(body.bytes(), "hello");
    ASSERT_EQ(server.Requests().size(), before + 1);
    std::string request = server.Requests().back();
    EXPECT_THAT(request, StartsWith(row.requestLine));
    EXPECT_EQ(request.substr(request.find("\r\n\r\n") + 4), row.sentBody);
    if (row.method != 0) {
      EXPECT_THAT(request, HasSubstr("Content-Length: " + std::to_string(row.sentBody.size())));
    }
    EXPECT_EQ(out.postBytes, row.postBytesAfter);
  }
}

TEST(FetchUrl, RedirectSuppressedOrFollowed) {
  std::string page = "<A HREF=\"/final\">here</A>";
  std::string redirect;
  LoopbackServer server([&](ServerConnection& connection) {
    std::string request = connection.ReadRequest();
    connection.Send(request.rfind("GET /final ", 0) == 0 ? kOk : redirect);
  });
  redirect = HttpResponse("HTTP/1.1 302 Found", "Location: " + server.Url("/final") + "\r\n", page);

  Outputs suppressed;
  ByteSet body = FetchUrl(server.Url("/start"), AllOutputs(suppressed, {.suppressRedirect = true}));
  EXPECT_EQ(body.bytes(), page);
  EXPECT_EQ(suppressed.redirectTarget, Text(server.Url("/final")));
  EXPECT_EQ(server.Requests().size(), 1u);

  Outputs followed;
  body = FetchUrl(server.Url("/start"), AllOutputs(followed));
  EXPECT_EQ(body.bytes(), "hello");
  EXPECT_EQ(followed.responseHeaders, Text(HeaderBlockOf(kOk))) << "the last response's headers only";
  EXPECT_EQ(server.Requests().size(), 3u);
}

TEST(FetchUrl, RedirectLoopEndsAfterFiveHops) {
  std::string loop;
  LoopbackServer server([&](ServerConnection& connection) {
    if (!connection.ReadRequest().empty()) connection.Send(loop);
  });
  loop = HttpResponse("HTTP/1.1 302 Found", "Location: " + server.Url("/again") + "\r\n", "loop");
  Outputs out;
  ByteSet body = FetchUrl(server.Url("/"), AllOutputs(out));
  EXPECT_EQ(body.bytes(), "loop");
  EXPECT_EQ(server.Requests().size(), 6u) << "the first request and five redirects";
  EXPECT_EQ(out.redirectTarget, Text(server.Url("/again")));
}

TEST(FetchUrl, RedirectOnlyToHttpAndHttps) {
  LoopbackServer server(
      LoopbackServer::Respond(HttpResponse("HTTP/1.1 302 Found", "Location: file:///etc/passwd\r\n", "page")));
  ByteSet body = FetchUrl(server.Url("/"));
  EXPECT_EQ(body.bytes(), "page");
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(FetchUrl, ReceivedCookiesAreCollectedAndMergedIntoSuppliedCookies) {
  LoopbackServer server(LoopbackServer::Respond(
      HttpResponse("HTTP/1.1 200 OK",
                   "Set-Cookie: a=1; path=/\r\nSet-Cookie: c=3\r\nSet-Cookie: old=deleted; path=/\r\n", "")));
  Outputs out;
  Text cookies = "old=1; keep=2";
  FetchOptions options = AllOutputs(out);
  options.cookies = &cookies;
  (void)FetchUrl(server.Url(), options);

  EXPECT_THAT(server.Requests().at(0), HasSubstr("\r\nCookie: old=1; keep=2\r\n"));
  EXPECT_EQ(cookies, "a=1; c=3; keep=2");
  EXPECT_EQ(out.received, "a=1;c=3;old=deleted") << "the merge removes the spaces of the received text";
}

TEST(FetchUrl, LeftOutCookiesUseTheProcessCookieStore) {
  LoopbackServer server([](ServerConnection& connection) {
    std::string request = connection.ReadRequest();
    bool has_cookie = request.find("\r\nCookie: store=1") != std::string::npos;
    connection.Send(has_cookie ? kOk : HttpResponse("HTTP/1.1 200 OK", "Set-Cookie: store=1; path=/\r\n", "set"));
  });
  EXPECT_EQ(FetchUrl(server.Url("/one")).bytes(), "set");
  EXPECT_EQ(FetchUrl(server.Url("/two")).bytes(), "hello") << "the stored cookie goes with the second call";

  Text empty_cookies = "";
  ByteSet caller_managed = FetchUrl(server.Url("/three"), {.cookies = &empty_cookies});
  EXPECT_EQ(caller_managed.bytes(), "set") << "supplied cookies switch the store off";
  EXPECT_THAT(server.Requests().at(2), Not(HasSubstr("Cookie")));
  EXPECT_EQ(empty_cookies, "store=1");
}

TEST(FetchUrl, CallerHeaderLinesAndAgent) {
  LoopbackServer server(LoopbackServer::Respond(kOk));
  Outputs out;
  out.requestHeaders = "User-Agent: Mine/1.0\r\nX-Empty:\r\n\r\nNo colon here\r\nX-Bad: a\nInjected: 1\r\nX-Last: z";
  (void)FetchUrl(server.Url(), AllOutputs(out));
  const std::string request = server.Requests().at(0);
  EXPECT_THAT(request, HasSubstr("\r\nUser-Agent: Mine/1.0\r\n"));
  EXPECT_EQ(request.find("User-Agent:"), request.rfind("User-Agent:")) << "one agent line";
  EXPECT_THAT(request, HasSubstr("\r\nX-Empty:\r\n"));
  EXPECT_THAT(request, HasSubstr("\r\nX-Last: z\r\n"));
  EXPECT_THAT(request, Not(HasSubstr("No colon")));
  EXPECT_THAT(request, Not(HasSubstr("Injected")));
  EXPECT_EQ(request.find("\r\n\r\n") + 4, request.size()) << "the header block ends once, at its end";
  EXPECT_THAT(out.requestHeaders.view(), StartsWith("User-Agent: Mine/1.0\r\nX-Empty:\r\n\r\nNo colon here"));
}

TEST(FetchUrl, UnsafeBytesInTheObjectNameArePercentEncoded) {
  LoopbackServer server(LoopbackServer::Respond(kOk));
  (void)FetchUrl(server.Url("/a b\r\nX: y\x01\xD6"));
  EXPECT_THAT(server.Requests().at(0), StartsWith("GET /a%20b%0D%0AX:%20y%01%D6 HTTP/1.1\r\n"));
}

TEST(FetchUrl, HeaderBlockOverFiveThousandBytesIsNotRead) {
  std::string long_headers;
  for (int i = 0; i < 60; ++i) long_headers += "X-Filler-" + std::to_string(i) + ": " + std::string(90, 'f') + "\r\n";
  LoopbackServer server(
      LoopbackServer::Respond(HttpResponse("HTTP/1.1 302 Found", "Location: /x\r\n" + long_headers, "body")));
  Outputs out;
  ByteSet body = FetchUrl(server.Url(), AllOutputs(out, {.suppressRedirect = true}));
  EXPECT_EQ(body.bytes(), "body");
  EXPECT_EQ(out.responseHeaders, Text(std::string(5000, ' ')));
  EXPECT_EQ(out.redirectTarget, out.responseHeaders);
}

TEST(FetchUrl, EmptyBodyStillFillsTheOutputs) {
  LoopbackServer server(LoopbackServer::Respond("HTTP/1.1 204 No Content\r\nLocation: /n\r\n\r\n"));
  Outputs out;
  ByteSet body = FetchUrl(server.Url(), AllOutputs(out));
  EXPECT_FALSE(body.present());
  EXPECT_EQ(out.responseHeaders, "HTTP/1.1 204 No Content\r\nLocation: /n\r\n\r\n");
  EXPECT_EQ(out.redirectTarget, "/n");
}

TEST(FetchUrl, OddButValidAnswers) {
  struct Row {
    const char* name;
    std::string response;
    std::string body;
    std::string headers;
  } rows[] = {
      {"HTTP/1.0 closed by the server", "HTTP/1.0 200 OK\r\nServer: old\r\n\r\nold body", "old body",
       "HTTP/1.0 200 OK\r\nServer: old\r\n\r\n"},
      {"no header lines", "HTTP/1.1 200 OK\r\n\r\n", "", "HTTP/1.1 200 OK\r\n\r\n"},
      {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n", "abcde",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"},
      {"chunked with a trailer",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\nz\r\n0\r\nX-Trailer: t\r\n\r\n", "z",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"},
      {"bare line feeds", "HTTP/1.1 200 OK\nX: 1\n\nlf", "lf", "HTTP/1.1 200 OK\r\nX: 1\r\n\r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    LoopbackServer server(LoopbackServer::Respond(row.response));
    Outputs out;
    EXPECT_EQ(FetchUrl(server.Url(), AllOutputs(out)).bytes(), row.body);
    EXPECT_EQ(out.responseHeaders, Text(row.headers));
  }
}

TEST(FetchUrl, LargeBodyArrivesWhole) {
  std::string large;
  for (int i = 0; i < (1 << 21); ++i) large += static_cast<char>(i * 7);
  LoopbackServer server(LoopbackServer::Respond(HttpResponse("HTTP/1.1 200 OK", "", large)));
  EXPECT_EQ(FetchUrl(server.Url()).bytes(), large);
}

TEST(FetchUrl, AddressWithoutAHostFailsBeforeWritingAnything) {
  Outputs out;
  out.requestHeaders = "X: 1";
  Text cookies = "a=1";
  FetchOptions options = AllOutputs(out, {.method = 1, .postText = "p"});
  options.cookies = &cookies;
  EXPECT_FALSE(FetchUrl("http:///nohost", options).present());
  EXPECT_EQ(out.requestHeaders, "X: 1");
  EXPECT_EQ(out.received, "old received");
  EXPECT_EQ(out.responseHeaders, "old response");
  EXPECT_FALSE(out.redirectTarget.present());
  EXPECT_FALSE(out.postBytes.present());
  EXPECT_EQ(cookies, "a=1");
}

TEST(FetchUrl, RefusedConnectionIsAFailedSend) {
  int port;
  {
    LoopbackServer closed(LoopbackServer::Respond(kOk));
    port = closed.port();
  }
  Outputs out;
  Text cookies = "a = 1";
  FetchOptions options = AllOutputs(out);
  options.cookies = &cookies;
  ByteSet body = FetchUrl("http://127.0.0.1:" + std::to_string(port) + "/", options);
  EXPECT_FALSE(body.present());
  EXPECT_EQ(out.responseHeaders, Text(std::string(5000, ' ')));
  EXPECT_EQ(out.redirectTarget, out.responseHeaders);
  EXPECT_FALSE(out.received.present());
  EXPECT_EQ(cookies, "a=1") << "still merged, with nothing received";
  EXPECT_THAT(out.requestHeaders.view(), HasSubstr("Cookie: a = 1"));
}

TEST(FetchUrl, HttpGoesThroughTheProxyAsAnAbsoluteRequest) {
  LoopbackServer proxy(LoopbackServer::Respond(kOk));
  std::string address = "127.0.0.1:" + std::to_string(proxy.port());
  ByteSet body = FetchUrl("http://far.example.test/p?q", {.proxyAddress = Text(address)});
  EXPECT_EQ(body.bytes(), "hello");
  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_THAT(proxy.Requests()[0], StartsWith("GET http://far.example.test/p?q HTTP/1.1\r\n"));
  EXPECT_THAT(proxy.Requests()[0], HasSubstr("\r\nHost: far.example.test\r\n"));
}

TEST(FetchUrl, EmptyProxyAddressAndProxyVariablesMeanDirect) {
  LoopbackServer server(LoopbackServer::Respond(kOk));
  LoopbackServer trap(LoopbackServer::Respond(kOk));
  std::string trap_address = "http://127.0.0.1:" + std::to_string(trap.port());
  setenv("http_proxy", trap_address.c_str(), 1);
  setenv("HTTP_PROXY", trap_address.c_str(), 1);
  EXPECT_EQ(FetchUrl(server.Url(), {.proxyAddress = Text("")}).bytes(), "hello");
  EXPECT_EQ(FetchUrl(server.Url()).bytes(), "hello");
  unsetenv("http_proxy");
  unsetenv("HTTP_PROXY");
  EXPECT_EQ(trap.Requests().size(), 0u);
  EXPECT_EQ(server.Requests().size(), 2u);
}

}  // namespace
}  // namespace quillory
