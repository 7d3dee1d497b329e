// The per-key light effects laid over the LED buffer.

#include <gtest/gtest.h>

#include <vector>

#include "devicelink/LightTables.h"
#include "devices/keyboard/preview/PreviewPaint.h"
#include "devices/lighting/PerKeyLightEffects.h"

namespace morvek {
namespace {

constexpr LedEntry kMarker = {{1, 2, 3}, 4};

LedRecord Record(uint8_t mode, uint8_t speed = 4, bool present = true) {
    LedRecord record;
    record.mode = mode;
    record.speed = speed;
    record.brightness = 4;
    record.red = 200;
    record.green = 100;
    record.blue = 50;
    record.present = present;
    return record;
}

constexpr LedColour kRecordColour = {200, 100, 50};

class PerKeyLightEffectsTest : public ::testing::Test {
protected:
    explicit PerKeyLightEffectsTest(size_t leds = 4) {
        engine_.SetLightCount(leds);
        for (size_t i = 0; i < leds; ++i) engine_.SetLedColour(int(i), kMarker.Packed());
    }
    void Apply(int times, uint32_t nowMs = 1) {
        for (int i = 0; i < times; ++i) effects_.Apply(engine_, nowMs);
    }
    LedEntry Led(size_t i) const { return engine_.Leds()[i]; }

    LightEngine engine_{[] { return 0u; }};
    PerKeyLightEffects effects_;
};

TEST_F(PerKeyLightEffectsTest, FixedDarkAndUnknownRecordsPaintTheirLedsOnly) {
    effects_.SetRecords({Record(1), Record(4), Record(255), Record(1, 4, false)});
    Apply(1);
    EXPECT_EQ(Led(0), (LedEntry{kRecordColour, 255}));
    EXPECT_EQ(Led(1), LedEntry{});
    EXPECT_EQ(Led(2), kMarker);
    EXPECT_EQ(Led(3), (LedEntry{kRecordColour, 255}));
    EXPECT_FALSE(effects_.Animated());
}

TEST_F(PerKeyLightEffectsTest, BreathingRecordsMoveBySpeedPlusFourAndChangeColourAtTheEnd) {
    auto multi = Record(0, 4);
    multi.multiColor = true;
    effects_.SetRecords({Record(0, 4), multi, Record(0, 4, false)});
    EXPECT_TRUE(effects_.Animated());
    Apply(1);
    EXPECT_EQ(Led(0), (LedEntry{kRecordColour, ScaleBrightness(255, BreathingCurve()[8])}));
    EXPECT_EQ(Led(1).colour, ColourWheel()[0]);
    EXPECT_EQ(Led(2), kMarker);  // an absent record does not breathe
    Apply(15);
    EXPECT_EQ(Led(0).brightness, 0);  // 16 x 8 = 128: back to phase 0
    EXPECT_EQ(Led(1).colour, ColourWheel()[1]);
}

TEST_F(PerKeyLightEffectsTest, ColourCycleRecordsMoveOnEveryPeriod) {
    effects_.SetRecords({Record(3, 4)});  // period 7
    Apply(6);
    EXPECT_EQ(Led(0), (LedEntry{ColourWheel()[0], 255}));
    Apply(1);
    EXPECT_EQ(Led(0), (LedEntry{ColourWheel()[1], 255}));
}

TEST_F(PerKeyLightEffectsTest, FlashRecordsToggleOnTheirOwnPeriod) {
    auto multi = Record(2, 4);
    multi.multiColor = true;
    effects_.SetRecords({Record(2, 4), multi, Record(2, 0)});
    effects_.Apply(engine_, 1399);
    EXPECT_EQ(Led(0), LedEntry{});
    effects_.Apply(engine_, 1400);
    EXPECT_EQ(Led(0), (LedEntry{kRecordColour, 255}));
    EXPECT_EQ(Led(1), (LedEntry{ColourWheel()[14], 255}));
    EXPECT_EQ(Led(2), LedEntry{});  // speed 0: 5600 ms
    effects_.Apply(engine_, 2800);
    EXPECT_EQ(Led(0), LedEntry{});
}

TEST_F(PerKeyLightEffectsTest, RecordsBeyondTheLedBufferPaintNothingAndNewRecordsStartOver) {
    std::vector<LedRecord> records(10, Record(1));
    effects_.SetRecords(records);
    Apply(1);
    EXPECT_EQ(engine_.LightCount(), 4u);
    EXPECT_EQ(Led(3), (LedEntry{kRecordColour, 255}));
    effects_.SetRecords({Record(3, 4)});
    Apply(7);
    effects_.SetRecords({Record(3, 4)});
    Apply(1);
    EXPECT_EQ(Led(0).colour, ColourWheel()[0]);
}

}  // namespace
}  // namespace morvek
