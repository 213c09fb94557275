// The HTTP seam over libcurl.
//
// A request runs on a multi handle of its own so that the body can be pulled
// piece by piece: the write callback takes one chunk at a time and pauses the
// transfer until Read has handed that chunk on, so the backend never holds
// more than a chunk of the body. Redirects are followed here rather than by
// libcurl, to apply the platform client's rules (http and https only, no
// https to http, a hop limit) and to keep only the last response's headers.

#include <curl/curl.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "text/fatal_error.h"
#include "web/internet.h"
#include "web/limits.h"

namespace quillory::internet {
namespace {

using Clock = std::chrono::steady_clock;

// libcurl, bound by name when the first request needs it, as the platform's
// own internet library is: the window comes up without loading libcurl and
// the TLS libraries behind it. A library or function that cannot be bound
// ends the program through FatalError.
constexpr const char* kCurlLibrary = "libcurl.so.4";

struct CurlApi {
  decltype(&::curl_easy_cleanup) easy_cleanup;
  decltype(&::curl_easy_getinfo) easy_getinfo;
  decltype(&::curl_easy_init) easy_init;
  decltype(&::curl_easy_pause) easy_pause;
  decltype(&::curl_easy_setopt) easy_setopt;
  decltype(&::curl_easy_strerror) easy_strerror;
  decltype(&::curl_global_init) global_init;
  decltype(&::curl_multi_add_handle) multi_add_handle;
  decltype(&::curl_multi_cleanup) multi_cleanup;
  decltype(&::curl_multi_info_read) multi_info_read;
  decltype(&::curl_multi_init) multi_init;
  decltype(&::curl_multi_perform) multi_perform;
  decltype(&::curl_multi_poll) multi_poll;
  decltype(&::curl_multi_remove_handle) multi_remove_handle;
  decltype(&::curl_share_cleanup) share_cleanup;
  decltype(&::curl_share_init) share_init;
  decltype(&::curl_share_setopt) share_setopt;
  decltype(&::curl_slist_append) slist_append;
  decltype(&::curl_slist_free_all) slist_free_all;
};

template <class Function>
void Bind(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  if (function == nullptr) {
    FatalError(0, std::string("The function ") + name + " cannot be bound in " + kCurlLibrary + ".");
  }
}

const CurlApi& Curl() {
  static const CurlApi api = [] {
    void* library = dlopen(kCurlLibrary, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) FatalError(0, std::string(kCurlLibrary) + " cannot be loaded: " + dlerror());
    CurlApi api{};
    Bind(library, "curl_easy_cleanup", api.easy_cleanup);
    Bind(library, "curl_easy_getinfo", api.easy_getinfo);
    Bind(library, "curl_easy_init", api.easy_init);
    Bind(library, "curl_easy_pause", api.easy_pause);
    Bind(library, "curl_easy_setopt", api.easy_setopt);
    Bind(library, "curl_easy_strerror", api.easy_strerror);
    Bind(library, "curl_global_init", api.global_init);
    Bind(library, "curl_multi_add_handle", api.multi_add_handle);
    Bind(library, "curl_multi_cleanup", api.multi_cleanup);
    Bind(library, "curl_multi_info_read", api.multi_info_read);
    Bind(library, "curl_multi_init", api.multi_init);
    Bind(library, "curl_multi_perform", api.multi_perform);
    Bind(library, "curl_multi_poll", api.multi_poll);
    Bind(library, "curl_multi_remove_handle", api.multi_remove_handle);
    Bind(library, "curl_share_cleanup", api.share_cleanup);
    Bind(library, "curl_share_init", api.share_init);
    Bind(library, "curl_share_setopt", api.share_setopt);
    Bind(library, "curl_slist_append", api.slist_append);
    Bind(library, "curl_slist_free_all", api.slist_free_all);
    api.global_init(CURL_GLOBAL_DEFAULT);
    return api;
  }();
  return api;
}

struct EasyCleanup {
  void operator()(CURL* easy) const { Curl().easy_cleanup(easy); }
};
struct MultiCleanup {
  void operator()(CURLM* multi) const { Curl().multi_cleanup(multi); }
};
struct SlistCleanup {
  void operator()(curl_slist* list) const { Curl().slist_free_all(list); }
};
using Easy = std::unique_ptr<CURL, EasyCleanup>;
using Multi = std::unique_ptr<CURLM, MultiCleanup>;
using Slist = std::unique_ptr<curl_slist, SlistCleanup>;

// The cookie store that requests without kFlagNoCookies share, as the
// platform client keeps one per process: in memory only, never written out.
class SharedCookieStore {
 public:
  static CURLSH* Get() {
    static SharedCookieStore store;
    return store.share_;
  }

 private:
  SharedCookieStore() : share_(Curl().share_init()) {
    Curl().share_setopt(share_, CURLSHOPT_LOCKFUNC, Lock);
    Curl().share_setopt(share_, CURLSHOPT_UNLOCKFUNC, Unlock);
    Curl().share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
  }
  ~SharedCookieStore() { Curl().share_cleanup(share_); }
  static void Lock(CURL*, curl_lock_data, curl_lock_access, void*) { Mutex().lock(); }
  static void Unlock(CURL*, curl_lock_data, void*) { Mutex().unlock(); }
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  CURLSH* share_;
};

std::string& CaFileForTesting() {
  static std::string path;
  return path;
}

// Bytes that cannot stand in a request line go out percent-encoded.
std::string EncodeObjectName(std::string_view objectName) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(objectName.size());
  for (char c : objectName) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += c;
    }
  }
  return encoded;
}

// A host name or address literal; anything else could change what the
// request URL means.
bool IsPlainHost(std::string_view host) {
  return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_';
  });
}

// The "http=" entry of a proxy list such as "http=host:port https=…".
std::optional<std::string> HttpProxyOf(const std::optional<std::string>& proxyList) {
  if (!proxyList) return std::nullopt;
  std::string_view list = *proxyList;
  while (!list.empty()) {
    std::size_t end = list.find(' ');
    std::string_view entry = list.substr(0, end);
    if (entry.substr(0, 5) == "http=" && entry.size() > 5) return std::string(entry.substr(5));
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return std::nullopt;
}

// The header text's lines as they go on the wire. Nothing the caller wrote
// may end the header block early or smuggle in a header of its own: empty
// lines, lines without a colon and lines holding a lone CR or LF are left out.
Slist WireHeaders(std::string_view headers) {
  curl_slist* list = nullptr;
  auto add = [&list](const std::string& line) {
    curl_slist* grown = Curl().slist_append(list, line.c_str());
    if (grown != nullptr) list = grown;
  };
  while (!headers.empty()) {
    std::size_t end = headers.find("\r\n");
    std::string_view line = headers.substr(0, end);
    headers.remove_prefix(end == std::string_view::npos ? headers.size() : end + 2);
    std::size_t colon = line.find(':');
    if (line.empty() || colon == std::string_view::npos || colon == 0 ||
        line.find_first_of("\r\n") != std::string_view::npos) {
      continue;
    }
    std::string_view value = line.substr(colon + 1);
    if (value.find_first_not_of(" \t") == std::string_view::npos) {
      // libcurl reads "Name:" as "drop that header"; "Name;" sends it empty.
      add(std::string(line.substr(0, colon)) + ";");
    } else {
      add(std::string(line));
    }
  }
  // The platform client never waits for "100 Continue" before a body.
  add("Expect:");
  return Slist(list);
}

}  // namespace

class Root {
 public:
  std::string agent;
  std::optional<std::string> httpProxy;
};

class Connection {
 public:
  std::string agent;
  std::optional<std::string> httpProxy;
  std::string server;
  int port = 0;
};

class Request {
 public:
  std::string agent;
  std::optional<std::string> httpProxy;
  std::string verb;
  std::string url;  // of the current hop
  std::uint32_t flags = 0;
  std::string body;
  bool hasBody = false;
  Clock::time_point deadline;

  Multi multi;
  Slist headerList;
  Easy easy;

  // The current response, as the callbacks see it.
  std::string rawHeaders;
  bool headersTooLarge = false;
  bool headersComplete = false;
  std::string chunk;
  std::size_t chunkOffset = 0;
  bool paused = false;
  bool done = false;
  std::size_t delivered = 0;
  std::string failure;

  bool StartHop();
  void Drive();
  void StopHop();
  long Status() const;
  bool FollowRedirect();
};

namespace {

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto& request = *static_cast<Request*>(user);
  std::string_view line(data, size * count);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.substr(0, 5) == "HTTP/") {
    // A new response (after a 1xx, or on another hop) replaces the last one.
    request.rawHeaders.clear();
    request.headersTooLarge = false;
    request.headersComplete = false;
  } else if (request.headersComplete) {
    // Trailers after a chunked body are not part of the header block.
    return size * count;
  }
  if (line.empty() && !request.rawHeaders.empty()) {
    long status = request.Status();
    if (status < 100 || status >= 200) request.headersComplete = true;
  }
  if (request.rawHeaders.size() + line.size() + 2 > limits::kMaxHeaderBlockBytes) {
    request.headersTooLarge = true;
  } else {
    request.rawHeaders.append(line);
    request.rawHeaders.append("\r\n");
  }
  return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto& request = *static_cast<Request*>(user);
  if (request.chunkOffset < request.chunk.size()) {
    // The last chunk has not been read yet: libcurl keeps this one until the
    // transfer is resumed.
    request.paused = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  request.chunk.assign(data, size * count);
  request.chunkOffset = 0;
  return size * count;
}

}  // namespace

long Request::Status() const {
  long status = 0;
  Curl().easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
  return status;
}

bool Request::StartHop() {
  rawHeaders.clear();
  headersTooLarge = false;
  headersComplete = false;
  chunk.clear();
  chunkOffset = 0;
  paused = false;
  done = false;

  easy.reset(Curl().easy_init());
  if (!easy || !multi) {
    failure = "could not create a transfer";
    done = true;
    return false;
  }
  CURL* e = easy.get();
  bool secure = url.rfind("https://", 0) == 0;
  auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  CURLcode set = CURLE_OK;
  auto option = [&set](CURLcode result) {
    if (set == CURLE_OK) set = result;
  };
  option(Curl().easy_setopt(e, CURLOPT_URL, url.c_str()));
  option(Curl().easy_setopt(e, CURLOPT_PATH_AS_IS, 1L));
  option(Curl().easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https"));
  option(Curl().easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1)));
  option(Curl().easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L));
  option(Curl().easy_setopt(e, CURLOPT_NOSIGNAL, 1L));
  option(Curl().easy_setopt(e, CURLOPT_USERAGENT, agent.c_str()));
  option(Curl().easy_setopt(e, CURLOPT_HTTPHEADER, headerList.get()));
  // An empty proxy string also keeps libcurl from reading proxy variables
  // from the environment: without a proxy the connection is direct.
  const std::string proxy = (!secure && httpProxy) ? "http://" + *httpProxy : std::string();
  option(Curl().easy_setopt(e, CURLOPT_PROXY, proxy.c_str()));
  option(Curl().easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L));
  option(Curl().easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L));
  if (!CaFileForTesting().empty()) option(Curl().easy_setopt(e, CURLOPT_CAINFO, CaFileForTesting().c_str()));
  option(Curl().easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits::kConnectTimeout.count())));
  option(Curl().easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, limits::kLowSpeedBytesPerSecond));
  option(Curl().easy_setopt(e, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits::kLowSpeedTime.count())));
  option(Curl().easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(std::max<long long>(remaining, 1))));
  if ((flags & kFlagNoCookies) == 0) {
    option(Curl().easy_setopt(e, CURLOPT_SHARE, SharedCookieStore::Get()));
    option(Curl().easy_setopt(e, CURLOPT_COOKIEFILE, ""));  // the cookie engine, with no file
  }
  option(Curl().easy_setopt(e, CURLOPT_HEADERFUNCTION, OnHeader));
  option(Curl().easy_setopt(e, CURLOPT_HEADERDATA, this));
  option(Curl().easy_setopt(e, CURLOPT_WRITEFUNCTION, OnBody));
  option(Curl().easy_setopt(e, CURLOPT_WRITEDATA, this));
  if (hasBody) {
    option(Curl().easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size())));
    option(Curl().easy_setopt(e, CURLOPT_POSTFIELDS, body.data()));
    if (verb != "POST") option(Curl().easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb.c_str()));
  } else if (verb == "GET") {
    option(Curl().easy_setopt(e, CURLOPT_HTTPGET, 1L));
  } else {
    option(Curl().easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb.c_str()));
  }
  if (set != CURLE_OK) {
    failure = Curl().easy_strerror(set);
    done = true;
    return false;
  }
  if (Curl().multi_add_handle(multi.get(), e) != CURLM_OK) {
    failure = "could not start the transfer";
    done = true;
    return false;
  }
  return true;
}

void Request::Drive() {
  if (Clock::now() >= deadline) {
    failure = "the call took longer than its limit";
    StopHop();
    return;
  }
  int running = 0;
  Curl().multi_perform(multi.get(), &running);
  int queued = 0;
  while (CURLMsg* message = Curl().multi_info_read(multi.get(), &queued)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == easy.get()) {
      if (message->data.result != CURLE_OK) failure = Curl().easy_strerror(message->data.result);
      done = true;
    }
  }
  if (!done && running > 0 && !paused) Curl().multi_poll(multi.get(), nullptr, 0, 1000, nullptr);
}

void Request::StopHop() {
  if (easy) Curl().multi_remove_handle(multi.get(), easy.get());
  done = true;
}

bool Request::FollowRedirect() {
  long status = Status();
  if (status != 301 && status != 302 && status != 303 && status != 307 && status != 308) return false;
  char* target = nullptr;
  if (Curl().easy_getinfo(easy.get(), CURLINFO_REDIRECT_URL, &target) != CURLE_OK || target == nullptr) return false;
  std::string next(target);
  bool to_https = next.rfind("https://", 0) == 0;
  bool to_http = next.rfind("http://", 0) == 0;
  if (!to_https && !to_http) return false;
  if (url.rfind("https://", 0) == 0 && to_http) return false;
  if (status == 303 || ((status == 301 || status == 302) && verb == "POST")) {
    verb = "GET";
    hasBody = false;
    body.clear();
  }
  StopHop();
  url = std::move(next);
  return true;
}

void Closer::operator()(Root* handle) const { std::default_delete<Root>()(handle); }
void Closer::operator()(Connection* handle) const { std::default_delete<Connection>()(handle); }
void Closer::operator()(Request* handle) const {
  if (handle != nullptr && handle->easy) Curl().multi_remove_handle(handle->multi.get(), handle->easy.get());
  std::default_delete<Request>()(handle);
}

RootHandle Open(std::string_view agent, const std::optional<std::string>& proxyList) {
  return RootHandle(std::make_unique<Root>(Root{std::string(agent), HttpProxyOf(proxyList)}).release());
}

ConnectionHandle Connect(const Root& root, std::string_view server, int port) {
  if (server.empty()) return nullptr;
  return ConnectionHandle(
      std::make_unique<Connection>(Connection{root.agent, root.httpProxy, std::string(server), port}).release());
}

RequestHandle OpenRequest(const Connection& connection, std::string_view verb, std::string_view objectName,
                          std::uint32_t flags) {
  RequestHandle request(std::make_unique<Request>().release());
  request->agent = connection.agent;
  request->httpProxy = connection.httpProxy;
  request->verb = verb;
  request->flags = flags;
  request->deadline = Clock::now() + limits::kWholeCall;
  request->multi.reset(Curl().multi_init());
  if (IsPlainHost(connection.server)) {
    request->url = std::string((flags & kFlagSecure) != 0 ? "https://" : "http://") + connection.server + ":" +
                   std::to_string(connection.port) + EncodeObjectName(objectName);
  } else {
    // Opening succeeds as it does on the platform; the send will fail, as a
    // name that cannot be resolved does there.
    request->failure = "the host name is not valid: " + connection.server;
  }
  return request;
}

bool Send(Request& request, std::string_view headers, std::optional<std::string_view> body) {
  if (request.url.empty()) {
    request.done = true;
    return false;
  }
  request.headerList = WireHeaders(headers);
  request.hasBody = body.has_value();
  if (body) request.body.assign(*body);
  for (int hop = 0;; ++hop) {
    if (!request.StartHop()) return false;
    while (!request.done && !request.headersComplete) request.Drive();
    bool follow = (request.flags & kFlagNoAutoRedirect) == 0 && hop < limits::kMaxRedirects;
    if (!request.headersComplete || !follow || !request.FollowRedirect()) break;
  }
  return request.headersComplete;
}

std::size_t Read(Request& request, std::span<char> buffer) {
  for (;;) {
    if (request.delivered >= limits::kMaxBodyBytes) {
      request.StopHop();
      return 0;
    }
    if (request.chunkOffset < request.chunk.size()) {
      std::size_t n = std::min({buffer.size(), request.chunk.size() - request.chunkOffset,
                                limits::kMaxBodyBytes - request.delivered});
      std::memcpy(buffer.data(), request.chunk.data() + request.chunkOffset, n);
      request.chunkOffset += n;
      request.delivered += n;
      return n;
    }
    if (request.paused) {
      request.paused = false;
      // Resuming may deliver the held chunk at once, through OnBody.
      Curl().easy_pause(request.easy.get(), CURLPAUSE_CONT);
      continue;
    }
    if (request.done || !request.easy) return 0;
    request.Drive();
  }
}

bool QueryRawHeaders(const Request& request, std::span<char> buffer) {
  if (!request.headersComplete || request.headersTooLarge || request.rawHeaders.size() + 1 > buffer.size()) {
    return false;
  }
  std::memcpy(buffer.data(), request.rawHeaders.data(), request.rawHeaders.size());
  buffer[request.rawHeaders.size()] = '\0';
  return true;
}

std::string FailureReason(const Request& request) { return request.failure; }

void UseCaFileForTesting(std::string path) { CaFileForTesting() = std::move(path); }

}  // namespace quillory::internet
