#pragma once
// The mouse's shoot image: the four shoot patterns of the mouse's data folder in the device
// macro image layout (header, four offsets at 16, the patterns from 24; 40 + 4 × events bytes),
// and its download with the direct macro write.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "devicelink/HidChannel.h"

namespace morvek {

// The image of "ShootData_0..3.Shoot" in folder; a missing or unreadable file is a pattern
// without events. Empty when the patterns are too large for an image.
std::vector<uint8_t> BuildShootImage(const std::filesystem::path& folder);

// DownloadShootPatterns: a pattern file of folder is missing, damaged or not a shoot pattern;
// nothing was sent (an image of empty patterns would clear the mouse's).
constexpr int kShootPatternUnreadable = -3;

// The first gun whose file in folder is not a readable shoot pattern; nothing when all are.
std::optional<int> UnreadableShootPattern(const std::filesystem::path& folder);

// Sends the shoot image: begin, direct macro write, end, each after a link check on a
// wireless channel. 1 done; 0 channel closed or the mouse out of reach; -2 the patterns are
// too large; -3 a pattern file cannot be read; else the result of the command that failed.
int DownloadShootPatterns(CHidChannel& channel, const std::filesystem::path& folder);

}  // namespace morvek
