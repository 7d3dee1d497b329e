#include "audio-sdk/AudioSdkLibrary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "audio-sdk/AlsaMixerLink.h"
#include "audio-sdk/SdkFixtures.h"
#include "support/TempFolder.h"

namespace morvek::audiosdk {
namespace {

using test::FakeMixer;
using test::ReadProperty;
using test::WriteProperty;

class AudioSdkLibraryTest : public ::testing::Test {
protected:
    AudioSdkLibrary MakeLibrary(bool failMixerWrites = false) {
        return AudioSdkLibrary([this] { return folder_ / "osConfLib.json"; }, [this, failMixerWrites] {
            return std::make_unique<FakeMixer>(card_, failMixerWrites);
        });
    }
    static auto Calls(AudioSdkLibrary& library) {
        return [&library](audio::AudioDeviceInfo d, const wchar_t* n, void** v, void** p, int w) {
            return library.PropertyControl(d, n, v, p, w);
        };
    }
    std::wstring Read(AudioSdkLibrary& library, audio::AudioDeviceInfo device, const wchar_t* name) {
        std::wstring text;
        EXPECT_EQ(ReadProperty(Calls(library), device, name, text), kSdkOk) << name;
        return text;
    }

    morvek::test::TempFolder folder_;
    std::map<MixerTarget, double> card_;
};

TEST_F(AudioSdkLibraryTest, ReportsOnePlaybackAndOneRecordingDevice) {
    AudioSdkLibrary library = MakeLibrary();
    uint32_t count = 0;
    EXPECT_EQ(library.GetDeviceCount(audio::kFlowPlayback, &count), kSdkNotInitialised);
    ASSERT_EQ(library.Init(), kSdkOk);
    ASSERT_EQ(library.CreateDeviceList(), kSdkOk);
    for (auto [flow, expected] : {std::pair{audio::kFlowPlayback, kPlaybackDevice},
                                  std::pair{audio::kFlowRecording, kRecordingDevice}}) {
        ASSERT_EQ(library.GetDeviceCount(flow, &count), kSdkOk);
        EXPECT_EQ(count, 1u);
        audio::AudioDeviceInfo info;
        ASSERT_EQ(library.GetDeviceById(flow, 0, &info), kSdkOk);
        EXPECT_EQ(info.kind, expected.kind);
        EXPECT_EQ(info.state, 1);
        EXPECT_EQ(library.GetDeviceById(flow, 1, &info), kSdkBadArgument);
    }
    EXPECT_EQ(library.GetDeviceCount(2, &count), kSdkBadArgument);
    EXPECT_EQ(library.GetDeviceCount(audio::kFlowPlayback, nullptr), kSdkBadArgument);
}

TEST_F(AudioSdkLibraryTest, AnswersReadsAsDecimalText) {
    AudioSdkLibrary library = MakeLibrary();
    library.Init();
    EXPECT_EQ(Read(library, kRecordingDevice, L"GetSupportFeature"), L"131072,0,0,0,0,0,0");
    EXPECT_EQ(Read(library, kPlaybackDevice, L"GetSupportFeature"), L"0,0,0,0,0,0,0");
    EXPECT_EQ(Read(library, kRecordingDevice, L"GetAAMaxVol"), L"100");
    EXPECT_EQ(Read(library, kRecordingDevice, L"VolumeScalarControl"), L"1");
    EXPECT_EQ(Read(library, kRecordingDevice, L"AAMuteControl"), L"1");
    EXPECT_EQ(Read(library, kPlaybackDevice, L"EQ_Slider4"), L"0");

    ASSERT_EQ(WriteProperty(Calls(library), kPlaybackDevice, L"EQ_Slider4", int32_t{-11}), kSdkOk);
    ASSERT_EQ(WriteProperty(Calls(library), kRecordingDevice, L"AAVolumeScalarControl", 0.29f), kSdkOk);
    EXPECT_EQ(Read(library, kPlaybackDevice, L"EQ_Slider4"), L"-11");
    EXPECT_EQ(Read(library, kRecordingDevice, L"AAVolumeScalarControl"), L"0.29");
}

TEST_F(AudioSdkLibraryTest, RefusesBadCallsAndKeepsTheValue) {
    AudioSdkLibrary library = MakeLibrary();
    library.Init();
    ASSERT_EQ(WriteProperty(Calls(library), kRecordingDevice, L"MagicVoice_Selection", int32_t{2}), kSdkOk);
    struct Case {
        audio::AudioDeviceInfo device;
        const wchar_t* name;
        int32_t value;
        int result;
    };
    const Case cases[] = {
        {kRecordingDevice, L"MagicVoice_Selection", 4, kSdkOutOfRange},
        {kRecordingDevice, L"MuteControl", 2, kSdkOutOfRange},
        {kRecordingDevice, L"GetSupportFeature", 0, kSdkReadOnly},
        {kRecordingDevice, L"EQ_Slider1", 0, kSdkUnknownProperty},  // a playback property
        {kPlaybackDevice, L"NoSuchProperty", 0, kSdkUnknownProperty},
        {{9, 1, 0, 1}, L"EQ_Slider1", 0, kSdkUnknownDevice},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteProperty(Calls(library), c.device, c.name, c.value), c.result) << c.name;
    }
    EXPECT_EQ(WriteProperty(Calls(library), kRecordingDevice, L"VolumeScalarControl", 1.5f), kSdkOutOfRange);
    EXPECT_EQ(Read(library, kRecordingDevice, L"MagicVoice_Selection"), L"2");
    EXPECT_EQ(Read(library, kRecordingDevice, L"VolumeScalarControl"), L"1");
    void* none = nullptr;
    EXPECT_EQ(library.PropertyControl(kRecordingDevice, L"MuteControl", &none, nullptr, 0), kSdkBadArgument);
    EXPECT_EQ(library.PropertyControl(kRecordingDevice, nullptr, &none, nullptr, 0), kSdkBadArgument);
}

TEST_F(AudioSdkLibraryTest, ValuesSurviveTheProgramPerDevice) {
    {
        AudioSdkLibrary library = MakeLibrary();
        library.Init();
        ASSERT_EQ(WriteProperty(Calls(library), kPlaybackDevice, L"EQ_Slider10", int32_t{13}), kSdkOk);
        ASSERT_EQ(WriteProperty(Calls(library), kRecordingDevice, L"MuteControl", int32_t{1}), kSdkOk);
    }
    AudioSdkLibrary again = MakeLibrary();
    again.Init();
    EXPECT_EQ(Read(again, kPlaybackDevice, L"EQ_Slider10"), L"13");
    EXPECT_EQ(Read(again, kRecordingDevice, L"MuteControl"), L"1");
    EXPECT_EQ(Read(again, kRecordingDevice, L"Enable_MICECHO"), L"0");
}

TEST_F(AudioSdkLibraryTest, AWriteThatCannotBeSavedIsRefusedAndChangesNothing) {
    AudioSdkLibrary library([this] { return folder_ / "blocked" / "osConfLib.json"; }, {});
    std::ofstream(folder_ / "blocked") << "a file where the folder should be";
    library.Init();
    EXPECT_EQ(WriteProperty(Calls(library), kPlaybackDevice, L"EQ_Slider1", int32_t{5}), kSdkNotSaved);
    EXPECT_EQ(Read(library, kPlaybackDevice, L"EQ_Slider1"), L"0");
}

TEST_F(AudioSdkLibraryTest, MicrophoneAndMonitorFollowTheSoundCard) {
    card_ = {{MixerTarget::MicrophoneLevel, 0.25}, {MixerTarget::MonitorMute, 0.0}};
    AudioSdkLibrary library = MakeLibrary();
    library.Init();
    EXPECT_EQ(Read(library, kRecordingDevice, L"VolumeScalarControl"), L"0.25");
    EXPECT_EQ(Read(library, kRecordingDevice, L"AAMuteControl"), L"0");
    ASSERT_EQ(WriteProperty(Calls(library), kRecordingDevice, L"VolumeScalarControl", 0.75f), kSdkOk);
    ASSERT_EQ(WriteProperty(Calls(library), kRecordingDevice, L"AAMuteControl", int32_t{1}), kSdkOk);
    EXPECT_DOUBLE_EQ(card_[MixerTarget::MicrophoneLevel], 0.75);
    EXPECT_DOUBLE_EQ(card_[MixerTarget::MonitorMute], 1.0);
    // Controls the card lacks are kept by the library.
    ASSERT_EQ(WriteProperty(Calls(library), kRecordingDevice, L"MuteControl", int32_t{1}), kSdkOk);
    EXPECT_EQ(Read(library, kRecordingDevice, L"MuteControl"), L"1");
    EXPECT_FALSE(card_.contains(MixerTarget::MicrophoneMute));
}

TEST_F(AudioSdkLibraryTest, ACardThatRefusesTheWriteFailsTheCall) {
    card_ = {{MixerTarget::MonitorLevel, 0.5}};
    AudioSdkLibrary library = MakeLibrary(true);
    library.Init();
    EXPECT_EQ(WriteProperty(Calls(library), kRecordingDevice, L"AAVolumeScalarControl", 0.1f), kSdkMixerFailed);
    EXPECT_EQ(Read(library, kRecordingDevice, L"AAVolumeScalarControl"), L"0.5");
}

TEST(AlsaCardMatch, FindsTheHeadsetByNameOrTheRequestedCard) {
    struct Case {
        const char* id;
        const char* name;
        const char* longName;
        const char* requested;
        bool match;
    };
    const Case cases[] = {
        {"Headset", "Morvek Headset", "Morvek Headset at usb-0000:00:14.0-2", "", true},
        {"Device", "USB Audio Device", "C-Media CM6533 at usb-0000:00:14.0-3", "", true},
        {"PCH", "HDA Intel PCH", "HDA Intel PCH at 0xf7f10000 irq 33", "", false},
        {"PCH", "HDA Intel PCH", "HDA Intel PCH", "PCH", true},
        {"Headset", "Morvek Headset", "Morvek Headset", "PCH", false},
    };
    for (const Case& c : cases) EXPECT_EQ(CardMatchesHeadset(c.id, c.name, c.longName, c.requested), c.match) << c.name;
}

}  // namespace
}  // namespace morvek::audiosdk
