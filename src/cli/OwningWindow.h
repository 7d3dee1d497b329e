#pragma once
// One owner per device: while the morvek window runs it owns the devices, so morvekctl hands
// its device commands to the window over the window's local socket (platform/InstanceSocket.h)
// instead of opening the devices beside it. The window carries the command out on its own
// devices and shows the change; morvekctl prints what the window answers.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace morvek::cli {

struct OwnerRequest {
    std::vector<std::string> args;  // the whole command line, without the program name
    std::filesystem::path dataDir;  // the folders the command line works on
    std::filesystem::path defaultData;
};

// How long morvekctl waits for the window to carry a command out.
inline constexpr int kOwnerAnswerTimeoutMs = 120000;

// The request's JSON text, and back.
std::string OwnerRequestText(const OwnerRequest& request);
std::optional<OwnerRequest> ParseOwnerRequest(const std::string& text);
// The answer's JSON text: the exit status and what the command wrote.
std::string OwnerAnswerText(int status, const std::string& out, const std::string& err);

// Nothing when no window listens (the caller runs the command itself). Otherwise the exit
// status of the command the window carried out, its output copied to out and err; 1 with a
// message when the window took the command but gave no answer.
std::optional<int> RunInOwningWindow(const OwnerRequest& request, std::ostream& out, std::ostream& err,
                                     int timeoutMs = kOwnerAnswerTimeoutMs);

}  // namespace morvek::cli
