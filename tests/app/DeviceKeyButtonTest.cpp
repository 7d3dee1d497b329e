#include <gtest/gtest.h>

#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/ControlTestSupport.h"

namespace morvek::app {
namespace {

using test::PixelOf;

class DeviceKeyButtonTest : public ::testing::Test {
protected:

    DeviceKeyButtonTest() {
        button.setObjectName(QStringLiteral("light_5"));
        button.setStyleSheet(QStringLiteral("background: black; border: none;"));
        button.resize(40, 40);
        button.show();
    }

    CDeviceKeyButtonUI button;
};

struct TintCase {
    uint32_t word;  // c0 + c2 * 256 + c1 * 65536
    uint8_t brightness;
    QColor expected;
};

TEST_F(DeviceKeyButtonTest, LightTintsTheButtonWithTheLedColourAtItsBrightness) {
    const TintCase cases[] = {
        {0x0000FF, 255, QColor(255, 0, 0)},       // c0 drives red
        {0xFF0000, 255, QColor(0, 255, 0)},       // c1 (the high byte) drives green
        {0x00FF00, 255, QColor(0, 0, 255)},       // c2 (the middle byte) drives blue
        {0x0040FF, 128, QColor(128, 0, 32)},      // every byte scaled by brightness / 255
        {0xFFFFFF, 0, QColor(0, 0, 0)},
    };
    for (const TintCase& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(CDeviceKeyButtonUI::TintFor(c.word, c.brightness), c.expected);
        button.SetLightDisplay(c.word, c.brightness, true);
        EXPECT_EQ(PixelOf(&button, {20, 20}), c.expected);
    }
}

TEST_F(DeviceKeyButtonTest, StartsRedAt200WithTheLightOffAndTheKeySetImageHidden) {
    EXPECT_EQ(button.LightColour(), 0x0000FFu);
    EXPECT_EQ(button.LightBrightness(), 200);
    EXPECT_FALSE(button.IsLightShown());
    EXPECT_TRUE(button.IsKeySetImageHidden());
    EXPECT_FALSE(button.IsSelected());
    EXPECT_EQ(PixelOf(&button, {20, 20}), QColor(Qt::black));
}

TEST_F(DeviceKeyButtonTest, LightImageShapesTheTintAndKeySetImageGoesOnTop) {
    test::PictureFolder pictures;
    button.SetLightImage(pictures.WriteSvg("tint_disc.svg", {40, 40}, "<circle cx='20' cy='20' r='10' fill='white'/>"));
    button.SetKeySetImage(pictures.WriteSvg("tint_mark.svg", {40, 40}, "<rect x='0' y='0' width='8' height='8' fill='#00ff00'/>"));
    button.SetLightDisplay(0x0000FF, 255, true);

    EXPECT_EQ(PixelOf(&button, {20, 20}), QColor(255, 0, 0));
    EXPECT_EQ(PixelOf(&button, {36, 36}), QColor(Qt::black));  // outside the light's shape
    EXPECT_EQ(PixelOf(&button, {3, 3}), QColor(Qt::black));    // key-set image hidden

    button.SetKeySetImageHidden(false);
    EXPECT_EQ(PixelOf(&button, {3, 3}), QColor(0, 255, 0));

    button.SetLightDisplay(0x00FF00, 255, true);  // a new colour after the first paint
    EXPECT_EQ(PixelOf(&button, {20, 20}), QColor(0, 0, 255));
    button.resize(60, 60);  // the shape follows the size
    EXPECT_EQ(PixelOf(&button, {30, 30}), QColor(0, 0, 255));

    button.SetLightDisplay(0x0000FF, 255, false);
    EXPECT_EQ(PixelOf(&button, {20, 20}), QColor(Qt::black));
}

TEST_F(DeviceKeyButtonTest, DoubleClickSendsDbclickOnlyWhileEnabled) {
    test::NotifyRecorder recorder;
    recorder.Watch(&button);
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&button, &twice);
    button.setEnabled(false);
    QApplication::sendEvent(&button, &twice);

    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0], std::make_pair(std::string("light_5"), std::string("dbclick")));
}

}  // namespace
}  // namespace morvek::app
