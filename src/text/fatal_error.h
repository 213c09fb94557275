#pragma once

#include <string_view>

namespace quillory {

// Shows the run-time error report and ends the process with exit code -1.
//
// The text library sits below the window toolkit, so the report goes through
// a reporter that the program installs at start-up (the window's message box);
// until one is installed it goes to standard error. The report says that a
// run-time error occurred, then `code` in decimal when it is not 0, then
// `message` when it is not empty.
[[noreturn]] void FatalError(int code, std::string_view message);

// Receives the whole report text. A reporter must return normally: the
// process ends right after it.
using FatalReporter = void (*)(std::string_view report);

// Installs `reporter`; nullptr brings back the standard-error reporter.
void SetFatalReporter(FatalReporter reporter);

}  // namespace quillory
