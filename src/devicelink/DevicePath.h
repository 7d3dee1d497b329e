#pragma once
// Numbers carried by a HID interface path: "vid_", "pid_", "&mi_", "&col".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvek {

// Case-insensitive search of marker in path; the hexadecimal digits after it as u16, 0 when absent.
uint16_t ParsePathNumber(std::string_view path, std::string_view marker);

// The path of another top-level collection of the same interface: the digits after "&col"
// replaced by collection (as many hexadecimal digits as before, at least two, in the marker's
// case). A path without "&col" stands for collection 0 only; nothing for other collections.
std::optional<std::string> PathWithCollection(std::string_view path, uint16_t collection);

}  // namespace morvek
