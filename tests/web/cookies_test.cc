#include "web/cookies.h"

#include <gtest/gtest.h>

#include <string>

#include "text/split.h"

namespace quillory {
namespace {

TEST(MergeCookies, Table) {
  struct Row {
    const char* name;
    Text cookies, received;
    Text merged, receivedAfter;
  } rows[] = {
      {"received replace old items", "a=1; b=2", "b=3; c=4", "b=3; c=4; a=1", "b=3;c=4"},
      {"received deleted item removes the old one", "a=1; b=2", "a=deleted", "b=2", "a=deleted"},
      {"nothing received respaces", "a=1;b=2", Text(), "a=1; b=2", Text()},
      {"two empty texts", Text(), Text(), Text(), Text()},
      {"first old item of a name survives", "a=1; a=2", Text(), "a=1", Text()},
      {"received items of one name stay", Text(), "a=1; a=2", "a=1; a=2", "a=1;a=2"},
      {"exact repeats go", Text(), "a=1; a=1", "a=1", "a=1;a=1"},
      {"spaces inside values go", "a=x y", Text(), "a=xy", Text()},
      {"old deleted item dropped", "a=deleted; b=1", Text(), "b=1", Text()},
      {"deleted is case-sensitive", "a=DELETED", Text(), "a=DELETED", Text()},
      {"empty items survive once", "a=1;;b=2", Text(), "a=1; ; b=2", Text()},
      {"three separators", "a=1;;;b=2", Text(), "a=1; ; b=2", Text()},
      {"leading empty received item", Text(), ";x=1", "; x=1", ";x=1"},
  };
  for (auto& row : rows) {
    SCOPED_TRACE(row.name);
    Text returned = MergeCookies(row.cookies, row.received);
    EXPECT_EQ(row.cookies, row.merged);
    EXPECT_EQ(returned, row.merged);
    EXPECT_EQ(row.received, row.receivedAfter);
  }
}

TEST(MergeCookies, ManyCookiesStayLinear) {
  std::string old_cookies;
  std::string received;
  for (int i = 0; i < 20000; ++i) {
    old_cookies += "o" + std::to_string(i) + "=1; ";
    received += "r" + std::to_string(i) + "=2; ";
  }
  Text cookies(old_cookies);
  Text fresh(received);
  MergeCookies(cookies, fresh);
  EXPECT_EQ(ArraySize(SplitText(cookies, "; ")), 40000);
}

TEST(CookieHelpers, CookieName) {
  struct Row {
    std::string_view item;
    Text name;
  } rows[] = {{"a=1", "a"}, {" a =1", "a"}, {"a", "a"}, {"=1", Text()}, {"", Text()}, {"a=b=c", "a"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.item);
    EXPECT_EQ(CookieName(row.item), row.name);
  }
}

TEST(CookieHelpers, HasCookieNameAndIndexOfText) {
  TextArray items = SplitText("a=1;b=2;x", ";");
  EXPECT_TRUE(HasCookieName(items, "b"));
  EXPECT_TRUE(HasCookieName(items, "x"));
  EXPECT_FALSE(HasCookieName(items, "c"));
  EXPECT_FALSE(HasCookieName(TextArray(), ""));

  TextArray list = SplitText("x,y,x", ",");
  EXPECT_EQ(IndexOfText(list, "x"), 1);
  EXPECT_EQ(IndexOfText(list, "y"), 2);
  EXPECT_EQ(IndexOfText(list, "z"), -1);
  EXPECT_EQ(IndexOfText(TextArray(), "x"), -1);
}

TEST(CookieHelpers, RemoveDuplicates) {
  EXPECT_EQ(RemoveDuplicates("b; a; b; c; a", "; "), "b; a; c");
  EXPECT_FALSE(RemoveDuplicates("", "; ").present());
  EXPECT_EQ(RemoveDuplicates("a;a", ""), "a;a");
  EXPECT_EQ(RemoveDuplicates(";;a", ";"), ";a");
}

}  // namespace
}  // namespace quillory
