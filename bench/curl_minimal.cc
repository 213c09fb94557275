// The same fetch with plain libcurl into one growing buffer: the work of
// fetch_body without our layer.

#include <curl/curl.h>

#include <cstdio>
#include <string>

namespace {

size_t Append(char* data, size_t size, size_t count, void* buffer) {
  static_cast<std::string*>(buffer)->append(data, size * count);
  return size * count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: curl_minimal URL\n");
    return 2;
  }
  curl_global_init(CURL_GLOBAL_DEFAULT);
  std::string body;
  CURL* easy = curl_easy_init();
  curl_easy_setopt(easy, CURLOPT_URL, argv[1]);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, Append);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
  CURLcode result = curl_easy_perform(easy);
  curl_easy_cleanup(easy);
  curl_global_cleanup();
  std::printf("%zu\n", body.size());
  return result == CURLE_OK ? 0 : 1;
}
