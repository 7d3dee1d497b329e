// The 7.1 tab on the headset model: what each setting writes to the playback device, the range
// checks, and the settings read back from the library (ours keeps them across starts).

#include <gtest/gtest.h>
#include <stdlib.h>

#include "HeadsetFixture.h"
#include "support/SourcePaths.h"

namespace morvek::test {
namespace {

using Strings = std::vector<std::string>;

class HeadsetSurroundTest : public HeadsetFixture {};

TEST_F(HeadsetSurroundTest, EachSettingWritesItsPlaybackProperty) {
    auto model = MakeModel();
    Forget();
    EXPECT_EQ(model->SetSurround(true), HeadsetChange::Done);
    EXPECT_EQ(library_.calls.back().parameter, (std::array<int32_t, 3>{4, -1, 0}));
    EXPECT_EQ(model->SetRoomEffect(true), HeadsetChange::Done);
    EXPECT_EQ(model->SetEnvironment(3), HeadsetChange::Done);
    EXPECT_EQ(model->SetRoomSize(70), HeadsetChange::Done);
    EXPECT_EQ(model->SetSurround(false), HeadsetChange::Done);
    EXPECT_EQ(Calls(), (Strings{"VirtualSurroundEffectControl=1", "Enable_RFX_GFX=1", "RFX_ENVIRONMENT=3",
                                "RFX_ROOMSIZE=70", "VirtualSurroundEffectControl=0"}));
    // The fixture's playback device has id 1.
    for (const auto& call : library_.calls) EXPECT_EQ(call.device, 1u);
    EXPECT_EQ(model->Surround(), (HeadsetSurround{false, true, 3, 70}));
}

TEST_F(HeadsetSurroundTest, ValuesOutOfRangeChangeNothing) {
    auto model = MakeModel();
    Forget();
    EXPECT_EQ(model->SetEnvironment(kSurroundEnvironmentCount), HeadsetChange::BadValue);
    EXPECT_EQ(model->SetEnvironment(-1), HeadsetChange::BadValue);
    EXPECT_EQ(model->SetRoomSize(kMaxRoomSize + 1), HeadsetChange::BadValue);
    EXPECT_TRUE(library_.calls.empty());
    EXPECT_EQ(model->Surround(), HeadsetSurround{});
}

TEST_F(HeadsetSurroundTest, StateIsReadFromTheLibraryAndOddAnswersAreLeftOut) {
    library_.answers[L"VirtualSurroundEffectControl"] = L"1";
    library_.answers[L"Enable_RFX_GFX"] = L"1";
    library_.answers[L"RFX_ENVIRONMENT"] = L"9";   // no such environment
    library_.answers[L"RFX_ROOMSIZE"] = L"42";
    auto model = MakeModel();
    EXPECT_EQ(model->Surround(), (HeadsetSurround{true, true, 0, 42}));
}

TEST_F(HeadsetSurroundTest, WithoutTheLibraryTheTabKeepsTheChoiceOnly) {
    auto model = MakeModel(false);
    EXPECT_EQ(model->SetRoomSize(30), HeadsetChange::Done);
    EXPECT_EQ(model->Surround().roomSize, 30);
    EXPECT_TRUE(library_.calls.empty());
}

TEST_F(HeadsetSurroundTest, OurLibraryKeepsTheSettingsForTheNextStart) {
    ASSERT_EQ(::setenv("MORVEK_DATA_DIR", data_.Path().c_str(), 1), 0);
    const auto ours = [] { return audio::LoadAudioLibrary(test::AudioLibraryPath()); };
    auto model = std::make_unique<CTalvorenHS6533Device>(backend_, ui_, TaskQueueMode::Inline, ours);
    Configure(*model);
    ASSERT_TRUE(model->AudioActive());
    model->SetSurround(true);
    model->SetEnvironment(2);
    model->SetRoomSize(55);
    auto again = std::make_unique<CTalvorenHS6533Device>(backend_, ui_, TaskQueueMode::Inline, ours);
    Configure(*again);
    EXPECT_EQ(again->Surround(), (HeadsetSurround{true, false, 2, 55}));
    ::unsetenv("MORVEK_DATA_DIR");
}

}  // namespace
}  // namespace morvek::test
