#include "platform/hid/HidPath.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <cstdio>
#include <string_view>

#include "platform/hid/HexDigits.h"

namespace morvek::hid {
namespace {

std::string Hex(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

}  // namespace

std::string BuildHidPath(const HidPathParts& parts) {
    std::string path = parts.node + "&vid_" + Hex(parts.vendorId, 4) + "&pid_" + Hex(parts.productId, 4);
    if (parts.interfaceNumber) path += "&mi_" + Hex(*parts.interfaceNumber, 2);
    if (parts.collectionNumber != 0) path += "&col" + Hex(parts.collectionNumber, 2);
    return path;
}

std::optional<HidPathParts> SplitHidPath(const std::string& path) {
    const size_t lastSlash = path.rfind('/');
    const size_t markers = path.find('&', lastSlash == std::string::npos ? 0 : lastSlash);
    if (markers == std::string::npos || markers == 0) return std::nullopt;

    HidPathParts parts;
    parts.node = path.substr(0, markers);
    std::optional<uint16_t> vendor;
    std::optional<uint16_t> product;
    std::optional<uint16_t> collection;

    const std::pair<std::string_view, std::optional<uint16_t>*> fields[] = {
        {"&vid_", &vendor}, {"&pid_", &product}, {"&mi_", &parts.interfaceNumber}, {"&col", &collection}};

    std::string_view rest(path);
    rest.remove_prefix(markers);
    while (!rest.empty()) {
        const size_t next = rest.find('&', 1);
        const std::string_view token = rest.substr(0, next);
        rest = next == std::string_view::npos ? std::string_view{} : rest.substr(next);

        const auto field = std::find_if(std::begin(fields), std::end(fields),
                                        [&](const auto& f) { return StartsWithNoCase(token, f.first); });
        if (field == std::end(fields) || field->second->has_value()) return std::nullopt;
        const std::optional<uint32_t> value = ParseHexDigits(token.substr(field->first.size()), 4);
        if (!value) return std::nullopt;
        *field->second = static_cast<uint16_t>(*value);
    }
    if (!vendor || !product) return std::nullopt;
    parts.vendorId = *vendor;
    parts.productId = *product;
    parts.collectionNumber = collection.value_or(0);
    return parts;
}

}  // namespace morvek::hid
