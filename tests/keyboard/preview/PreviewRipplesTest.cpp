// Row-bit ripples, the ripple modes and the show.

#include <gtest/gtest.h>

#include "devices/keyboard/preview/PreviewRippleSteps.h"
#include "devices/keyboard/preview/PreviewShow.h"
#include "devices/keyboard/preview/PreviewStartActions.h"
#include "devices/keyboard/preview/RowBitRipples.h"
#include "keyboard/preview/PreviewFixture.h"

namespace morvek {
namespace {

using PreviewRipplesTest = PreviewFixture;

TEST(RowBitRipplesTest, SpreadMovesEachBufferDiagonallyAndLeavesATrail) {
    RowBitRipples ripples;
    ripples.Seed(5, 3);  // bit 3 = 0x08 in byte 5 of all four
    ripples.Spread();
    EXPECT_EQ(ripples.Bits(0)[4], 0x08);  // R0: towards lower columns ...
    EXPECT_EQ(ripples.Bits(0)[5], 0x04);  // ... and towards row 0
    EXPECT_EQ(ripples.Bits(1)[6], 0x08);  // R1: higher columns, row 0
    EXPECT_EQ(ripples.Bits(1)[5], 0x04);
    EXPECT_EQ(ripples.Bits(2)[6], 0x08);  // R2: higher columns, away from row 0
    EXPECT_EQ(ripples.Bits(2)[5], 0x10);
    EXPECT_EQ(ripples.Bits(3)[4], 0x08);  // R3: lower columns, away from row 0
    EXPECT_EQ(ripples.Bits(3)[5], 0x10);
}

TEST(RowBitRipplesTest, BitsLeaveAtTheEdgesSoEveryRippleDiesOut) {
    RowBitRipples ripples;
    ripples.Seed(0, 0);
    ripples.Seed(22, 7);
    int steps = 0;
    while (!ripples.Empty() && steps < 100) {
        ripples.Spread();
        ++steps;
    }
    EXPECT_TRUE(ripples.Empty());
}

TEST(RowBitRipplesTest, ShiftRowsClearsTwoBuffersAndMovesTheOthersAlongTheirRow) {
    RowBitRipples ripples;
    ripples.Seed(0, 1);
    ripples.Seed(22, 2);
    ripples.ShiftRows();
    EXPECT_EQ(ripples.Bits(0), RowBitRipples::Buffer{});
    EXPECT_EQ(ripples.Bits(2), RowBitRipples::Buffer{});
    EXPECT_EQ(ripples.Bits(1)[1], 0x02);
    EXPECT_EQ(ripples.Bits(1)[0], 0);
    EXPECT_EQ(ripples.Bits(3)[21], 0x04);
    EXPECT_EQ(ripples.Bits(3)[22], 0);
}

TEST(RowBitRipplesTest, ReseedOnlyWhenTheColumnHoldsExactlyThatBit) {
    RowBitRipples ripples;
    ripples.Seed(1, 0);
    ripples.Spread();
    ripples.Reseed(kLeftEdgeRipple);  // byte 1 now holds 0x02: no new ripple
    EXPECT_EQ(ripples.Bits(0)[1] & 1, 0);
    RowBitRipples lone;
    lone.Seed(9, 6);
    lone.Reseed(kCentreRippleBottom);
    EXPECT_EQ(lone.Bits(3)[9], 0x40);
    lone.Reseed(kCentreRippleTop);
    EXPECT_EQ(lone.Bits(3)[9], 0x40);
}

TEST(RowBitRipplesTest, PressedKeysOutsideTheGridMarkNothing) {
    RowBitRipples ripples;
    ripples.MarkPressedKey(50);
    ripples.MarkPressedKey(kNoKey);
    EXPECT_TRUE(ripples.Empty());
    ripples.MarkPressedKey(0);  // column 1, row 0
    EXPECT_EQ(ripples.Bits(2)[1], 0x01);
}

TEST_F(PreviewRipplesTest, RippleLightsThePressedKeyThenItsDiagonalNeighbours) {
    state_.ripples.MarkPressedKey(0);
    StepRipple(engine_, state_);
    EXPECT_EQ(LitKeys(), std::vector<int>{0});
    StepRipple(engine_, state_);
    EXPECT_EQ(LitKeys(), (std::vector<int>{0, 22, 42}));
    EXPECT_EQ(Fade(22), 215);
    EXPECT_EQ(Fade(0), 175);
}

TEST_F(PreviewRipplesTest, RowRippleRunsAlongTheRow) {
    state_.ripples.MarkPressedKey(0);
    StepRowRipple(engine_, state_);
    StepRowRipple(engine_, state_);
    EXPECT_EQ(LitKeys(), (std::vector<int>{0, 22}));
}

TEST_F(PreviewRipplesTest, EdgeRippleStartsAtKeyZeroAfterTheModeChange) {
    engine_.Settings().mode = 16;
    StartLightMode(16, engine_, state_);
    StepEdgeRipple(engine_, state_);
    EXPECT_EQ(LitKeys(), std::vector<int>{0});
}

TEST_F(PreviewRipplesTest, CentreRippleSpreadsOnTheThirdStepAndThenEverySecond) {
    StartLightMode(35, engine_, state_);
    std::vector<int> spreads;
    auto before = state_.ripples.Bits(0);
    for (int step = 1; step <= 7; ++step) {
        StepCentreRipple(engine_, state_);
        if (state_.ripples.Bits(0) != before) spreads.push_back(step);
        before = state_.ripples.Bits(0);
    }
    EXPECT_EQ(spreads, (std::vector<int>{3, 5, 7}));
    for (int step = 0; step < 40 && LitKeys().empty(); ++step) StepCentreRipple(engine_, state_);
    EXPECT_FALSE(LitKeys().empty());
}

TEST_F(PreviewRipplesTest, ShowGoesThroughAllItsStagesAndStartsOver) {
    std::vector<uint8_t> stages{state_.stage};
    for (int step = 0; step < 2000 && stages.size() < 7; ++step) {
        StepShow(engine_, state_);
        if (state_.stage != stages.back()) stages.push_back(state_.stage);
    }
    EXPECT_EQ(stages, (std::vector<uint8_t>{0, 1, 2, 3, 4, 0, 1}));
}

TEST_F(PreviewRipplesTest, ShowDrawsItsRowsOneByOne) {
    engine_.Settings().randomColour = 1;
    StepShow(engine_, state_);
    EXPECT_EQ(LitKeys(), (std::vector<int>{0, 118}));
    EXPECT_EQ(engine_.Phase(), 1);
    for (int step = 1; step < 20; ++step) StepShow(engine_, state_);
    EXPECT_EQ(state_.stage, 1);
    EXPECT_EQ(engine_.Phase(), 0);
}

}  // namespace
}  // namespace morvek
