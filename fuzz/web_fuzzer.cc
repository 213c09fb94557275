// URL splitting with every optional argument, cookie merging, the request
// header helpers and the walk over a raw response header block, on any bytes.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "fuzz_support.h"
#include "web/cookies.h"
#include "web/request_headers.h"
#include "web/response_headers.h"
#include "text/transform.h"
#include "web/url.h"

using namespace quillory;
using quillory::fuzz::Check;
using quillory::fuzz::NoZeros;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  UrlHostOptions options{.domainOnly = input.ConsumeBool(), .keepPort = input.ConsumeBool()};
  if (input.ConsumeBool()) options.labelCount = input.ConsumeIntegralInRange<int>(-2, 6);
  std::string cookies_text = NoZeros(input.ConsumeRandomLengthString(128));
  std::string received_text = NoZeros(input.ConsumeRandomLengthString(128));
  std::string text = NoZeros(input.ConsumeRemainingBytesAsString());

  Text host = UrlHost(text, options);
  Check(host.size() <= text.size() + 1);
  (void)UrlPort(text);
  Text path = UrlPath(text);
  Check(!path.empty() && path.view().front() == '/');

  Text cookies(cookies_text);
  Text received(received_text);
  Text merged = MergeCookies(cookies, received);
  Check(merged == cookies);
  // A space byte may remain as the second byte of a two-byte character, so
  // "no spaces left" means: removing spaces again changes nothing.
  Check(RemoveAllSpaces(received) == received);
  Check(MergeCookies(cookies, received) == merged);

  (void)AgentFromHeaders(text);
  Text completed = CompleteRequestHeaders(text, cookies_text, received_text);
  Check(completed.view().substr(0, text.size()) == text);
  ResponseHeaderFacts facts = WalkResponseHeaders(text);
  Check(facts.receivedCookies.size() <= text.size());
  return 0;
}
