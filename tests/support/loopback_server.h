#pragma once

// An HTTP server on 127.0.0.1 for the web tests: it runs on a thread of its
// own, hands each accepted connection to the test's handler, and records the
// raw requests it read.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quillory::testing {

class LoopbackServer;

// One accepted connection, as the handler sees it.
class ServerConnection {
 public:
  ServerConnection(int socket, LoopbackServer& server) : socket_(socket), server_(server) {}
  // Reads one request (header block and a Content-Length body), records it
  // and returns it; empty when the client closed first.
  std::string ReadRequest();
  // Sends bytes as they are; false once the peer is gone.
  bool Send(std::string_view bytes);
  // Sleeps, but wakes up at once when the server stops.
  void Pause(std::chrono::milliseconds duration);
  // Closes with a reset instead of an orderly end.
  void Reset();
  [[nodiscard]] bool stopping() const;

 private:
  int socket_;
  LoopbackServer& server_;
  std::string buffered_;
};

class LoopbackServer {
 public:
  using Handler = std::function<void(ServerConnection&)>;

  explicit LoopbackServer(Handler handler);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // A server that answers every request with `response`, byte for byte.
  static Handler Respond(std::string response);

  [[nodiscard]] int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by `path`.
  [[nodiscard]] std::string Url(std::string_view path = "/") const;
  [[nodiscard]] std::vector<std::string> Requests() const;
  [[nodiscard]] int ConnectionCount() const { return connections_; }

 private:
  friend class ServerConnection;
  void Serve();
  void Record(std::string request);

  Handler handler_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A whole response with the given status line, header lines and body; the
// Content-Length line is added.
std::string HttpResponse(std::string_view status, std::string_view headerLines, std::string_view body);

}  // namespace quillory::testing
