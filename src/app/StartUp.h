#pragma once
// The program's entry: start-up, the message loop and shut-down of the morvek application.

namespace morvek::app {

// Returns the process exit code.
int RunApplication(int argc, char** argv);

}  // namespace morvek::app
