#include "platform/audio/AudioConfigBinding.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/FakeAudioLibrary.h"
#include "support/TempFolder.h"
#include "support/SourcePaths.h"

namespace morvek::audio {
namespace {

using testing::FakeAudioLibrary;

constexpr AudioDeviceInfo Device(uint32_t id, int32_t kind, int32_t state = 1) { return {id, kind, 0, state}; }

class AudioConfigBindingTest : public ::testing::Test {
protected:
    AudioConfigBinding Bind() {
        return AudioConfigBinding(fake_.Entries(), [this](const std::string& m) { messages_.push_back(m); });
    }
    FakeAudioLibrary fake_;
    std::vector<std::string> messages_;
};

TEST_F(AudioConfigBindingTest, ChoosesThePlaybackDeviceByKindThenState) {
    struct Case {
        std::vector<AudioDeviceInfo> playback;
        uint32_t chosen;  // 0: none
    };
    const Case cases[] = {
        {{Device(1, 7), Device(2, 12)}, 2},
        {{Device(1, 4), Device(2, 7), Device(3, 1)}, 3},
        {{Device(1, 1, 0), Device(2, 4)}, 2},
        {{Device(1, 2), Device(2, 12, 0)}, 0},
    };
    for (const Case& c : cases) {
        fake_.devices = {{kFlowPlayback, c.playback}, {kFlowRecording, {Device(9, 1), Device(10, 2, 0)}}};
        fake_.answers = {{L"GetSupportFeature", L"131072,0,0,0,4,0,6"}};
        AudioConfigBinding binding = Bind();
        ASSERT_TRUE(binding.Start());
        EXPECT_EQ(binding.Playback().info.id, c.chosen);
        EXPECT_EQ(binding.Recording().info.id, 10u) << "the recording state is not checked";
    }
}

TEST_F(AudioConfigBindingTest, FeatureWordsAreItemsZeroFourAndSix) {
    fake_.devices = {{kFlowPlayback, {Device(1, 1)}}, {kFlowRecording, {Device(2, 2)}}};
    fake_.answers = {{L"GetSupportFeature", L"131073,1,2,3,44,5,66"}};
    AudioConfigBinding binding = Bind();
    ASSERT_TRUE(binding.Start());
    EXPECT_EQ(binding.Recording().features, (std::array<uint32_t, 3>{131073, 44, 66}));
    EXPECT_TRUE(binding.HasVoiceChanger());
    EXPECT_TRUE(messages_.empty());
    // The recording device is asked first.
    ASSERT_EQ(fake_.calls.size(), 2u);
    EXPECT_EQ(fake_.calls[0].device, 2u);
    EXPECT_FALSE(fake_.calls[0].hasParameter);
}

TEST_F(AudioConfigBindingTest, ASixItemFeatureListShowsTheMessageAndNoVoiceChanger) {
    fake_.devices = {{kFlowPlayback, {Device(1, 1)}}, {kFlowRecording, {Device(2, 2)}}};
    fake_.answers = {{L"GetSupportFeature", L"131072,0,0,0,0,0"}};
    AudioConfigBinding binding = Bind();
    ASSERT_TRUE(binding.Start());
    EXPECT_EQ(binding.Recording().features, (std::array<uint32_t, 3>{}));
    EXPECT_FALSE(binding.HasVoiceChanger());
    EXPECT_EQ(messages_, (std::vector<std::string>{kFeatureReadFailedMessage, kFeatureReadFailedMessage}));
}

TEST_F(AudioConfigBindingTest, WithoutARecordingDeviceItsFeaturesAreNotAsked) {
    fake_.devices = {{kFlowPlayback, {Device(1, 1)}}, {kFlowRecording, {Device(2, 7)}}};
    fake_.answers = {{L"GetSupportFeature", L"131072,0,0,0,0,0,0"}};
    AudioConfigBinding binding = Bind();
    ASSERT_TRUE(binding.Start());
    EXPECT_FALSE(binding.Recording().Present());
    EXPECT_FALSE(binding.HasVoiceChanger());
    ASSERT_EQ(fake_.calls.size(), 1u);
    EXPECT_EQ(fake_.calls[0].device, 1u);
}

TEST_F(AudioConfigBindingTest, AFailedInitialisationIsShownAndStartGoesOn) {
    fake_.initResult = 3;
    fake_.devices = {{kFlowPlayback, {Device(1, 1)}}};
    fake_.answers = {{L"GetSupportFeature", L"0,0,0,0,0,0,0"}};
    AudioConfigBinding binding = Bind();
    EXPECT_TRUE(binding.Start());
    EXPECT_EQ(messages_, std::vector<std::string>{kConfLibInitFailedMessage});
}

TEST_F(AudioConfigBindingTest, IdleWithoutPlaybackDeviceOrLibraryOrEntryPoint) {
    fake_.devices = {{kFlowRecording, {Device(2, 2)}}};
    AudioConfigBinding noPlayback = Bind();
    EXPECT_FALSE(noPlayback.Start());
    EXPECT_FALSE(noPlayback.WriteInt(noPlayback.Recording(), L"MuteControl", 1));

    AudioConfigBinding noLibrary(std::nullopt, {});
    EXPECT_FALSE(noLibrary.Start());
    EXPECT_FALSE(noLibrary.ReadText(noLibrary.Playback(), L"Enable_EQ_GFX"));

    fake_.devices = {{kFlowPlayback, {Device(1, 1)}}, {kFlowRecording, {Device(2, 2)}}};
    AudioEntryPoints entries = fake_.Entries();
    entries.propertyControl = nullptr;
    AudioConfigBinding noPropertyControl(entries, {});
    EXPECT_TRUE(noPropertyControl.Start());
    EXPECT_FALSE(noPropertyControl.WriteInt(noPropertyControl.Playback(), L"Enable_EQ_GFX", 1));
    EXPECT_TRUE(fake_.calls.empty());
}

TEST_F(AudioConfigBindingTest, BuffersCarryTheValueAndTheChannelSelector) {
    fake_.devices = {{kFlowPlayback, {Device(1, 1)}}, {kFlowRecording, {Device(2, 2)}}};
    fake_.answers = {{L"GetSupportFeature", L"0,0,0,0,0,0,0"}, {L"VolumeScalarControl", L"0.5"}, {L"Junk", L"x"}};
    AudioConfigBinding binding = Bind();
    ASSERT_TRUE(binding.Start());
    fake_.calls.clear();
    EXPECT_TRUE(binding.WriteFloat(binding.Recording(), L"VolumeScalarControl", 0.25f, PropertyParameter::Channel(-1)));
    EXPECT_TRUE(binding.WriteInt(binding.Playback(), L"VirtualSurroundEffectControl", 1,
                                 PropertyParameter::SurroundRecord()));
    EXPECT_EQ(binding.ReadNumber(binding.Recording(), L"VolumeScalarControl", PropertyParameter::Channel(0)), 0.5);
    EXPECT_EQ(binding.ReadNumber(binding.Recording(), L"Junk"), std::nullopt);
    ASSERT_EQ(fake_.calls.size(), 4u);
    float written = 0;
    std::memcpy(&written, &fake_.calls[0].value, sizeof(written));
    EXPECT_EQ(written, 0.25f);
    EXPECT_EQ(fake_.calls[0].parameter[0], -1);
    EXPECT_EQ(fake_.calls[1].parameter, (std::array<int32_t, 3>{4, -1, 0}));
    EXPECT_EQ(fake_.calls[2].parameter[0], 0);
    EXPECT_EQ(fake_.calls[2].write, kAudioRead);
    EXPECT_EQ(fake_.calls[2].value, 0) << "the value buffer is cleared before a read";
}

TEST_F(AudioConfigBindingTest, AnUnterminatedAnswerIsCutAtTheBufferEnd) {
    fake_.devices = {{kFlowPlayback, {Device(1, 1)}}};
    AudioEntryPoints entries = fake_.Entries();
    entries.propertyControl = [](AudioDeviceInfo, const wchar_t*, void** value, void**, int) {
        std::fill_n(static_cast<wchar_t*>(*value), kAudioBufferChars, L'7');
        return 0;
    };
    AudioConfigBinding binding(entries, {});
    ASSERT_TRUE(binding.Start());
    const auto text = binding.ReadText(binding.Playback(), L"EQ_Slider1");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), kAudioBufferChars);
}

TEST_F(AudioConfigBindingTest, EnsurePropertyWritesZeroOnlyWhenTheReadFails) {
    fake_.devices = {{kFlowPlayback, {Device(1, 1)}}, {kFlowRecording, {Device(2, 2)}}};
    fake_.answers = {{L"GetSupportFeature", L"0,0,0,0,0,0,0"}, {L"MuteControl", L"1"}};
    AudioConfigBinding binding = Bind();
    ASSERT_TRUE(binding.Start());
    fake_.calls.clear();
    EXPECT_TRUE(binding.EnsureProperty(binding.Recording(), L"MuteControl", {}, {}));
    EXPECT_TRUE(binding.EnsureProperty(binding.Recording(), L"Enable_ENC_LFX", PropertyParameter::Cleared(), {}));
    ASSERT_EQ(fake_.calls.size(), 3u);
    EXPECT_TRUE(fake_.calls[1].hasParameter);
    EXPECT_EQ(fake_.calls[2].name, L"Enable_ENC_LFX");
    EXPECT_EQ(fake_.calls[2].write, kAudioWrite);
    EXPECT_FALSE(fake_.calls[2].hasParameter);
    EXPECT_EQ(fake_.calls[2].value, 0);
}

TEST(AudioLibraryLoading, LoadsOurLibraryAndRefusesAMissingOne) {
    std::string error;
    EXPECT_FALSE(LoadAudioLibrary("/nonexistent/SDK/libosConfLib.so", &error));
    EXPECT_FALSE(error.empty());

    morvek::test::TempFolder data;
    ASSERT_EQ(::setenv("MORVEK_DATA_DIR", data.Path().c_str(), 1), 0);
    auto entries = LoadAudioLibrary(test::AudioLibraryPath(), &error);
    ASSERT_TRUE(entries) << error;
    EXPECT_TRUE(entries->closeTestSound && entries->registerCallbackFunction);
    std::vector<std::string> messages;
    AudioConfigBinding binding(std::move(entries), [&](const std::string& m) { messages.push_back(m); });
    ASSERT_TRUE(binding.Start());
    EXPECT_EQ(binding.Playback().info.kind, 1);
    EXPECT_EQ(binding.Recording().info.kind, 2);
    EXPECT_TRUE(binding.HasVoiceChanger());
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(binding.WriteFloat(binding.Recording(), L"VolumeScalarControl", 0.5f, PropertyParameter::Channel(-1)));
    EXPECT_EQ(binding.ReadNumber(binding.Recording(), L"VolumeScalarControl", PropertyParameter::Channel(-1)), 0.5);
    EXPECT_FALSE(binding.WriteInt(binding.Recording(), L"MuteControl", 7)) << "out of range";
    ::unsetenv("MORVEK_DATA_DIR");
}

}  // namespace
}  // namespace morvek::audio
