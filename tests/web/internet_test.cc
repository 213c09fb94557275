// The HTTP seam on its own: the null handles and failure reasons that
// FetchUrl's failure paths rely on.

#include "web/internet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "support/loopback_server.h"

namespace quillory {
namespace {

using ::quillory::testing::HttpResponse;
using ::quillory::testing::LoopbackServer;
using ::testing::HasSubstr;

TEST(Internet, EmptyServerNameGivesNoConnection) {
  internet::RootHandle root = internet::Open("agent", std::nullopt);
  ASSERT_TRUE(root);
  EXPECT_FALSE(internet::Connect(*root, "", 80));
}

TEST(Internet, FailedSendsSayWhy) {
  int refused_port;
  {
    LoopbackServer closed(LoopbackServer::Respond(""));
    refused_port = closed.port();
  }
  struct Row {
    const char* name;
    const char* server;
    int port;
    const char* reason;
  } rows[] = {
      {"refused", "127.0.0.1", refused_port, "onnect"},
      {"host that cannot stand in an address", "a.b?x=1", 80, "not valid"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    internet::RootHandle root = internet::Open("agent", std::nullopt);
    internet::ConnectionHandle connection = internet::Connect(*root, row.server, row.port);
    ASSERT_TRUE(connection);
    internet::RequestHandle request = internet::OpenRequest(*connection, "GET", "/", internet::kFlagReload);
    ASSERT_TRUE(request);
    EXPECT_FALSE(internet::Send(*request, "Accept: */*", std::nullopt));
    std::array<char, 16> piece{};
    EXPECT_EQ(internet::Read(*request, piece), 0u);
    EXPECT_FALSE(internet::QueryRawHeaders(*request, piece));
    EXPECT_THAT(internet::FailureReason(*request), HasSubstr(row.reason));
  }
}

TEST(Internet, SuccessfulExchangeHasNoFailureReason) {
  LoopbackServer server(LoopbackServer::Respond(HttpResponse("HTTP/1.1 200 OK", "", "ok")));
  internet::RootHandle root = internet::Open("agent", std::nullopt);
  internet::ConnectionHandle connection = internet::Connect(*root, "127.0.0.1", server.port());
  internet::RequestHandle request = internet::OpenRequest(*connection, "GET", "/", internet::kFlagReload);
  EXPECT_TRUE(internet::Send(*request, "Accept: */*", std::nullopt));
  std::array<char, 16> piece{};
  EXPECT_EQ(internet::Read(*request, piece), 2u);
  EXPECT_EQ(internet::Read(*request, piece), 0u);
  EXPECT_EQ(internet::FailureReason(*request), "");
}

}  // namespace
}  // namespace quillory
