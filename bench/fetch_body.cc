// Fetches one address with FetchUrl and prints the body's size.

#include <cstdio>

#include "web/fetch_url.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fetch_body URL\n");
    return 2;
  }
  quillory::ByteSet body = quillory::FetchUrl(argv[1]);
  std::printf("%zu\n", body.size());
  return body.empty() ? 1 : 0;
}
