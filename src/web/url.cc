#include "web/url.h"

#include "text/between.h"
#include "text/find.h"
#include "text/integer.h"
#include "text/split.h"
#include "text/transform.h"

namespace quillory {
namespace {

Text SchemeMethodHost(Text s, bool domainOnly) {
  if (s.empty() || s.view().back() != '/') s = ConcatText(s, "/");
  if (s.view().substr(0, 8) == "https://") {
    s = TextBetween(s, "https://", "/");
  } else {
    if (FindText(s, "http://") == -1) s = ConcatText("http://", s);
    s = TextBetween(s, "http://", "/");
  }
  if (domainOnly) {
    TextArray labels = SplitText(s, ".");
    int count = ArraySize(labels);
    if (count > 1) s = ConcatText(MemberAt(labels, count - 1), ".", MemberAt(labels, count));
  }
  return s;
}

Text LabelCountMethodHost(Text s, bool domainOnly, int labelCount) {
  s = ReplaceText(s, "http://");
  s = ReplaceText(s, "https://");
  int slash = FindText(s, "/");
  if (slash != -1) s = TextLeft(s, slash - 1);
  int length = TextLength(s);
  int p = length;
  // FindTextReverse from -1 finds nothing, so once -1, p stays -1.
  for (int i = 0; i < labelCount; ++i) p = FindTextReverse(s, ".", p);
  int q = FindTextReverse(s, ".", p);
  if (domainOnly) return TextRight(s, length - q);
  if (q != -1) {
    int r = FindTextReverse(s, ".", q);
    if (r != -1) return TextRight(s, length - r);
  }
  return s;
}

}  // namespace

bool StartsWithHttps(std::string_view url) { return ToLower(url.substr(0, 5)) == "https"; }

Text UrlHost(std::string_view url, const UrlHostOptions& options) {
  Text s = ToLower(url);
  s = options.labelCount.has_value() ? LabelCountMethodHost(s, options.domainOnly, *options.labelCount)
                                     : SchemeMethodHost(s, options.domainOnly);
  if (options.keepPort) return s;
  int colon = FindText(s, ":");
  return colon == -1 ? s : TextLeft(s, colon - 1);
}

int UrlPort(std::string_view url) {
  Text host = UrlHost(url, {.keepPort = true});
  int colon = FindTextReverse(host, ":");
  if (colon != -1) return ToInt(TextRight(host, TextLength(host) - colon));
  return StartsWithHttps(url) ? 443 : 80;
}

Text UrlPath(std::string_view url) {
  Text host = UrlHost(url);
  int host_at = FindText(url, host, 1, /*ignoreCase=*/true);
  int slash = FindText(url, "/", host_at, /*ignoreCase=*/true);
  if (slash == -1) return Text("/");
  return TextRight(url, TextLength(url) - slash + 1);
}

}  // namespace quillory
