#pragma once
// Packs every macro of a device kind's data folder into the device macro image and writes it
// into the keyboard's or mouse's macro memory.

#include <filesystem>
#include <optional>
#include <vector>

#include "devicelink/HidChannel.h"
#include "macros/MacroEvent.h"

namespace morvek {

// Results of DownloadMacros besides n > 0, the number of events too many for the device.
constexpr int kMacroDownloadDone = 0;     // written, or no macros to write
constexpr int kMacroDownloadFailed = -1;  // the device did not take the image (or is out of reach)
constexpr int kMacroListUnreadable = -2;  // "macro.config" is damaged or not a file: nothing was sent

// The events of every macro of folder in macro-number order; nothing when "macro.config" is
// missing, damaged or lists no macros. A macro whose file is missing or unreadable has no events.
std::optional<std::vector<std::vector<MacroEvent>>> ReadDeviceMacros(const std::filesystem::path& folder);

// The number of events to remove so that an image of total bytes fits capacity bytes; 0 when it fits.
int EventsTooMany(size_t total, size_t capacity);

// Downloads the macros of folder. kind is the device kind (keyboard, mouse or wireless mouse);
// on a wireless link the link is checked before every configuration command.
// 0 done (or nothing to write, and then the device is not touched), -1 failed, -2 the macro list
// cannot be read, n > 0 the macros exceed the device's macro memory by n events and nothing
// was written.
int DownloadMacros(CHidChannel& channel, const std::filesystem::path& folder, uint16_t kind);

}  // namespace morvek
