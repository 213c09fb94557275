#pragma once

namespace quillory {

// Starts the window toolkit, shows the main window centred on the primary
// screen and runs the message loop until the window is closed. When no window
// can be shown the program ends through FatalError (code 0).
void StartProgram();

}  // namespace quillory
