#pragma once
// A headset model on the emulated headset, with a profile made from the shipped template in a
// temporary data folder and a fake audio library whose calls the tests read.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "devices/headset/TalvorenHS6533Device.h"
#include "emulator/EmulatorBackend.h"
#include "profiles/JsonFile.h"
#include "support/FakeAudioLibrary.h"
#include "support/TempFolder.h"
#include "support/SourcePaths.h"

namespace morvek::test {

inline constexpr const char* kEmuHeadsetCommand = "emu:headset&vid_0000&pid_0000&mi_03";
inline constexpr const char* kHeadsetProfileId = "2024_01_02_03_04_05_678";

class HeadsetFixture : public ::testing::Test {
protected:
    void SetUp() override {
        headset_ = &backend_.Attach(emulator::EmulatedKind::Headset);
        library_.devices = {{audio::kFlowPlayback, {{1, 1, 0, 1}}}, {audio::kFlowRecording, {{2, 2, 0, 1}}}};
        library_.answers = {{L"GetSupportFeature", L"131072,0,0,0,0,0,0"}};
        Json::Value document = readjsonFile(std::filesystem::path(test::SourceDataDir()) / "HD.Json");
        document["profileUUID"] = kHeadsetProfileId;
        std::filesystem::create_directories(data_ / "HD");
        ASSERT_EQ(WriteJsonFile(ProfilePath(), document), 0);
    }

    // The model with the library (nothing: the library cannot be loaded), set up and loaded as
    // the page does it; the command channel open on the emulated headset.
    std::unique_ptr<CTalvorenHS6533Device> MakeModel(bool withLibrary = true) {
        auto loader = [this, withLibrary]() -> std::optional<audio::AudioEntryPoints> {
            if (!withLibrary) return std::nullopt;
            return library_.Entries();
        };
        auto model = std::make_unique<CTalvorenHS6533Device>(backend_, ui_, TaskQueueMode::Inline, loader);
        Configure(*model);
        return model;
    }

    void Configure(CTalvorenHS6533Device& model) {
        DeviceEntry entry;
        entry.kind = kKindHeadset;
        model.AttachIdentity(entry);
        model.SetPageLayoutFile("XML\\DeviceXml\\hs6533device.xml");
        model.SetDataFolderName("HD");
        model.SetDataRoots(data_.Path(), test::SourceDataDir());
        model.SetProfileName(kHeadsetProfileId);
        model.SetLightCount(13);
        model.InitDevicePage();
        EXPECT_TRUE(model.CommandChannel().Open(kEmuHeadsetCommand));
        model.LoadProfile();
        model.ReadAudioState();
        model.ApplyProfileToPage();
    }

    std::filesystem::path ProfilePath() const { return (data_ / "HD" / kHeadsetProfileId).concat(".Json"); }
    Json::Value SavedSection() const { return readjsonFile(ProfilePath())["Device"][0]; }

    // The calls since the last Forget, as "name=value" for writes and "name?" for reads.
    std::vector<std::string> Calls() const {
        std::vector<std::string> out;
        for (const auto& c : library_.calls) {
            std::string name(c.name.begin(), c.name.end());
            out.push_back(c.write != 0 ? name + "=" + std::to_string(c.value) : name + "?");
        }
        return out;
    }
    void Forget() { library_.calls.clear(); }

    TempFolder data_;
    emulator::EmulatorBackend backend_;
    emulator::EmulatedDevice* headset_ = nullptr;
    InlineUiDispatcher ui_;
    audio::testing::FakeAudioLibrary library_;
};

}  // namespace morvek::test
