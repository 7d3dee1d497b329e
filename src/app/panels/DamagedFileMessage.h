#pragma once
// The message window's "message_text_damaged_file": a list or document that could not be read
// was kept beside itself (kept is its new path) and a sound one took its place.

#include <filesystem>

namespace morvek::app {

class IPanelHost;

// Shows the message on host; nothing without a host.
void TellDamagedFileKept(IPanelHost* host, const std::filesystem::path& kept);

}  // namespace morvek::app
