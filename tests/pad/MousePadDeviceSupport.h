#pragma once
// A mouse pad model configured as the window's page creation does, with its data folders in a
// temporary folder, on an emulated pad.

#include <memory>
#include <string>

#include "devicelink/DeviceModelRegistry.h"
#include "devicelink/DeviceSlotList.h"
#include "devices/pad/TalvorenMousePadDevice.h"
#include "emulator/EmulatorBackend.h"
#include "support/SourcePaths.h"
#include "support/TempFolder.h"

namespace morvek::test {

inline constexpr const char* kProfileUuid = "2026_12_10_11_00_00_000";
inline constexpr const char* kEmulatedPadCommand = "emu:pad&vid_0000&pid_0000&mi_01&col04";

inline const DeviceEntry& PadSlot() {
    static const DeviceEntry slot = [] {
        DeviceSlotList slots;
        DeviceEntry entry = slots.Slot(static_cast<size_t>(FindMatchRow(0, 0, kKindMousePad, kRoleCommand)));
        entry.path = kEmulatedPadCommand;
        entry.present = 1;
        return entry;
    }();
    return slot;
}

// Page creation's configuration, the data folders and the current profile.
inline void ConfigurePad(CTalvorenUSBDevice& model, const TempFolder& folder) {
    const int page = FindPageTemplate(0, 0, kKindMousePad, kRoleCommand);
    DeviceModelRegistry::ConfigureModel(model, DevicePageTemplates()[static_cast<size_t>(page)], PadSlot());
    model.SetDataRoots(folder.Path(), test::SourceDataDir());
    model.SetProfileName(kProfileUuid);
}

inline std::filesystem::path PadProfilePath(const TempFolder& folder) {
    return (folder.Path() / "MousePad" / kProfileUuid).concat(".Json");
}

}  // namespace morvek::test
