#include "text/fatal_error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

#include "text/storage.h"

namespace quillory {
namespace {

void ReportWithPrefix(std::string_view report) {
  std::fprintf(stderr, "installed reporter: %.*s\n", static_cast<int>(report.size()), report.data());
}

TEST(FatalErrorDeathTest, ReportsCodeAndMessageAndExitsWithMinusOne) {
  EXPECT_EXIT(FatalError(7, "boom"), testing::ExitedWithCode(255), "run-time error occurred.\nError code: 7\nboom");
}

TEST(FatalErrorDeathTest, CodeZeroAndEmptyMessageAreLeftOut) {
  EXPECT_EXIT(FatalError(0, ""), testing::ExitedWithCode(255), "occurred.\n$");
}

TEST(FatalErrorDeathTest, GoesThroughTheInstalledReporter) {
  EXPECT_EXIT(
      {
        SetFatalReporter(ReportWithPrefix);
        FatalError(1, "x");
      },
      testing::ExitedWithCode(255), "installed reporter: A run-time error");
}

TEST(FatalErrorDeathTest, StorageThatCannotBeObtainedIsFatalAndNamesTheBytes) {
  constexpr std::size_t kTooMuch = std::numeric_limits<std::size_t>::max() - 16;
  EXPECT_EXIT((void)internal::ObtainStorage(nullptr, kTooMuch), testing::ExitedWithCode(255),
              "^A run-time error occurred.\nOut of memory: " + std::to_string(kTooMuch) + " bytes");
}

}  // namespace
}  // namespace quillory
