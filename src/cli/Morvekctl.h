#pragma once
// morvekctl: the command-line front end over the core.

#include <ostream>
#include <string>
#include <vector>

namespace morvek::cli {

// Runs one command line (without the program name); returns the exit status.
int RunMorvekctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvek::cli
