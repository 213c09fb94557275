#include "app/start_program.h"

#include <QApplication>

#include "app/display.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "text/fatal_error.h"

namespace quillory {

void StartProgram() {
  SetFatalReporter(ShowErrorBox);
  if (std::optional<std::string> why = WhyNoDisplay()) {
    FatalError(0, "Loading the start window failed: " + *why + ".");
  }
  // The program has no command line; the toolkit still wants a program name
  // that outlives it.
  static int argc = 1;
  static char name[] = "quillory";
  static char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  MainWindow window;
  window.CentreOnPrimaryScreen();
  window.show();
  QApplication::exec();
}

}  // namespace quillory
