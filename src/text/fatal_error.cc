#include "text/fatal_error.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quillory {
namespace {

void ReportToStandardError(std::string_view report) {
  std::fwrite(report.data(), 1, report.size(), stderr);
  std::fputc('\n', stderr);
}

std::atomic<FatalReporter> installed_reporter{nullptr};

}  // namespace

void SetFatalReporter(FatalReporter reporter) { installed_reporter = reporter; }

void FatalError(int code, std::string_view message) {
  // Plain std::string on purpose: a report about exhausted storage must not
  // route its own allocation failure back into FatalError.
  std::string report = "A run-time error occurred.";
  if (code != 0) report += "\nError code: " + std::to_string(code);
  if (!message.empty()) {
    report += '\n';
    report += message;
  }
  FatalReporter reporter = installed_reporter.load();
  (reporter != nullptr ? reporter : ReportToStandardError)(report);
  std::fflush(nullptr);
  // _Exit rather than exit: after a failed allocation, running destructors
  // and atexit handlers could fault before the process ends.
  std::_Exit(-1);
}

}  // namespace quillory
