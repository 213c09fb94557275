// Each limit of a web request, hit for real. Built with the short limits only:
// with the real ones a single case would take minutes.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/loopback_server.h"
#include "web/fetch_url.h"
#include "web/limits.h"

namespace quillory {
namespace {

using ::quillory::testing::LoopbackServer;
using ::quillory::testing::ServerConnection;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kHead = "HTTP/1.1 200 OK\r\nContent-Length: 100000000\r\n\r\n";

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(Limits, SilentServerIsCutOffBySlowTransferLimit) {
  LoopbackServer server([](ServerConnection& connection) {
    connection.ReadRequest();
    connection.Pause(std::chrono::seconds(60));
  });
  auto start = Clock::now();
  Text headers;
  EXPECT_FALSE(FetchUrl(server.Url(), {.responseHeaders = &headers}).present());
  EXPECT_EQ(headers, Text(std::string(5000, ' ')));
  EXPECT_LT(SecondsSince(start), 30.0);
}

TEST(Limits, DrippingBodyIsCutOffAndWhatCameIsReturned) {
  LoopbackServer server([](ServerConnection& connection) {
    connection.ReadRequest();
    connection.Send(kHead);
    for (int i = 0; i < 60 && !connection.stopping(); ++i) {
      if (!connection.Send("d")) return;
      connection.Pause(std::chrono::milliseconds(1500));
    }
  });
  ByteSet body = FetchUrl(server.Url());
  EXPECT_GE(body.size(), 1u);
  EXPECT_LT(body.size(), 20u);
}

TEST(Limits, BodyStopsGrowingAtItsBound) {
  LoopbackServer server([](ServerConnection& connection) {
    connection.ReadRequest();
    connection.Send(kHead);
    std::string block(64 * 1024, 'x');
    while (!connection.stopping() && connection.Send(block)) {
    }
  });
  EXPECT_EQ(FetchUrl(server.Url()).size(), limits::kMaxBodyBytes);
}

TEST(Limits, WholeCallEndsInTime) {
  LoopbackServer server([](ServerConnection& connection) {
    connection.ReadRequest();
    connection.Send(kHead);
    // Fast enough for the slow-transfer limit, slow enough to go on forever.
    while (!connection.stopping() && connection.Send(std::string(64, 'w'))) {
      connection.Pause(std::chrono::milliseconds(200));
    }
  });
  auto start = Clock::now();
  ByteSet body = FetchUrl(server.Url());
  double seconds = SecondsSince(start);
  EXPECT_GT(body.size(), 0u);
  EXPECT_GE(seconds, std::chrono::duration<double>(limits::kWholeCall).count() - 1);
  EXPECT_LT(seconds, std::chrono::duration<double>(limits::kWholeCall).count() + 10);
}

TEST(Limits, ConnectionAttemptGivesUp) {
  // A listener whose accept queue is full drops further connection attempts
  // without an answer, as a host that does not reply does.
  int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
  ASSERT_EQ(listen(listener, 0), 0);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  int fillers[2];
  for (int& filler : fillers) {
    filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
  }
  auto start = Clock::now();
  Text headers;
  ByteSet body = FetchUrl("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/",
                          {.responseHeaders = &headers});
  EXPECT_FALSE(body.present());
  EXPECT_EQ(headers, Text(std::string(5000, ' ')));
  EXPECT_LT(SecondsSince(start), 30.0);
  for (int filler : fillers) close(filler);
  close(listener);
}

}  // namespace
}  // namespace quillory
