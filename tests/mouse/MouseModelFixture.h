#pragma once
// A mouse model on an emulated mouse (wired, wireless or any other kind that should play one),
// with a per-user data folder of its own holding the mouse's profile list made from the
// shipped template. Device work runs inline.

#include <json/json.h>

#include <filesystem>
#include <memory>
#include <string>

#include "devicelink/DeviceSlotList.h"
#include "devices/mouse/TalvorenMouseDevice.h"
#include "macros/EmulatedChannel.h"
#include "platform/TempDir.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileListStore.h"
#include "support/SourcePaths.h"

namespace morvek::test {

inline const std::filesystem::path kShippedData = test::SourceDataDir();

class MouseModelFixture {
public:
    // clock: the light engine's milliseconds (empty: the steady clock).
    explicit MouseModelFixture(emulator::EmulatedKind kind, LightEngine::Clock clock = {}) : emulated_(kind) {
        model_ = std::make_unique<CTalvorenMouseDevice>(emulated_, ui_, TaskQueueMode::Inline, std::move(clock));
        model_->SetDataFolderName("mouse");
        model_->SetDataRoots(dir_.Path(), kShippedData);
        ProfileListStore store(kKindMouse, Folder(), ProfileTemplate(kShippedData, kKindMouse));
        store.LoadProfileList();
        model_->SetProfileName(store.GetCurrentProfileUUID());
        for (const DeviceEntry& slot : Slots()) {
            if (!slot.present || slot.role != kRoleCommand) continue;
            model_->AttachIdentity(slot);
            model_->CommandChannel().Open(slot.path);
        }
        model_->CommandChannel().SetWireless(kind == emulator::EmulatedKind::WirelessMouse);
        model_->SetScreenSize(1920, 1080);
    }

    CTalvorenMouseDevice& Model() { return *model_; }
    emulator::EmulatedDevice& Device() { return emulated_.Device(); }
    EmulatedChannel& Emulated() { return emulated_; }
    std::filesystem::path Folder() const { return ProfileFolder(dir_.Path(), kKindMouse); }
    std::filesystem::path Document() const { return *ProfileDocument(Folder(), model_->ProfileName()); }
    Json::Value Section() const { return readjsonFile(Document())["Device"][0]; }
    // The wireless mouse goes out of its receiver's reach (down) or comes back.
    void SetLinkDown(bool down) {
        emulator::FaultPlan faults = emulated_.Device().Faults();
        faults.linkDown = down;
        emulated_.Device().SetFaults(faults);
    }
    // Replaces the current profile's device section.
    void WriteSection(const Json::Value& section) {
        Json::Value document = readjsonFile(Document());
        document["Device"][0] = section;
        WriteJsonFile(Document(), document);
    }
    // The 66 bytes of settings block 0 as the mouse holds them.
    std::vector<uint8_t> Block() {
        const std::vector<uint8_t> params = emulated_.Device().Params();
        return {params.begin(), params.begin() + MouseSettingBlock::kSize};
    }

private:
    std::vector<DeviceEntry> Slots() {
        DeviceSlotList slots;
        HidInterfaceHandle enumerator(emulated_);
        enumerator.EnumerateHidPaths();
        while (auto path = enumerator.NextPath()) slots.MatchPath(emulated_, *path);
        return slots.Slots();
    }

    hid::testing::TempDir dir_;
    EmulatedChannel emulated_;
    InlineUiDispatcher ui_;
    std::unique_ptr<CTalvorenMouseDevice> model_;
};

}  // namespace morvek::test
