#pragma once
// Interface paths as the rest of the program sees them: the hidraw node followed by the
// markers "&vid_", "&pid_", "&mi_" and "&col", for example
// "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04".

#include <cstdint>
#include <optional>
#include <string>

namespace morvek::hid {

struct HidPathParts {
    std::string node;                        // "/dev/hidraw3"
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::optional<uint16_t> interfaceNumber; // absent for devices that are not USB
    uint16_t collectionNumber = 0;           // 0 when the interface has a single collection
};

// Lower-case hexadecimal: four digits for the ids, two for interface and collection.
std::string BuildHidPath(const HidPathParts& parts);

// The inverse of BuildHidPath; markers are matched regardless of case. Nothing when the
// path has no node, lacks "vid_" or "pid_", or carries anything else after the node.
std::optional<HidPathParts> SplitHidPath(const std::string& path);

}  // namespace morvek::hid
