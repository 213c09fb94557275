#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace quillory::testing {

std::string ServerConnection::ReadRequest() {
  auto header_end = [this] { return buffered_.find("\r\n\r\n"); };
  char chunk[4096];
  while (header_end() == std::string::npos) {
    pollfd ready{socket_, POLLIN, 0};
    if (stopping()) return {};
    if (poll(&ready, 1, 100) <= 0) continue;
    ssize_t n = recv(socket_, chunk, sizeof chunk, 0);
    if (n <= 0) return {};
    buffered_.append(chunk, static_cast<std::size_t>(n));
  }
  std::size_t end = header_end() + 4;
  std::size_t length = 0;
  std::string head = buffered_.substr(0, end);
  for (std::string_view name : {"\r\nContent-Length:", "\r\ncontent-length:"}) {
    std::size_t at = head.find(name);
    if (at != std::string::npos) length = std::strtoul(head.c_str() + at + name.size(), nullptr, 10);
  }
  while (buffered_.size() < end + length) {
    ssize_t n = recv(socket_, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    buffered_.append(chunk, static_cast<std::size_t>(n));
  }
  std::string request = buffered_.substr(0, end + length);
  buffered_.erase(0, request.size());
  server_.Record(request);
  return request;
}

bool ServerConnection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void ServerConnection::Pause(std::chrono::milliseconds duration) {
  auto until = std::chrono::steady_clock::now() + duration;
  while (!stopping() && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void ServerConnection::Reset() {
  linger abort{1, 0};
  setsockopt(socket_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
}

bool ServerConnection::stopping() const { return server_.stopping_; }

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      listen(listener_, 16) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    throw std::runtime_error("cannot listen on loopback");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  thread_.join();
  close(listener_);
}

void LoopbackServer::Serve() {
  while (!stopping_) {
    pollfd ready{listener_, POLLIN, 0};
    if (poll(&ready, 1, 50) <= 0) continue;
    int socket = accept(listener_, nullptr, nullptr);
    if (socket < 0) continue;
    ++connections_;
    ServerConnection connection(socket, *this);
    handler_(connection);
    close(socket);
  }
}

void LoopbackServer::Record(std::string request) {
  std::lock_guard lock(mutex_);
  requests_.push_back(std::move(request));
}

std::vector<std::string> LoopbackServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::string LoopbackServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

LoopbackServer::Handler LoopbackServer::Respond(std::string response) {
  return [response = std::move(response)](ServerConnection& connection) {
    if (!connection.ReadRequest().empty()) connection.Send(response);
  };
}

std::string HttpResponse(std::string_view status, std::string_view headerLines, std::string_view body) {
  std::string response(status);
  response += "\r\n";
  response += headerLines;
  response += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  response += body;
  return response;
}

}  // namespace quillory::testing
