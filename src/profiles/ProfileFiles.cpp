#include "profiles/ProfileFiles.h"

#include <algorithm>
#include <string>

#include "devicelink/DeviceKinds.h"
#include "platform/FileIo.h"
#include "profiles/TimeStampId.h"

namespace morvek {

std::filesystem::path ProfileFolder(const std::filesystem::path& userDataFolder, uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    return row != nullptr ? userDataFolder / row->dataFolder : std::filesystem::path();
}

std::filesystem::path ProfileTemplate(const std::filesystem::path& defaultDataFolder, uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    return row != nullptr ? defaultDataFolder / (std::string(row->dataFolder) + kProfileDocumentExtension)
                          : std::filesystem::path();
}

std::filesystem::path ProfileListFile(const std::filesystem::path& profileFolder) {
    return profileFolder / kProfileListFileName;
}

std::optional<std::filesystem::path> ProfileDocument(const std::filesystem::path& profileFolder,
                                                     std::string_view uuid) {
    if (!IsPlainTimeStampId(uuid)) return std::nullopt;
    return profileFolder / (std::string(uuid) + kProfileDocumentExtension);
}

std::vector<std::filesystem::path> UserDataFolders(const std::filesystem::path& userDataFolder) {
    std::vector<std::filesystem::path> folders = {userDataFolder};
    for (const DeviceKindRow& row : kDeviceKinds) {
        std::filesystem::path folder = userDataFolder / row.dataFolder;
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(std::move(folder));
    }
    return folders;
}

std::vector<std::filesystem::path> CleanUpInterruptedWrites(const std::filesystem::path& userDataFolder) {
    std::vector<std::filesystem::path> removed;
    for (const std::filesystem::path& folder : UserDataFolders(userDataFolder)) {
        for (std::filesystem::path& path : RemoveInterruptedWrites(folder)) removed.push_back(std::move(path));
    }
    return removed;
}

}  // namespace morvek
