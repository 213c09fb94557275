#include "resolver/update_url.h"

namespace quillory {

Text BuildUpdateUrl(std::string_view extensionId) {
  // Plain HTTP on purpose: the service answers with a redirect page whose
  // link the browser then follows.
  return ConcatText("http://", kUpdateServiceHost, "/service/update2/crx?response=redirect&x=id%3D", extensionId,
                    "%26uc%26lang%3Den-US&prod=chrome");
}

}  // namespace quillory
