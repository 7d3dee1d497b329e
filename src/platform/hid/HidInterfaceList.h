#pragma once
// Turns hidraw nodes into the interface list: one entry per top-level collection of
// each node's report descriptor.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "platform/hid/ReportDescriptor.h"

namespace morvek::hid {

// One USB interface as the platform enumeration reports it.
struct HidrawNode {
    std::string node;  // "/dev/hidraw3"
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t releaseNumber = 0;
    std::optional<uint16_t> interfaceNumber;
};

// Keeps the first row of each node: the enumeration may list a node once per usage.
std::vector<HidrawNode> UniqueNodes(const std::vector<HidrawNode>& rows);

// Collections are numbered in the path only when the interface has more than one.
std::vector<HidInterfaceInfo> DescribeCollections(const HidrawNode& node, const ParsedReportDescriptor& parsed);

}  // namespace morvek::hid
