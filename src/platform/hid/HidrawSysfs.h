#pragma once
// What the kernel tells about a hidraw node under sysfs: the report descriptor of its
// interface and the vendor and product ids of its device. The root is injectable so
// tests can lay out a fake tree.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvek::hid {

struct HidDeviceIds {
    uint16_t vendorId = 0;
    uint16_t productId = 0;

    bool operator==(const HidDeviceIds&) const = default;
};

// True for "hidraw" followed by decimal digits: the only names looked up under sysfs.
bool IsHidrawNodeName(std::string_view name);

// The ids of a uevent text's "HID_ID=bus:vendor:product" line.
std::optional<HidDeviceIds> ParseHidIdLine(std::string_view uevent);

class HidrawSysfs {
public:
    explicit HidrawSysfs(std::filesystem::path root = "/sys") : root_(std::move(root)) {}

    std::optional<std::vector<uint8_t>> ReportDescriptor(std::string_view nodeName) const;
    std::optional<HidDeviceIds> DeviceIds(std::string_view nodeName) const;

private:
    std::optional<std::filesystem::path> DeviceFolder(std::string_view nodeName) const;

    std::filesystem::path root_;
};

}  // namespace morvek::hid
