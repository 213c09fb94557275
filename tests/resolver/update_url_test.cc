#include "resolver/update_url.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(BuildUpdateUrl, JoinsTheIdentifierAsTyped) {
  struct Row {
    std::string_view id;
    std::string_view query;
  } rows[] = {
      {"hgopjbnkmdaecfilpoknjmhgbadcefil",
       "?response=redirect&x=id%3Dhgopjbnkmdaecfilpoknjmhgbadcefil%26uc%26lang%3Den-US&prod=chrome"},
      {"", "?response=redirect&x=id%3D%26uc%26lang%3Den-US&prod=chrome"},
      {" abc ", "?response=redirect&x=id%3D abc %26uc%26lang%3Den-US&prod=chrome"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(BuildUpdateUrl(row.id),
              Text("http://clients2.google.com/service/update2/crx" + std::string(row.query)));
  }
}

}  // namespace
}  // namespace quillory
