#include "update/UpdateFileName.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/Paths.h"

namespace morvek::update {
namespace {

constexpr size_t kMaxStemBytes = 64;
constexpr size_t kMaxExtensionLength = 10;

bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The extension of the address's last path segment (query and fragment left out).
std::string AddressExtension(const std::string& address) {
    std::string path = address.substr(0, address.find_first_of("?#"));
    const size_t scheme = path.find("://");
    if (scheme != std::string::npos) {
        const size_t slash = path.find('/', scheme + 3);
        path = slash == std::string::npos ? std::string() : path.substr(slash);
    }
    const std::string segment = path.substr(path.rfind('/') + 1);
    const size_t dot = segment.rfind('.');
    if (dot == std::string::npos || dot == 0) return {};
    const std::string extension = segment.substr(dot + 1);
    if (extension.empty() || extension.size() > kMaxExtensionLength ||
        !std::all_of(extension.begin(), extension.end(), IsAsciiAlnum))
        return {};
    return extension;
}

}  // namespace

std::filesystem::path UpdateCacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::filesystem::path base = cache != nullptr ? cache : "";
    if (base.empty() || base.is_relative()) {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr ? home : "") / ".cache";
    }
    return base / kProductFolderName / kUpdateFolderName;
}

std::string LocalFileName(const std::string& rowName, const std::string& downloadAddress) {
    std::string stem;
    for (char c : rowName) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7f) continue;
        if (stem.empty() && (c == '.' || c == ' ')) continue;
        stem += c;
    }
    if (stem.size() > kMaxStemBytes) {
        // Cut at a character boundary of the UTF-8 text.
        size_t cut = kMaxStemBytes;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
        stem.resize(cut);
    }
    if (stem.empty()) stem = "update";
    const std::string extension = AddressExtension(downloadAddress);
    return stem + "." + (extension.empty() ? std::string("exe") : extension);
}

}  // namespace morvek::update
