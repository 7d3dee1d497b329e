// The light of every kind through ILighting: each model is built and opened as the window and
// the command line build it, and the one change contract is checked on the emulated device
// and the profile file: synchronised flag cleared, stored, saved, block 0 written.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "devicelink/DeviceKinds.h"
#include "devicelink/DeviceModelRegistry.h"
#include "devicelink/DeviceSlotList.h"
#include "devicelink/HidInterfaceHandle.h"
#include "devices/Capabilities.h"
#include "devices/DeviceModelFactory.h"
#include "devices/IDpiStages.h"
#include "devices/IKeyAssignment.h"
#include "devices/ILighting.h"
#include "devices/IMacroDownload.h"
#include "devices/ISoundSettings.h"
#include "emulator/EmulatorBackend.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileListStore.h"
#include "support/SourcePaths.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;

struct KindCase {
    EmulatedKind emulated;
    DeviceKind kind;
    LightModeFamily family;
    size_t modeNames;    // the shipped light names of the kind
    int firstRefused;    // the lowest mode the kind does not offer; -1: it offers all
};

const KindCase kCases[] = {
    {EmulatedKind::Keyboard, kKindKeyboard, LightModeFamily::Keyboard, 40, 40},
    {EmulatedKind::Mouse, kKindMouse, LightModeFamily::Shared, 9, 9},  // no custom modes listed
    {EmulatedKind::MousePad, kKindMousePad, LightModeFamily::Shared, 9, -1},
    {EmulatedKind::Headset, kKindHeadset, LightModeFamily::Shared, 9, 9},
};

class LightingCapabilityTest : public ::testing::Test {
protected:
    LightingCapabilityTest() {
        // The headset's audio library keeps its values in the per-user folder.
        ::setenv("MORVEK_DATA_DIR", (folder_ / "data").c_str(), 1);
    }

    // The model of the attached device, configured, on the selected profile, opened and with
    // its configuration read.
    std::unique_ptr<CTalvorenUSBDevice> Open(EmulatedKind emulated, emulator::EmulatedDevice*& device) {
        device = &backend_.Attach(emulated);
        DeviceSlotList slots;
        HidInterfaceHandle enumerator(backend_);
        EXPECT_TRUE(enumerator.EnumerateHidPaths());
        while (auto path = enumerator.NextPath()) slots.MatchPath(backend_, *path);
        for (const DeviceEntry& slot : slots.Slots()) {
            if (!slot.present || slot.role != kRoleCommand) continue;
            const int page = FindPageTemplate(slot.vendorId, slot.productId, slot.kind, slot.role);
            if (page < 0) continue;
            const DevicePageTemplate& t = DevicePageTemplates()[static_cast<size_t>(page)];
            auto model = DeviceModelFactory(backend_, ui_, TaskQueueMode::Inline).CreateDeviceModel(t);
            DeviceModelRegistry::ConfigureModel(*model, t, slot);
            model->SetDataRoots(folder_ / "data", test::SourceDataDir());
            ProfileListStore profiles(slot.kind, ProfileFolder(folder_ / "data", ListKindOf(slot.kind)),
                                      ProfileTemplate(test::SourceDataDir(), ListKindOf(slot.kind)));
            EXPECT_EQ(profiles.LoadProfileList(), ProfileStatus::kOk);
            model->SetProfileName(profiles.GetCurrentProfileUUID());
            EXPECT_TRUE(model->CommandChannel().Open(slot.path));
            model->RunOnDevice([m = model.get()] { m->ReadDeviceConfig(); });
            return model;
        }
        ADD_FAILURE() << "no command interface";
        return nullptr;
    }

    // Runs body on each kind's opened model, the device detached again afterwards.
    void ForEachKind(const std::function<void(const KindCase&, CTalvorenUSBDevice&, emulator::EmulatedDevice&)>& body) {
        for (const KindCase& c : kCases) {
            SCOPED_TRACE(c.kind);
            emulator::EmulatedDevice* device = nullptr;
            auto model = Open(c.emulated, device);
            if (model != nullptr) body(c, *model, *device);
            else ADD_FAILURE() << "no model";
            model.reset();
            backend_.Detach(c.emulated);
        }
    }

    static std::filesystem::path DocumentOf(CTalvorenUSBDevice& model) {
        return ProfileDocument(model.GetUserDataFolder(), model.ProfileName()).value_or(std::filesystem::path());
    }

    test::TempFolder folder_;
    emulator::EmulatorBackend backend_;
    InlineUiDispatcher ui_;
};

TEST_F(LightingCapabilityTest, EveryKindChangesItsLightByTheOneContract) {
    ForEachKind([&](const KindCase& c, CTalvorenUSBDevice& model, emulator::EmulatedDevice& device) {
        ILighting* lighting = CapabilityOf<ILighting>(model);
        ASSERT_NE(lighting, nullptr);
        EXPECT_EQ(lighting->ModeFamily(), c.family);

        model.CommandChannel().SetSynchronised(true);
        LightSettings light = lighting->CurrentLight();
        light.mode = 2;
        light.randomColour = 0;
        light.colour = {0x12, 0x34, 0x56};
        int written = -999;
        ASSERT_EQ(lighting->ChangeLight(light, [&written](int result) { written = result; }), LightChange::kDone);

        EXPECT_FALSE(model.CommandChannel().IsSynchronised());
        EXPECT_EQ(lighting->CurrentLight().mode, 2);
        EXPECT_EQ(lighting->CurrentLight().colour, (LedColour{0x12, 0x34, 0x56}));
        const Json::Value info = readjsonFile(DocumentOf(model))["Device"][0]["LightInfo"];
        EXPECT_EQ(info["SelectItem"].asInt(), 2);
        EXPECT_EQ(info["Red"].asInt(), 0x12);
        EXPECT_EQ(info["Blue"].asInt(), 0x56);
        // Block 0 on the device: mode in byte 1, red, green and blue in bytes 6-8 for every kind.
        EXPECT_EQ(written, kResultSuccess);
        const std::vector<uint8_t> params = device.Params();
        ASSERT_GE(params.size(), 9u);
        EXPECT_EQ(params[1], 2);
        EXPECT_EQ(std::vector<uint8_t>(params.begin() + 6, params.begin() + 9), (std::vector<uint8_t>{0x12, 0x34, 0x56}));
    });
}

TEST_F(LightingCapabilityTest, AProfileThatCannotBeWrittenIsReportedAndTheDeviceStillTakesTheLight) {
    ForEachKind([&](const KindCase&, CTalvorenUSBDevice& model, emulator::EmulatedDevice& device) {
        ILighting* lighting = CapabilityOf<ILighting>(model);
        ASSERT_NE(lighting, nullptr);
        const std::filesystem::path document = DocumentOf(model);
        std::filesystem::remove(document);
        std::filesystem::create_directory(document);

        LightSettings light = lighting->CurrentLight();
        light.mode = 3;
        int written = -999;
        EXPECT_EQ(lighting->ChangeLight(light, [&written](int result) { written = result; }), LightChange::kNotSaved);
        EXPECT_EQ(lighting->CurrentLight().mode, 3);
        EXPECT_EQ(written, kResultSuccess);
        EXPECT_EQ(device.Params()[1], 3);
    });
}

TEST_F(LightingCapabilityTest, ModeNamesAndOfferedModesFollowTheKind) {
    ForEachKind([&](const KindCase& c, CTalvorenUSBDevice& model, emulator::EmulatedDevice&) {
        const ILighting* lighting = CapabilityOf<ILighting>(model);
        ASSERT_NE(lighting, nullptr);
        model.ReloadMacroList();
        EXPECT_EQ(lighting->LightModeNames().size(), c.modeNames);
        EXPECT_TRUE(lighting->OffersLightMode(0));
        EXPECT_TRUE(lighting->OffersLightMode(8));
        if (c.firstRefused < 0) {
            EXPECT_TRUE(lighting->OffersLightMode(255));
        } else {
            EXPECT_TRUE(lighting->OffersLightMode(uint8_t(c.firstRefused - 1)));
            EXPECT_FALSE(lighting->OffersLightMode(uint8_t(c.firstRefused)));
        }
    });
}

// The capabilities a panel or the command line may ask each model for: key assignment and
// macro download exactly where the kind's row says it keeps a key table and macros, DPI stages
// only on the mouse, sound settings only on the headset.
TEST_F(LightingCapabilityTest, EveryKindOffersTheCapabilitiesOfItsRow) {
    ForEachKind([&](const KindCase& c, CTalvorenUSBDevice& model, emulator::EmulatedDevice&) {
        const DeviceKindRow* row = FindDeviceKind(c.kind);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(CapabilityOf<IKeyAssignment>(model) != nullptr, row->hasKeyTable);
        EXPECT_EQ(CapabilityOf<IMacroDownload>(model) != nullptr, row->hasMacros);
        EXPECT_EQ(CapabilityOf<IDpiStages>(model) != nullptr, c.kind == kKindMouse);
        EXPECT_EQ(CapabilityOf<ISoundSettings>(model) != nullptr, c.kind == kKindHeadset);
    });
}

TEST_F(LightingCapabilityTest, AModelWithoutLightsHasNoLightCapability) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Inline);
    EXPECT_EQ(CapabilityOf<ILighting>(model), nullptr);
}

}  // namespace
}  // namespace morvek
