#include "macros/MacroDownload.h"

#include "devicelink/DeviceKinds.h"
#include "macros/DeviceMacroImage.h"
#include "macros/LinkCheck.h"
#include "macros/MacroFile.h"
#include "macros/MacroListFile.h"

namespace morvek {
namespace {

int WriteKeyboardImage(CHidChannel& channel, const std::vector<uint8_t>& image) {
    const int written = channel.WriteMacroData(image.data(), image.size());
    const int closed = channel.EndConfig();
    return written == kResultSuccess && closed == kResultSuccess ? kMacroDownloadDone : kMacroDownloadFailed;
}

// Begin, write, end; a wireless mouse that drops out stops the sequence where it is.
int WriteMouseImage(CHidChannel& channel, const std::vector<uint8_t>& image) {
    if (!LinkReady(channel) || channel.BeginConfig() != kResultSuccess) return kMacroDownloadFailed;
    if (!LinkReady(channel)) return kMacroDownloadFailed;
    const int written = channel.WriteMacroData(image.data(), image.size());
    if (!LinkReady(channel)) return kMacroDownloadFailed;
    const int closed = channel.EndConfig();
    return written == kResultSuccess && closed == kResultSuccess ? kMacroDownloadDone : kMacroDownloadFailed;
}

}  // namespace

std::optional<std::vector<std::vector<MacroEvent>>> ReadDeviceMacros(const std::filesystem::path& folder) {
    const auto entries = MacroListFile(folder).ReadableEntries();
    if (!entries || entries->empty()) return std::nullopt;
    std::vector<std::vector<MacroEvent>> macros;
    for (const MacroInfo& entry : *entries) {
        const auto path = MacroFile::PathFor(folder, entry.guid);
        macros.push_back(path ? MacroFile::ReadMacroEvents(*path) : std::vector<MacroEvent>{});
    }
    return macros;
}

int EventsTooMany(size_t total, size_t capacity) {
    if (total <= capacity) return 0;
    return static_cast<int>((total - capacity) / DeviceMacroImage::kEventSize + 1);
}

int DownloadMacros(CHidChannel& channel, const std::filesystem::path& folder, uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    if (row == nullptr || !row->hasMacros) return kMacroDownloadFailed;
    // The keyboard takes its image as it is; the mouse's image has its own layout and link checks.
    const bool keyboard = row->listKind == kKindKeyboard;

    if (!MacroListFile(folder).ReadableEntries()) return kMacroListUnreadable;
    const auto macros = ReadDeviceMacros(folder);
    if (!macros) return kMacroDownloadDone;
    if (!channel.IsOpen()) return kMacroDownloadFailed;
    if (!keyboard && !LinkReady(channel)) return kMacroDownloadFailed;
    DeviceInfoRecord info;
    if (channel.ReadDeviceInfo(info) != kResultSuccess) return kMacroDownloadFailed;

    std::vector<size_t> counts;
    for (const auto& events : *macros) counts.push_back(events.size());
    const size_t total = DeviceMacroImage::TotalSize(counts);
    if (const int tooMany = EventsTooMany(total, info.MacroMemoryBytes())) return tooMany;

    const std::vector<uint8_t> image = DeviceMacroImage::Build(*macros);
    if (image.empty()) return kMacroDownloadFailed;
    return keyboard ? WriteKeyboardImage(channel, image) : WriteMouseImage(channel, image);
}

}  // namespace morvek
