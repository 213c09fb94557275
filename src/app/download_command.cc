#include "app/download_command.h"

#include "app/open_in_browser.h"
#include "resolver/download_link.h"
#include "resolver/update_url.h"
#include "web/fetch_url.h"

namespace quillory {

void RunDownloadCommand(const Text& extensionId, const DownloadCollaborators& collaborators) {
  Text address = collaborators.requestAddress ? collaborators.requestAddress(extensionId) : BuildUpdateUrl(extensionId);
  // Every other output of the fetch, the redirect target among them, is
  // discarded: the link comes from the page.
  ByteSet body = FetchUrl(address, {.suppressRedirect = true});
  Text link = ExtractDownloadLink(body);
  if (collaborators.open) {
    collaborators.open(link);
  } else {
    OpenInBrowser(link);
  }
}

}  // namespace quillory
