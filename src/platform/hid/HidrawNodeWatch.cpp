#include "platform/hid/HidrawNodeWatch.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>

#include "platform/hid/HidrawSysfs.h"

namespace morvek::hid {

HidrawSnapshot TakeHidrawSnapshot(const std::filesystem::path& sysfsRoot, const std::filesystem::path& devRoot) {
    HidrawSnapshot nodes;
    const std::filesystem::path classFolder = sysfsRoot / "class" / "hidraw";
    DIR* folder = ::opendir(classFolder.c_str());
    if (folder == nullptr) return nodes;
    while (const dirent* entry = ::readdir(folder)) {
        if (!IsHidrawNodeName(entry->d_name)) continue;
        HidrawNodeState node;
        node.name = entry->d_name;
        struct stat status {};
        if (::stat((devRoot / node.name).c_str(), &status) == 0) {
            node.present = true;
            node.device = status.st_dev;
            node.inode = status.st_ino;
            node.rdev = status.st_rdev;
            node.changeSeconds = status.st_ctim.tv_sec;
            node.changeNanoseconds = status.st_ctim.tv_nsec;
        }
        std::array<char, 512> link{};
        const ssize_t length = ::readlink((classFolder / node.name).c_str(), link.data(), link.size());
        if (length > 0) node.sysfsIdentity.assign(link.data(), static_cast<size_t>(length));
        nodes.push_back(std::move(node));
    }
    ::closedir(folder);
    std::sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return nodes;
}

}  // namespace morvek::hid
