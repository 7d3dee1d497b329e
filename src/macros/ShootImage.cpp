#include "macros/ShootImage.h"

#include "macros/DeviceMacroImage.h"
#include "macros/LinkCheck.h"
#include "macros/MacroFile.h"
#include "macros/ShootFile.h"
#include "profiles/JsonFile.h"

namespace morvek {

std::vector<uint8_t> BuildShootImage(const std::filesystem::path& folder) {
    std::vector<std::vector<MacroEvent>> patterns;
    for (int gun = 0; gun < ShootFile::kGunCount; ++gun)
        patterns.push_back(MacroFile::ReadMacroEvents(ShootFile::PathIn(folder, gun)));
    return DeviceMacroImage::Build(patterns);
}

std::optional<int> UnreadableShootPattern(const std::filesystem::path& folder) {
    for (int gun = 0; gun < ShootFile::kGunCount; ++gun) {
        if (!ShootFile::IsShootDocument(readjsonFile(ShootFile::PathIn(folder, gun)))) return gun;
    }
    return std::nullopt;
}

int DownloadShootPatterns(CHidChannel& channel, const std::filesystem::path& folder) {
    if (!channel.IsOpen()) return kResultNoAnswer;
    if (!LinkReady(channel)) return kResultNoAnswer;
    if (UnreadableShootPattern(folder)) return kShootPatternUnreadable;
    const std::vector<uint8_t> image = BuildShootImage(folder);
    if (image.empty()) return kResultRefused;
    const int begun = channel.BeginConfig();
    if (begun != kResultSuccess) return begun;
    if (!LinkReady(channel)) return kResultNoAnswer;
    const int written = channel.WriteMacroDataDirect(image.data(), image.size());
    if (!LinkReady(channel)) return kResultNoAnswer;
    const int ended = channel.EndConfig();
    return written != kResultSuccess ? written : ended;
}

}  // namespace morvek
