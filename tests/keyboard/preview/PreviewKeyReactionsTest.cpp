// Key events of the keyboard reaching the reactive preview modes.

#include <gtest/gtest.h>

#include <array>

#include "devices/keyboard/preview/PreviewFadeSteps.h"
#include "devices/keyboard/preview/PreviewKeyReactions.h"
#include "keyboard/preview/PreviewFixture.h"

namespace morvek {
namespace {

class PreviewKeyReactionsTest : public PreviewFixture {
protected:
    PreviewKeyReactionsTest() {
        slots_.fill(255);
        slots_[0] = 10;
        slots_[22] = 11;
        slots_[50] = 12;
    }
    void Mode(uint8_t mode) { engine_.Settings().mode = mode; }
    void Event(int slot, int kind) { OnDeviceKeyEvent(engine_, state_, slots_, slot, kind); }

    std::array<uint8_t, kKeyCount> slots_{};
};

TEST(FindKeyOfSlotTest, FindsTheFirstKeyOfASlotAndNeverAKeyWithoutOne) {
    std::array<uint8_t, kKeyCount> slots{};
    slots.fill(255);
    slots[7] = 3;
    slots[9] = 3;
    EXPECT_EQ(FindKeyOfSlot(slots, 3), KeyIndex{7});
    EXPECT_EQ(FindKeyOfSlot(slots, 4), std::nullopt);
    EXPECT_EQ(FindKeyOfSlot(slots, 255), std::nullopt);  // keys without a slot
    EXPECT_EQ(FindKeyOfSlot(slots, -1), std::nullopt);
    EXPECT_EQ(FindKeyOfSlot(std::span<const uint8_t>{}, 3), std::nullopt);
}

TEST_F(PreviewKeyReactionsTest, EventsForUnmappedSlotsOrUnknownKindsAreIgnored) {
    Mode(5);
    Event(99, 1);
    Event(255, 1);
    Event(10, 3);
    EXPECT_TRUE(std::all_of(engine_.FadeLevels().begin(), engine_.FadeLevels().end(), [](uint8_t f) { return f == 0; }));
}

TEST_F(PreviewKeyReactionsTest, PressInModeFiveLeavesTheKeyReleasedAndFadingToZeroIn51Steps) {
    Mode(5);
    Event(10, 1);
    EXPECT_EQ(state_.keyStates[0], KeyState::Released);
    EXPECT_EQ(Fade(0), 255);
    for (int step = 0; step < 50; ++step) StepKeyStates(engine_, state_);
    EXPECT_EQ(Fade(0), 5);
    StepKeyStates(engine_, state_);
    EXPECT_EQ(Fade(0), 0);
}

TEST_F(PreviewKeyReactionsTest, PressInRippleModesStartsARippleAtTheKey) {
    for (uint8_t mode : {3, 7}) {
        state_.ripples.Clear();
        Mode(mode);
        Event(10, 2);  // a release alone starts nothing
        EXPECT_TRUE(state_.ripples.Empty());
        Event(10, 1);
        EXPECT_EQ(state_.ripples.Bits(0)[1], 0x01) << int(mode);
    }
    Mode(8);
    state_.ripples.Clear();
    Event(10, 1);
    EXPECT_TRUE(state_.ripples.Empty());
}

TEST_F(PreviewKeyReactionsTest, PressInModeTwentyLightsTheNeighbourhoodByDistance) {
    Mode(20);
    ReactToKey(engine_, state_, 0, KeyEventKind::Press);  // column 1, row 0
    EXPECT_EQ(state_.pressedFlags[0], 1);
    EXPECT_EQ(Fade(0), 255);
    for (int key : {42, 120, 22}) EXPECT_EQ(Fade(key), 150) << "direct " << key;
    for (int key : {121, 43, 63}) EXPECT_EQ(Fade(key), 90) << "diagonal or two rows away " << key;
    EXPECT_EQ(Fade(23), 60);  // two columns away
    for (int key : {0, 42, 121, 23}) EXPECT_EQ(state_.keyStates[size_t(key)], KeyState::Held) << key;
    EXPECT_EQ(Fade(44), 0);

    ReactToKey(engine_, state_, 0, KeyEventKind::Release);
    EXPECT_EQ(state_.pressedFlags[0], 0);
    EXPECT_EQ(state_.keyStates[0], KeyState::Released);
    EXPECT_EQ(Fade(42), 135);
    EXPECT_EQ(Fade(121), 0);
    EXPECT_EQ(Fade(23), 0);
    EXPECT_EQ(state_.keyStates[42], KeyState::Released);
}

TEST_F(PreviewKeyReactionsTest, ReleaseInModeTwentyKeepsKeysThatAnotherPressedKeyHolds) {
    Mode(20);
    ReactToKey(engine_, state_, 0, KeyEventKind::Press);
    ReactToKey(engine_, state_, 22, KeyEventKind::Press);  // column 2, row 0
    ReactToKey(engine_, state_, 22, KeyEventKind::Release);
    EXPECT_EQ(state_.keyStates[22], KeyState::Held);  // next to the pressed key 0
    EXPECT_EQ(state_.keyStates[42], KeyState::Held);
    EXPECT_EQ(state_.keyStates[24], KeyState::Released);  // two columns away, nothing pressed near
    EXPECT_EQ(state_.pressedFlags[22], 0);
    EXPECT_TRUE(HasPressedNeighbour(state_, 2, 0, 22));
    EXPECT_FALSE(HasPressedNeighbour(state_, 1, 0, 0));
}

TEST_F(PreviewKeyReactionsTest, PressInModeTwentyOnAKeyOutsideTheGridDoesNothing) {
    Mode(20);
    Event(12, 1);  // key 50
    EXPECT_TRUE(std::all_of(engine_.FadeLevels().begin(), engine_.FadeLevels().end(), [](uint8_t f) { return f == 0; }));
    EXPECT_EQ(state_.keyStates[50], KeyState::None);
}

}  // namespace
}  // namespace morvek
