// HTTPS through the real client, against openssl's own test server on
// loopback with a certificate that the test makes.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "support/loopback_server.h"
#include "web/fetch_url.h"
#include "web/internet.h"

extern char** environ;

namespace quillory {
namespace {

using ::quillory::testing::HttpResponse;
using ::quillory::testing::LoopbackServer;

int FreePort() {
  int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  close(probe);
  return ntohs(address.sin_port);
}

bool Accepts(int port) {
  int client = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bool ok = connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(client);
  return ok;
}

// "openssl s_server -HTTP" serves each requested file as a whole raw response.
class TlsServer : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() / ("quillory-tls-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
    std::string make_certificate =
        "cd '" + directory_.string() +
        "' && openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2"
        " -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 >/dev/null 2>&1";
    ASSERT_EQ(std::system(make_certificate.c_str()), 0);
    Serve("ok.http", HttpResponse("HTTP/1.1 200 OK", "", "secret"));
    port_ = FreePort();
    std::string accept = "127.0.0.1:" + std::to_string(port_);
    std::string cert = (directory_ / "cert.pem").string();
    std::string key = (directory_ / "key.pem").string();
    const char* argv[] = {"openssl", "s_server", "-quiet", "-HTTP", "-accept", accept.c_str(), "-cert",
                          cert.c_str(), "-key", key.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, directory_.c_str());
    ASSERT_EQ(posix_spawnp(&server_, "openssl", &actions, nullptr, const_cast<char**>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; i < 100 && !Accepts(port_); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    internet::UseCaFileForTesting(cert);
  }

  void TearDown() override {
    internet::UseCaFileForTesting("");
    if (server_ > 0) {
      kill(server_, SIGTERM);
      waitpid(server_, nullptr, 0);
    }
    std::filesystem::remove_all(directory_);
  }

  void Serve(const std::string& name, const std::string& response) {
    std::ofstream(directory_ / name, std::ios::binary) << response;
  }

  std::string Url(const std::string& name) const { return "https://127.0.0.1:" + std::to_string(port_) + "/" + name; }

  std::filesystem::path directory_;
  int port_ = 0;
  pid_t server_ = 0;
};

TEST_F(TlsServer, HttpsWithATrustedCertificate) {
  Text headers;
  EXPECT_EQ(FetchUrl(Url("ok.http"), {.responseHeaders = &headers}).bytes(), "secret");
  EXPECT_EQ(headers.view().substr(0, 17), "HTTP/1.1 200 OK\r\n");
}

TEST_F(TlsServer, CertificateIsVerified) {
  internet::UseCaFileForTesting("/dev/null");
  EXPECT_FALSE(FetchUrl(Url("ok.http")).present());
}

TEST_F(TlsServer, HttpsIsNeverRedirectedToPlainHttp) {
  LoopbackServer plain(LoopbackServer::Respond(HttpResponse("HTTP/1.1 200 OK", "", "plain")));
  Serve("down.http", HttpResponse("HTTP/1.1 302 Found", "Location: " + plain.Url("/x") + "\r\n", "page"));
  Serve("up.http", HttpResponse("HTTP/1.1 302 Found", "Location: " + Url("ok.http") + "\r\n", "page"));
  EXPECT_EQ(FetchUrl(Url("down.http")).bytes(), "page");
  EXPECT_EQ(plain.Requests().size(), 0u);
  EXPECT_EQ(FetchUrl(Url("up.http")).bytes(), "secret") << "https to https is followed";
}

TEST_F(TlsServer, HttpsDoesNotGoThroughTheHttpProxy) {
  LoopbackServer proxy(LoopbackServer::Respond(HttpResponse("HTTP/1.1 200 OK", "", "proxy")));
  std::string address = "127.0.0.1:" + std::to_string(proxy.port());
  EXPECT_EQ(FetchUrl(Url("ok.http"), {.proxyAddress = Text(address)}).bytes(), "secret");
  EXPECT_EQ(proxy.ConnectionCount(), 0);
}

}  // namespace
}  // namespace quillory
