#include <gtest/gtest.h>

#include "web/request_headers.h"
#include "web/response_headers.h"

namespace quillory {
namespace {

constexpr std::string_view kDefaults =
    "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";

TEST(RequestHeaders, Completion) {
  struct Row {
    const char* name;
    std::string_view headers, cookies;
    std::string expected;
  } rows[] = {
      {"nothing given", "", "", "Referer: http://u/" + std::string(kDefaults)},
      {"lower-case referer is not a Referer line", "referer: x", "",
       "referer: x\r\nReferer: http://u/" + std::string(kDefaults)},
      {"trailing line end leaves an empty line", "X: 1\r\n", "",
       "X: 1\r\n\r\nReferer: http://u/" + std::string(kDefaults)},
      {"present lines are not added again",
       "Referer: r\r\nAccept: a\r\nAccept-Language: l\r\nContent-Type: c", "",
       "Referer: r\r\nAccept: a\r\nAccept-Language: l\r\nContent-Type: c"},
      {"cookie line", "", "a=1; b=2", "Referer: http://u/" + std::string(kDefaults) + "\r\nCookie: a=1; b=2"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CompleteRequestHeaders(row.headers, "http://u/", row.cookies), Text(row.expected));
  }
}

TEST(RequestHeaders, CompletingTwiceAddsOnlyTheCookieLineAgain) {
  Text once = CompleteRequestHeaders("", "http://u/", "c=1");
  Text twice = CompleteRequestHeaders(once, "http://u/", "c=1");
  EXPECT_EQ(twice, Text(std::string(once.view()) + "\r\nCookie: c=1"));
}

TEST(RequestHeaders, Agent) {
  struct Row {
    const char* name;
    std::string_view headers;
    Text agent;
  } rows[] = {
      {"none", "Accept: a", Text(kDefaultAgent)},
      {"exact case", "Accept: a\r\nUser-Agent: X \r\nB: b", "X"},
      {"any case", "user-agent:  X", "X"},
      {"last line without a line end", "Accept: a\r\nUser-Agent: X", "X"},
      {"empty value is the agent", "User-Agent:\r\nA: b", Text()},
      {"only at the start of a line", "X-User-Agent: y", Text(kDefaultAgent)},
      {"first such line", "User-Agent: 1\r\nUser-Agent: 2", "1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(AgentFromHeaders(row.headers), row.agent);
  }
}

TEST(ResponseHeaders, Walk) {
  struct Row {
    const char* name;
    std::string_view headers;
    std::optional<Text> redirect;
    Text cookies;
  } rows[] = {
      {"location", "HTTP/1.1 302 Found\r\nLocation: http://x/y\r\n\r\n", Text("http://x/y"), Text()},
      {"content-location counts", "HTTP/1.1 200 OK\r\nContent-Location: /c\r\n\r\n", Text("/c"), Text()},
      {"lower-case location does not", "HTTP/1.1 200 OK\r\nlocation: /x\r\n\r\n", std::nullopt, Text()},
      {"last location wins", "A\r\nLocation: 1\r\nLocation: 2\r\n\r\n", Text("2"), Text()},
      {"cookies", "A\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; HttpOnly\r\n\r\n", std::nullopt, "a=1; b=2"},
      {"cookie without ';' is kept whole", "A\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie:  c=3 \r\n\r\n", std::nullopt,
       "a=1; c=3"},
      {"Set-Cookie without a colon gives an empty item", "A\r\nSet-Cookie2 x\r\nSet-Cookie: a=1;\r\n", std::nullopt,
       "; a=1"},
      {"five thousand spaces", std::string_view("                                        "), std::nullopt, Text()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ResponseHeaderFacts facts = WalkResponseHeaders(row.headers);
    EXPECT_EQ(facts.redirectTarget, row.redirect);
    EXPECT_EQ(facts.receivedCookies, row.cookies);
  }
}

}  // namespace
}  // namespace quillory
