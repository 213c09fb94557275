#include "web/url.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(UrlSplitting, HostPortAndPath) {
  struct Row {
    std::string_view url;
    std::string_view host;
    int port;
    std::string_view path;
  } rows[] = {
      {"HTTP://Aa.Bb.Cc:8080/Path?q=1", "aa.bb.cc", 8080, "/Path?q=1"},
      {"aa.bb/x", "aa.bb", 80, "/x"},
      {"aa.bb", "aa.bb", 80, "/"},
      {"https://a.b.c/x", "a.b.c", 443, "/x"},
      {"http://a.b?x=1", "a.b?x=1", 80, "/"},
      {"a.b/?u=http://c.d/", "c.d", 80, "/"},
      {"ftp://h/p", "ftp", 0, "//h/p"},
      {"http://user:pw@h.example/", "user", 0, "/"},
      {"http://a.b:/", "a.b", 0, "/"},
      {"HTTPS://A.B/", "a.b", 443, "/"},
      {"https://a.b:8443/", "a.b", 8443, "/"},
      {"http://h/x", "h", 80, "//h/x"},
      {"", "", 80, "/"},
      {"http://127.0.0.1:8080/a b", "127.0.0.1", 8080, "/a b"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.url);
    EXPECT_EQ(UrlHost(row.url), Text(row.host));
    EXPECT_EQ(UrlPort(row.url), row.port);
    EXPECT_EQ(UrlPath(row.url), Text(row.path));
  }
}

TEST(UrlSplitting, HostOptions) {
  struct Row {
    const char* name;
    std::string_view url;
    UrlHostOptions options;
    std::string_view host;
  } rows[] = {
      {"keep port", "HTTP://Aa.Bb.Cc:8080/Path", {.keepPort = true}, "aa.bb.cc:8080"},
      {"domain only", "https://a.b.c/x", {.domainOnly = true}, "b.c"},
      {"domain only of an address", "http://10.0.0.1/", {.domainOnly = true}, "0.1"},
      {"domain only of one label", "http://h/", {.domainOnly = true}, "h"},
      {"port takes part in the split", "http://a.b.c:81/", {.domainOnly = true}, "b.c"},
      {"and is kept with keepPort", "http://a.b.c:81/", {.domainOnly = true, .keepPort = true}, "b.c:81"},
      {"user information with port", "http://u:p@h/", {.keepPort = true}, "u:p@h"},
      {"label count 1, domain only", "http://w.n.e.c:8080/x", {.domainOnly = true, .labelCount = 1}, "e.c"},
      {"label count 0, domain only", "http://w.n.e.c:8080/x", {.domainOnly = true, .labelCount = 0}, "c"},
      {"label count 1", "http://w.n.e.c:8080/x", {.labelCount = 1}, "n.e.c"},
      {"label count 2", "http://w.n.e.c:8080/x", {.labelCount = 2}, "w.n.e.c"},
      {"label count 3, domain only", "http://w.n.e.c:8080/x", {.domainOnly = true, .labelCount = 3}, "w.n.e.c"},
      {"label count 5, domain only", "http://w.n.e.c:8080/x", {.domainOnly = true, .labelCount = 5}, "w.n.e.c"},
      {"negative label count counts as 0", "http://w.n.e.c/", {.domainOnly = true, .labelCount = -2}, "c"},
      {"label count keeps the port", "https://w.n.e.c:8080/x", {.keepPort = true, .labelCount = 1}, "n.e.c:8080"},
      {"a dot in the last byte is not counted", "a.b.c.", {.domainOnly = true, .labelCount = 0}, "c."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(UrlHost(row.url, row.options), Text(row.host));
  }
}

}  // namespace
}  // namespace quillory
