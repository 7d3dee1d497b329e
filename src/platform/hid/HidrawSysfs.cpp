#include "platform/hid/HidrawSysfs.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "platform/hid/HexDigits.h"

namespace morvek::hid {
namespace {

// Report descriptors are at most 4 KiB on Linux; anything far beyond is not one.
constexpr size_t kMaxFileBytes = 64 * 1024;

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        bytes.append(chunk, static_cast<size_t>(file.gcount()));
        if (bytes.size() > kMaxFileBytes) return std::nullopt;
    }
    if (file.bad()) return std::nullopt;
    return bytes;
}

}  // namespace

bool IsHidrawNodeName(std::string_view name) {
    constexpr std::string_view kPrefix = "hidraw";
    if (name.size() <= kPrefix.size() || name.substr(0, kPrefix.size()) != kPrefix) return false;
    return std::all_of(name.begin() + kPrefix.size(), name.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

std::optional<HidDeviceIds> ParseHidIdLine(std::string_view uevent) {
    constexpr std::string_view kKey = "HID_ID=";
    size_t start = 0;
    while (start < uevent.size()) {
        const size_t end = std::min(uevent.find('\n', start), uevent.size());
        const std::string_view line = uevent.substr(start, end - start);
        start = end + 1;
        if (line.substr(0, kKey.size()) != kKey) continue;

        const std::string_view ids = line.substr(kKey.size());
        const size_t first = ids.find(':');
        const size_t second = first == std::string_view::npos ? first : ids.find(':', first + 1);
        if (second == std::string_view::npos) return std::nullopt;
        const auto vendor = ParseHexDigits(ids.substr(first + 1, second - first - 1), 8);
        const auto product = ParseHexDigits(ids.substr(second + 1), 8);
        if (!ParseHexDigits(ids.substr(0, first), 8) || !vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) {
            return std::nullopt;
        }
        return HidDeviceIds{static_cast<uint16_t>(*vendor), static_cast<uint16_t>(*product)};
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> HidrawSysfs::DeviceFolder(std::string_view nodeName) const {
    if (!IsHidrawNodeName(nodeName)) return std::nullopt;
    return root_ / "class" / "hidraw" / std::string(nodeName) / "device";
}

std::optional<std::vector<uint8_t>> HidrawSysfs::ReportDescriptor(std::string_view nodeName) const {
    const auto folder = DeviceFolder(nodeName);
    if (!folder) return std::nullopt;
    const auto bytes = ReadSmallFile(*folder / "report_descriptor");
    if (!bytes) return std::nullopt;
    return std::vector<uint8_t>(bytes->begin(), bytes->end());
}

std::optional<HidDeviceIds> HidrawSysfs::DeviceIds(std::string_view nodeName) const {
    const auto folder = DeviceFolder(nodeName);
    if (!folder) return std::nullopt;
    const auto text = ReadSmallFile(*folder / "uevent");
    if (!text) return std::nullopt;
    return ParseHidIdLine(*text);
}

}  // namespace morvek::hid
