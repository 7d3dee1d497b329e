#pragma once
// Numbers carried by a HID interface path: "vid_", "pid_", "&mi_", "&col".

#include <cstdint>
#include <string_view>

namespace morvek {

// Case-insensitive search of marker in path; the hexadecimal digits after it as u16, 0 when absent.
uint16_t ParsePathNumber(std::string_view path, std::string_view marker);

}  // namespace morvek
