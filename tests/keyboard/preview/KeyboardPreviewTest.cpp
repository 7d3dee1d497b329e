// The keyboard preview's ticks: when steps, the player and the per-key effects run, how long
// the light thread may sleep, mode changes and key events.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>

#include "devicelink/LightTables.h"
#include "devices/keyboard/preview/KeyboardPreview.h"
#include "keyboard/preview/PreviewFixture.h"

namespace morvek {
namespace {

using std::chrono::milliseconds;

// How long the thread may sleep when the next tick that changes anything is `ticks` away
// (`late` ms of the current tick gone): never less than the light threads' minimum, since each
// frame runs the ticks that went by before it is shown.
milliseconds Sleep(uint32_t ticks, uint32_t late = 0) {
    return milliseconds(std::max(ticks, KeyboardPreview::kMinWaitTicks) * KeyboardPreview::kTickMs - late);
}

class KeyboardPreviewTest : public PreviewFixture {
protected:
    void Mode(uint8_t mode, uint8_t speed) {
        engine_.Settings().mode = mode;
        engine_.Settings().speedLevel = speed;
        preview_.ChangeMode();
    }

    KeyboardPreview preview_{engine_, 3};
};

TEST_F(KeyboardPreviewTest, AStepRunsWhenItsThresholdOfTwoMillisecondTicksHasPassed) {
    Mode(24, 4);  // clear, every 7 ticks
    FillLeds(kMarker);
    EXPECT_EQ(preview_.Pass(1000), Sleep(7));
    EXPECT_EQ(preview_.Pass(1013), Sleep(1, 1));  // the step is due in 1 ms; the thread waits its minimum
    EXPECT_EQ(ChangedKeys().size(), 0u);
    EXPECT_EQ(preview_.Pass(1014), Sleep(7));
    EXPECT_TRUE(LitKeys().empty());
    EXPECT_EQ(ChangedKeys().size(), size_t{kKeyCount});
}

TEST_F(KeyboardPreviewTest, SpeedLevelZeroOfThePatternModesStepsOnEveryTick) {
    Mode(34, 0);
    preview_.Pass(0);
    EXPECT_EQ(preview_.Pass(2), Sleep(1));
    EXPECT_EQ(engine_.ColourIndices()[0], 34);  // 33 from the start action, one step
    preview_.Pass(4);
    EXPECT_EQ(engine_.ColourIndices()[0], 35);
}

TEST_F(KeyboardPreviewTest, ModesWithoutAStepPlayTheSequenceOnEveryTick) {
    Mode(0, 0);
    FillLeds(kMarker);
    preview_.Pass(0);
    EXPECT_EQ(preview_.Pass(2), Sleep(1));
    EXPECT_TRUE(LitKeys().empty());  // empty sequence: dark
    LightEffectStep step;
    step.mode = 1;
    step.brightness = 4;
    step.red = 7;
    step.time = 1000;
    preview_.SetEffectSequence({step});
    preview_.Pass(4);
    EXPECT_EQ(Led(125), (LedEntry{{7, 0, 0}, 255}));
}

TEST_F(KeyboardPreviewTest, PerKeyEffectsLieOverTheStepAndAnimatedOnesNeedEveryTick) {
    Mode(6, 4);
    LedRecord dark;
    dark.mode = 4;
    dark.present = true;
    preview_.SetLedRecords({dark});
    preview_.Pass(0);
    preview_.Pass(14);
    EXPECT_EQ(Led(0), LedEntry{});
    EXPECT_EQ(Led(1), (LedEntry{kColour, 255}));
    EXPECT_EQ(preview_.Pass(14), Sleep(7));
    LedRecord breathing;
    breathing.present = true;
    preview_.SetLedRecords({breathing});
    EXPECT_EQ(preview_.Pass(14), Sleep(1));
}

TEST_F(KeyboardPreviewTest, TicksRunTogetherAfterAWaitPaintWhatTicksRunOneByOnePaint) {
    LightEngine batched([] { return 0u; });
    batched.SetLightCount(kKeyCount);
    batched.Settings() = engine_.Settings();
    KeyboardPreview batchedPreview(batched, 3);
    for (auto* e : {&engine_, &batched}) {
        e->Settings().mode = 39;
        e->Settings().randomColour = 1;
    }
    preview_.ChangeMode();
    batchedPreview.ChangeMode();
    preview_.Pass(0);
    batchedPreview.Pass(0);
    for (uint32_t now = 2; now <= 40; now += 2) preview_.Pass(now);
    batchedPreview.Pass(20);
    batchedPreview.Pass(40);
    EXPECT_TRUE(std::ranges::equal(engine_.Leds(), batched.Leds()));
    EXPECT_FALSE(LitKeys().empty());
}

TEST_F(KeyboardPreviewTest, AClosedGateComputesNothingAndTheCountStartsAfreshWhenItOpens) {
    Mode(24, 4);
    FillLeds(kMarker);
    preview_.Pass(0);
    EXPECT_EQ(preview_.Pass(5000, LightGate::ChannelClosed), kClosedChannelWait);
    EXPECT_EQ(preview_.Pass(6000, LightGate::Synchronised), kSynchronisedWait);
    EXPECT_EQ(ChangedKeys().size(), 0u);
    EXPECT_EQ(preview_.Pass(7000), Sleep(7));
    EXPECT_EQ(ChangedKeys().size(), 0u);
}

TEST_F(KeyboardPreviewTest, ALateWakeUpCatchesUpAtMostAHundredMilliseconds) {
    static_assert(KeyboardPreview::kMaxCatchUpTicks == 50);
    Mode(3, 0);  // 28 ticks
    preview_.Pass(0);
    preview_.Pass(10000);
    EXPECT_EQ(preview_.StepCounter(), 50u - 28u);  // one step, then 22 ticks towards the next
}

TEST_F(KeyboardPreviewTest, AModeChangeRunsTheStartActionOfTheNewMode) {
    engine_.SetPhase(77);
    engine_.FadeLevels()[4] = 9;
    Mode(13, 4);
    EXPECT_EQ(engine_.Phase(), 0);
    EXPECT_EQ(Fade(4), 0);
    EXPECT_EQ(engine_.ColourIndices()[5], 6);
    Mode(16, 4);
    EXPECT_EQ(preview_.State().ripples.Bits(0)[1], 0x01);
    Mode(35, 4);
    EXPECT_EQ(preview_.State().ripples.Bits(0)[1], 0);
    EXPECT_EQ(preview_.State().ripples.Bits(0)[9], 0x40);
}

TEST_F(KeyboardPreviewTest, KeyEventsReachTheReactiveMode) {
    std::array<uint8_t, kKeyCount> slots{};
    slots.fill(255);
    slots[30] = 5;
    Mode(5, 4);
    preview_.OnDeviceKeyEvent(slots, 5, 1);
    EXPECT_EQ(Fade(30), 255);
    EXPECT_EQ(preview_.State().keyStates[30], KeyState::Released);
}

}  // namespace
}  // namespace morvek
