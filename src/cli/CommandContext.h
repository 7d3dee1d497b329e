#pragma once
// What a morvekctl command gets: the session, its own arguments and the output streams.

#include <ostream>
#include <string>
#include <vector>

#include "cli/CliSession.h"

namespace morvek::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // the operation failed: one line on stderr says why
constexpr int kExitUsage = 2;   // the command line was wrong

struct CommandContext {
    CliSession& session;
    std::vector<std::string> args;  // after the command word
    std::ostream& out;
    std::ostream& err;
    bool json = false;

    int Fail(const std::string& message) const {
        err << "morvekctl: " << message << "\n";
        return kExitFailed;
    }
    int Usage(const std::string& message) const {
        err << "morvekctl: " << message << "\n";
        return kExitUsage;
    }
};

// A device command result in words a user understands.
std::string DescribeResult(int result);

}  // namespace morvek::cli
