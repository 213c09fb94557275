#pragma once

#include <functional>
#include <string_view>

#include "text/text.h"

namespace quillory {

// What the download command hands its work to. The program uses the real
// ones; the window tests replace them to aim the request at a local server
// and to record what would be opened.
struct DownloadCollaborators {
  std::function<Text(std::string_view extensionId)> requestAddress;
  std::function<void(const Text& link)> open;
};

// The download command, start to end on the calling thread: the request
// address for `extensionId` (as typed, in code page 936), one GET that does
// not follow the redirect, the download link out of the page, and the link
// handed on, empty or not. Nothing is reported to the user.
void RunDownloadCommand(const Text& extensionId, const DownloadCollaborators& collaborators = {});

}  // namespace quillory
