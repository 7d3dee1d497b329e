#pragma once
// The local socket the running window listens on (one per user): its place, shared by the
// window and by morvekctl, which hands its device commands to the window through it.
//
// Requests, each on a new connection:
//   "raise\n"                    show the window and bring it to the front
//   "run <N>\n" + N bytes        carry out a morvekctl command line: a JSON object
//                                {"args": [...], "dataDir": "...", "defaultData": "..."}
// The answer to "run" is "<N>\n" + N bytes of JSON: {"exit": int, "out": "...", "err": "..."};
// the window then closes the connection.

#include <filesystem>
#include <string>

namespace morvek {

inline constexpr const char* kInstanceName = "Morvek gaming keyboard";

// $XDG_RUNTIME_DIR/<name> when that folder exists, else the temporary folder's <name>.
std::filesystem::path InstanceSocketPath();

}  // namespace morvek
