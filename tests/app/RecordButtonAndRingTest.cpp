#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/controls/CCircleProgressUI.h"
#include "app/controls/CRedioMacroButtonUI.h"
#include "app/ControlTestSupport.h"

namespace morvek::app {
namespace {

using test::PixelOf;

class RecordButtonAndRingTest : public ::testing::Test {
protected:
};

TEST_F(RecordButtonAndRingTest, FadeGoesDownTo80ThenBackUpTo255AndBounces) {
    CRedioMacroButtonUI button;
    std::vector<int> fades;
    for (int i = 0; i < 19; ++i) {
        button.StepFade();
        fades.push_back(button.Fade());
    }
    const std::vector<int> expected = {235, 215, 195, 175, 155, 135, 115, 95, 80, 100,
                                       120, 140, 160, 180, 200, 220, 240, 255, 235};
    EXPECT_EQ(fades, expected);
}

TEST_F(RecordButtonAndRingTest, RecordImageIsDrawnFadedOnlyWhileRecording) {
    test::PictureFolder pictures;
    CRedioMacroButtonUI button;
    button.setStyleSheet(QStringLiteral("background: black; border: none;"));
    button.resize(30, 30);
    button.show();
    button.SetRecordImage(pictures.WriteSvg("record_dot.svg", {30, 30}, "<rect width='30' height='30' fill='white'/>"));
    EXPECT_EQ(PixelOf(&button, {15, 15}), QColor(Qt::black));

    button.SetRecording(true);
    EXPECT_EQ(PixelOf(&button, {15, 15}), QColor(Qt::white));
    for (int i = 0; i < 9; ++i) button.StepFade();  // down to 80
    EXPECT_NEAR(PixelOf(&button, {15, 15}).red(), 80, 1);

    button.SetRecording(false);
    EXPECT_FALSE(button.IsRecording());
    EXPECT_EQ(PixelOf(&button, {15, 15}), QColor(Qt::black));
}

TEST_F(RecordButtonAndRingTest, ARecordImageWithADestinationIsDrawnOnlyThere) {
    test::PictureFolder pictures;
    CRedioMacroButtonUI button;
    button.setStyleSheet(QStringLiteral("background: black; border: none;"));
    button.resize(60, 30);
    button.show();
    const QString dot = pictures.WriteSvg("dot.svg", {10, 10}, "<rect width='10' height='10' fill='white'/>");
    button.SetRecordImage("file='" + dot + "' dest='4,10,14,20'");
    button.SetRecording(true);
    EXPECT_EQ(PixelOf(&button, {8, 15}), QColor(Qt::white));
    EXPECT_EQ(PixelOf(&button, {30, 15}), QColor(Qt::black));
    EXPECT_EQ(PixelOf(&button, {8, 5}), QColor(Qt::black));
}

// A 100 x 100 ring: the pie shows between radius 40 and 50.
class RingTest : public RecordButtonAndRingTest {
protected:
    RingTest() {
        ring.resize(100, 100);
        ring.SetBackgroundColour(Qt::black);
        ring.SetForegroundColour(Qt::red);
    }

    // The ring's colour at a clock position (0 = bottom, counted clockwise in degrees).
    QColor At(double degreesFromBottom) {
        const double a = degreesFromBottom * std::numbers::pi / 180;
        return PixelOf(&ring, QPoint(static_cast<int>(50 - 45 * std::sin(a)), static_cast<int>(50 + 45 * std::cos(a))));
    }

    CCircleProgressUI ring;
};

struct RingCase {
    int minimum, maximum, value;
    double sweep;
};

TEST_F(RingTest, SweepIsTheDonePartOfTheRangeFromTheBottomClockwise) {
    const RingCase cases[] = {
        {0, 100, 0, 0}, {0, 100, 50, 180}, {0, 100, 100, 360}, {0, 200, 50, 90}, {50, 150, 150, 360}, {50, 150, 100, 180},
    };
    for (const RingCase& c : cases) {
        SCOPED_TRACE(c.value);
        ring.setRange(c.minimum, c.maximum);
        ring.setValue(c.value);
        EXPECT_DOUBLE_EQ(ring.SweepDegrees(), c.sweep);
        for (double at : {10.0, 80.0, 100.0, 170.0, 190.0, 260.0, 280.0, 350.0}) {
            SCOPED_TRACE(at);
            EXPECT_EQ(At(at), at < c.sweep ? QColor(Qt::red) : QColor(Qt::black));
        }
        EXPECT_EQ(PixelOf(&ring, {50, 50}), QColor(Qt::white));
        EXPECT_EQ(PixelOf(&ring, {50, 85}), QColor(Qt::white));  // inside the inset of 10
    }
}

TEST_F(RingTest, EmptyRangeDrawsNoPie) {
    ring.setRange(5, 5);
    ring.setValue(5);
    EXPECT_EQ(ring.SweepDegrees(), 0);
    EXPECT_EQ(At(90), QColor(Qt::black));
}

}  // namespace
}  // namespace morvek::app
