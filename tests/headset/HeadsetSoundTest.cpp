// The voice and voice-changer panels' events on the headset model: library writes in order,
// profile words and values, what the panel shows.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <functional>

#include "HeadsetFixture.h"
#include "support/SourcePaths.h"

namespace morvek::test {
namespace {

using Strings = std::vector<std::string>;

std::vector<int> FileBands(const Json::Value& list) {
    std::vector<int> values;
    for (const Json::Value& band : list) values.push_back(band["value"].asInt());
    return values;
}

class HeadsetSoundTest : public HeadsetFixture {};
class HeadsetWithOurLibraryTest : public HeadsetFixture {};

TEST_F(HeadsetSoundTest, StartUpMakesSureOfThePropertiesItNeeds) {
    library_.answers[L"MuteControl"] = L"0";
    auto model = MakeModel();
    ASSERT_TRUE(model->AudioActive());
    const auto& calls = library_.calls;
    auto find = [&](const std::wstring& name, int write) {
        return std::find_if(calls.begin(), calls.end(), [&](const auto& c) { return c.name == name && c.write == write; });
    };
    // A property that reads is left alone; one that does not gets 0, with its write parameter.
    EXPECT_EQ(find(L"MuteControl", audio::kAudioWrite), calls.end());
    const auto encRead = find(L"Enable_ENC_LFX", audio::kAudioRead);
    const auto encWrite = find(L"Enable_ENC_LFX", audio::kAudioWrite);
    ASSERT_NE(encWrite, calls.end());
    EXPECT_TRUE(encRead->hasParameter);
    EXPECT_FALSE(encWrite->hasParameter);
    EXPECT_EQ(find(L"VirtualSurroundEffectControl", audio::kAudioWrite)->parameter, (std::array<int32_t, 3>{4, -1, 0}));
    EXPECT_EQ(find(L"AAVolumeScalarControl", audio::kAudioWrite)->parameter[0], 0);
    EXPECT_EQ(find(L"VolumeControl", audio::kAudioWrite)->parameter[0], -1);
}

TEST_F(HeadsetSoundTest, PresetFiveWritesZerosAndEnablesTheEqualiser) {
    auto model = MakeModel();
    Forget();
    ASSERT_EQ(model->SelectEqPreset(5), HeadsetChange::Done);
    EXPECT_EQ(Calls(), (Strings{"Enable_EQ_GFX=1", "EQ_Slider1=0", "EQ_Slider2=0", "EQ_Slider3=0", "EQ_Slider4=0",
                                "EQ_Slider5=0", "EQ_Slider6=0", "EQ_Slider7=0", "EQ_Slider8=0", "EQ_Slider9=0",
                                "EQ_Slider10=0"}));
    EXPECT_EQ(model->Words()[kWordEqType], 5);
    EXPECT_FALSE(model->Panel().customAreaEnabled);
    const Json::Value saved = SavedSection();
    EXPECT_EQ(saved["SystemSetStages"]["EqType"].asInt(), 5);
    EXPECT_EQ(FileBands(saved["EQHzValueInfo"][5]), std::vector<int>(10, 0));
}

TEST_F(HeadsetSoundTest, PresetsOutOfRangeChangeNothing) {
    auto model = MakeModel();
    Forget();
    for (int preset : {0, 13, -1}) EXPECT_EQ(model->SelectEqPreset(preset), HeadsetChange::BadValue) << preset;
    EXPECT_EQ(model->MoveBandSlider(10, 3), HeadsetChange::BadValue);
    EXPECT_EQ(model->SetMicrophoneLevel(101), HeadsetChange::BadValue);
    EXPECT_EQ(model->SelectVoice(5), HeadsetChange::BadValue);
    EXPECT_TRUE(library_.calls.empty());
}

TEST_F(HeadsetSoundTest, ABandMovedUnderAPresetSwitchesToTheUserEqualiserAndStoresNothing) {
    auto model = MakeModel();
    ASSERT_EQ(model->SelectEqPreset(7), HeadsetChange::Done);
    const std::string before = SavedSection().toStyledString();
    Forget();
    ASSERT_EQ(model->MoveBandSlider(3, 6), HeadsetChange::Done);
    EXPECT_EQ(Calls(), Strings{"EQ_Slider4=6"});
    const HeadsetPanel panel = model->Panel();
    EXPECT_EQ(panel.eqOption, 13);
    EXPECT_EQ(panel.customSelection, -1);
    EXPECT_TRUE(panel.customAreaEnabled);
    EXPECT_EQ(panel.sliders, (EqBandValues{14, 10, 4, 6, -4, -3, -1, 1, 2, 3}));
    EXPECT_EQ(SavedSection().toStyledString(), before);
}

TEST_F(HeadsetSoundTest, AudioStateTakesLevelsAndTheVoiceChangerOnlyWithItsFeature) {
    struct Case {
        const wchar_t* features;
        const wchar_t* level;
        int magicEnable;
        int micLevel;
    };
    const Case cases[] = {
        {L"131072,0,0,0,0,0,0", L"0.5", 1, 50},
        {L"0,0,0,0,0,0,0", L"0.29", 0, 29},  // the profile's MagicEnable (0) stays
    };
    for (const Case& c : cases) {
        library_.answers = {{L"GetSupportFeature", c.features}, {L"Enable_MAGICVOICE", L"1"},
                            {L"VolumeScalarControl", c.level}, {L"MagicVoice_Selection", L"2"}};
        auto model = MakeModel();
        EXPECT_EQ(model->Words()[kWordMagicEnable], c.magicEnable);
        EXPECT_EQ(model->Words()[kWordMicInValue], c.micLevel);
        EXPECT_EQ(model->Words()[kWordMagicType], 3);
    }
}

TEST_F(HeadsetSoundTest, MonitorIsReadOnlyWhenTheDeviceHasAMonitorPath) {
    library_.answers[L"AAMuteControl"] = L"0";
    library_.answers[L"AAVolumeScalarControl"] = L"0.7";
    auto model = MakeModel();
    EXPECT_EQ(model->Words()[kWordMonitorValue], SavedSection()["SystemSetStages"]["MicMoniterValue"].asInt());
    library_.answers[L"GetAAMaxVol"] = L"100";
    auto withMonitor = MakeModel();
    EXPECT_EQ(withMonitor->Words()[kWordMonitorSelect], 1);
    EXPECT_EQ(withMonitor->Words()[kWordMonitorValue], 70);
}

TEST_F(HeadsetSoundTest, VoiceChangerOnAlsoSwitchesTheEchoOff) {
    auto model = MakeModel();
    Forget();
    ASSERT_EQ(model->SetVoiceChanger(true), HeadsetChange::Done);
    EXPECT_EQ(Calls(), (Strings{"Enable_MAGICVOICE=1", "Enable_MICECHO=0"}));
    Forget();
    ASSERT_EQ(model->SetVoiceChanger(false), HeadsetChange::Done);
    EXPECT_EQ(Calls(), Strings{"Enable_MAGICVOICE=0"});
    ASSERT_EQ(model->SelectVoice(4), HeadsetChange::Done);
    EXPECT_EQ(Calls().back(), "MagicVoice_Selection=3");
    EXPECT_EQ(SavedSection()["SystemSetStages"]["MagicType"].asInt(), 4);
}

TEST_F(HeadsetSoundTest, LevelsAndSwitchesChangeTheWordOnlyWhenTheLibraryTookThem) {
    library_.answers[L"MuteControl"] = L"0";
    auto model = MakeModel();
    Forget();
    ASSERT_EQ(model->SetMicrophoneLevel(40), HeadsetChange::Done);
    ASSERT_EQ(model->ToggleMicrophone(), HeadsetChange::Done);
    ASSERT_EQ(library_.calls.size(), 2u);
    float written = 0;
    std::memcpy(&written, &library_.calls[0].value, sizeof(written));
    EXPECT_FLOAT_EQ(written, 0.4f);
    EXPECT_EQ(library_.calls[0].parameter[0], -1);
    EXPECT_EQ(Calls()[1], "MuteControl=1");
    EXPECT_EQ(model->Words()[kWordMicInValue], 40);
    EXPECT_EQ(model->Words()[kWordMicInSelect], 0);

    auto idle = MakeModel(false);
    const int before = idle->Words()[kWordMonitorValue];
    ASSERT_EQ(idle->SetMonitorLevel(before + 10), HeadsetChange::Done);
    EXPECT_EQ(idle->Panel().monitorLevel, before + 10) << "the slider keeps the user's position";
    EXPECT_EQ(idle->Words()[kWordMonitorValue], before);
}

// Every panel event says whether the library took all of its writes; one refused write of an
// event (a library that cannot keep its values) is enough to say no.
TEST_F(HeadsetSoundTest, EachPanelEventTellsWhetherTheLibraryTookIt) {
    struct Case {
        const char* what;
        std::wstring refused;  // empty: none
        std::function<HeadsetChange(CTalvorenHS6533Device&)> event;
        bool took;
    } cases[] = {
        {"preset", L"", [](auto& m) { return m.SelectEqPreset(3); }, true},
        {"preset, a band refused", L"EQ_Slider3", [](auto& m) { return m.SelectEqPreset(3); }, false},
        {"preset, the equaliser switch refused", L"Enable_EQ_GFX", [](auto& m) { return m.SelectEqPreset(3); }, false},
        {"band", L"", [](auto& m) { return m.MoveBandSlider(1, 4); }, true},
        {"band refused", L"EQ_Slider2", [](auto& m) { return m.MoveBandSlider(1, 4); }, false},
        {"voice", L"", [](auto& m) { return m.SelectVoice(2); }, true},
        {"voice refused", L"MagicVoice_Selection", [](auto& m) { return m.SelectVoice(2); }, false},
        {"voice changer refused", L"Enable_MAGICVOICE", [](auto& m) { return m.SetVoiceChanger(true); }, false},
        {"microphone level refused", L"VolumeScalarControl", [](auto& m) { return m.SetMicrophoneLevel(30); }, false},
        {"another property refused", L"EQ_Slider9", [](auto& m) { return m.SelectVoice(2); }, true},
    };
    for (const Case& c : cases) {
        library_.refusedWrites.clear();
        auto model = MakeModel();
        if (!c.refused.empty()) library_.refusedWrites.insert(c.refused);
        EXPECT_EQ(c.event(*model), HeadsetChange::Done) << c.what;
        EXPECT_EQ(model->LibraryTookLastChange(), c.took) << c.what;
    }
}

TEST_F(HeadsetSoundTest, SavingUserEqualisers) {
    auto model = MakeModel();
    EXPECT_EQ(model->SaveUserEq(""), EqSaveResult::Refused) << "no name and none chosen";
    model->MoveBandSlider(0, 9);
    ASSERT_EQ(model->SaveUserEq("Bass"), EqSaveResult::Saved);
    EXPECT_EQ(model->SaveUserEq("BASS"), EqSaveResult::NameTaken);
    Json::Value saved = SavedSection();
    EXPECT_EQ(saved["CustomEQNameInfo"][0]["Name"].asString(), "Bass");
    EXPECT_EQ(saved["SystemSetStages"]["CustomEqSeletIndex"].asInt(), 0);
    EXPECT_EQ(saved["SystemSetStages"]["EqType"].asInt(), 13);
    EXPECT_EQ(FileBands(saved["CustomEQHzValueInfo"][0])[0], 9);

    model->MoveBandSlider(0, -5);
    ASSERT_EQ(model->SaveUserEq(""), EqSaveResult::Saved) << "an empty name saves the chosen one";
    EXPECT_EQ(FileBands(SavedSection()["CustomEQHzValueInfo"][0])[0], -5);

    for (int i = 1; i < CHs6533Profiledata::kMaxCustomEqPresets; ++i) {
        ASSERT_EQ(model->SaveUserEq("eq" + std::to_string(i)), EqSaveResult::Saved);
    }
    EXPECT_EQ(model->SaveUserEq("one too many"), EqSaveResult::Refused);
    EXPECT_EQ(model->UserEqNames().size(), 20u);
}

TEST_F(HeadsetSoundTest, DeletingAUserEqualiserKeepsTheOthersWithTheirOwnValues) {
    auto model = MakeModel();
    model->MoveBandSlider(0, 3);
    ASSERT_EQ(model->SaveUserEq("Low"), EqSaveResult::Saved);
    model->MoveBandSlider(0, 8);
    ASSERT_EQ(model->SaveUserEq("High"), EqSaveResult::Saved);
    ASSERT_EQ(model->ChooseUserEq(0), HeadsetChange::Done);
    Forget();
    ASSERT_EQ(model->DeleteUserEq(), HeadsetChange::Done);
    EXPECT_TRUE(library_.calls.empty()) << "the library is not told";
    EXPECT_EQ(model->UserEqNames(), Strings{"High"});
    EXPECT_EQ(model->Panel().sliders[0], 8);
    Json::Value saved = SavedSection();
    EXPECT_EQ(FileBands(saved["CustomEQHzValueInfo"][0])[0], 8);
    EXPECT_EQ(saved["SystemSetStages"]["CustomEqSeletIndex"].asInt(), 0);

    ASSERT_EQ(model->DeleteUserEq(), HeadsetChange::Done);
    EXPECT_EQ(model->Panel().eqOption, 1);
    EXPECT_EQ(model->Panel().sliders, (EqBandValues{7, 11, 2, -3, -1, 4, 9, 12, 9, 5}));
    EXPECT_FALSE(model->Panel().customAreaEnabled);
    saved = SavedSection();
    EXPECT_EQ(saved["SystemSetStages"]["EqType"].asInt(), 1);
    EXPECT_EQ(saved["SystemSetStages"]["CustomEqSeletIndex"].asInt(), -1);
    EXPECT_EQ(model->DeleteUserEq(), HeadsetChange::BadValue) << "none chosen";
}

TEST_F(HeadsetSoundTest, UserEqualiserOptionAppliesTheChosenOne) {
    auto model = MakeModel();
    model->MoveBandSlider(9, -7);
    ASSERT_EQ(model->SaveUserEq("Voice"), EqSaveResult::Saved);
    ASSERT_EQ(model->SelectEqPreset(2), HeadsetChange::Done);
    Forget();
    ASSERT_EQ(model->SelectUserEqOption(), HeadsetChange::Done);
    const Strings calls = Calls();
    ASSERT_EQ(calls.size(), 11u);
    EXPECT_EQ(calls.front(), "Enable_EQ_GFX=1");
    EXPECT_EQ(calls.back(), "EQ_Slider10=-7");
    EXPECT_EQ(SavedSection()["SystemSetStages"]["EqType"].asInt(), 13);
}

TEST_F(HeadsetSoundTest, AProfileThatCannotBeWrittenIsReported) {
    auto model = MakeModel();
    std::filesystem::remove(ProfilePath());
    std::filesystem::create_directory(ProfilePath());
    EXPECT_EQ(model->SelectEqPreset(3), HeadsetChange::NotSaved);
    bool saved = true;
    EXPECT_EQ(model->SaveUserEq("x", &saved), EqSaveResult::Saved);
    EXPECT_FALSE(saved);
}

TEST_F(HeadsetWithOurLibraryTest, APresetReachesTheLibrarysKeptValues) {
    ASSERT_EQ(::setenv("MORVEK_DATA_DIR", data_.Path().c_str(), 1), 0);
    auto model = std::make_unique<CTalvorenHS6533Device>(backend_, ui_, TaskQueueMode::Inline,
                                                         [] { return audio::LoadAudioLibrary(test::AudioLibraryPath()); });
    Configure(*model);
    ASSERT_TRUE(model->AudioActive());
    EXPECT_TRUE(model->HasVoiceChanger());
    ASSERT_EQ(model->SelectEqPreset(3), HeadsetChange::Done);
    ASSERT_EQ(model->SetMicrophoneLevel(35), HeadsetChange::Done);
    const Json::Value kept = readjsonFile(data_ / "osConfLib.json");
    EXPECT_EQ(kept["playback"]["Enable_EQ_GFX"].asInt(), 1);
    EXPECT_EQ(kept["playback"]["EQ_Slider1"].asInt(), 10);
    EXPECT_EQ(kept["playback"]["EQ_Slider5"].asInt(), -4);
    // Read back by a model started afterwards.
    auto again = std::make_unique<CTalvorenHS6533Device>(backend_, ui_, TaskQueueMode::Inline,
                                                         [] { return audio::LoadAudioLibrary(test::AudioLibraryPath()); });
    Configure(*again);
    EXPECT_EQ(again->Words()[kWordMicInValue], 35);
    ::unsetenv("MORVEK_DATA_DIR");
}

}  // namespace
}  // namespace morvek::test
