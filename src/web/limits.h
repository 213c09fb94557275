#pragma once

// The limits of one web request, in one place. Nothing a server does may hang
// the window forever or exhaust memory. Each limit, when hit, ends the
// transfer the way a failed read does: the body read so far is returned.
//
// The program never reads its limits from the environment or a file. A build
// with QUILLORY_SHORT_LIMITS uses seconds instead of minutes, so that the test
// suites can hit every limit quickly; its body bound still lets a 50 MB page
// through, which the hostile-service suite needs.

#include <chrono>
#include <cstddef>

namespace quillory::limits {

#ifdef QUILLORY_SHORT_LIMITS
inline constexpr std::chrono::milliseconds kConnectTimeout{2000};
inline constexpr std::chrono::seconds kLowSpeedTime{3};
inline constexpr std::chrono::seconds kWholeCall{8};
inline constexpr std::size_t kMaxBodyBytes = std::size_t{64} << 20;
#else
// A connection attempt gives up after a minute.
inline constexpr std::chrono::milliseconds kConnectTimeout{60000};
// A transfer slower than kLowSpeedBytesPerSecond over this long ends, so a
// server that drips a byte every few seconds is cut off.
inline constexpr std::chrono::seconds kLowSpeedTime{60};
// A whole call, redirects included, ends after ten minutes.
inline constexpr std::chrono::seconds kWholeCall{600};
// A body stops growing at 1 GiB.
inline constexpr std::size_t kMaxBodyBytes = std::size_t{1} << 30;
#endif
inline constexpr long kLowSpeedBytesPerSecond = 1;

// Redirects followed at most, as the platform's own client documents.
inline constexpr int kMaxRedirects = 5;

// A response header block larger than this is not kept at all; the caller's
// header buffer is far smaller anyway.
inline constexpr std::size_t kMaxHeaderBlockBytes = 64 * 1024;

}  // namespace quillory::limits
