#pragma once
// What a morvekctl command gets: the session, its own arguments and the output streams.

#include <filesystem>
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
    // Something the user is to know that does not end the command (a damaged file kept aside).
    void Notice(const std::string& message) const { err << "morvekctl: " << message << "\n"; }
};

// The notice for a damaged list file kept beside the new one.
std::string KeptListNotice(const std::filesystem::path& kept);

// A device command result in words a user understands.
std::string DescribeResult(int result);
// A failed device step on channel in words: the device (named by device, "keyboard" for
// example) does not answer at all, it refused (status 0xff or 0xfe), or a wireless mouse is out
// of its receiver's reach; else DescribeResult.
std::string DescribeDeviceResult(const CHidChannel& channel, int result, const std::string& device);

}  // namespace morvek::cli
