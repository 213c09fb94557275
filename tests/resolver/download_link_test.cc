#include "resolver/download_link.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace quillory {
namespace {

using namespace std::string_view_literals;

// The body of a whole HTTP response: everything after the first empty line.
std::string BodyOf(const std::string& response) { return response.substr(response.find("\r\n\r\n") + 4); }

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(ExtractDownloadLink, Table) {
  struct Row {
    const char* name;
    std::string_view body;
    Text expected;
  } rows[] = {
      {"decoded link", R"(<A HREF="x%3Dy">here</A>)", "x=y"},
      {"first of two anchors", R"(<A HREF="a">here</A><A HREF="b">here</A>)", "a"},
      {"lower-case anchor", R"(<a href="x">here</a>)", Text()},
      {"empty body", "", Text()},
      {"no end marker", R"(<A HREF="x">there</A>)", Text()},
      {"zero byte hides the anchor", "a\0<A HREF=\"x\">here</A>"sv, Text()},
      {"UTF-8 in the link becomes 936", R"(<A HREF="http://h/%E4%B8%AD">here</A>)", "http://h/\xD6\xD0"},
      {"invalid UTF-8 and escapes around the link",
       "\xC0%zz<A HREF=\"http://h/a%20b\">here</A>\xE6"sv, "http://h/a b"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Text link = ExtractDownloadLink(ByteSet(row.body));
    EXPECT_EQ(link, row.expected);
    EXPECT_EQ(link.present(), row.expected.present());
  }
}

TEST(ExtractDownloadLink, TakesTheLinkOutOfTheServicesRedirectPage) {
  std::string body = BodyOf(ReadFile(QUILLORY_FIXTURE_302));
  ASSERT_FALSE(body.empty());
  EXPECT_EQ(ExtractDownloadLink(ByteSet(body)),
            "https://clients2.googleusercontent.com/crx/blobs/AV8Xwo4r9mEvLqxHm0xgBnT5RWMs0Dl_YxU1bgc2c3BOb2x0/"
            "AAPBDBDOMJKKJKAONFHKKIKFGJLLCLEB_2_0_16_0.crx");
}

}  // namespace
}  // namespace quillory
