// A device picture draws its key buttons itself: one repaint of one rectangle per frame however
// many lights changed, and every change of a button's look reaches the screen. The screen is
// read back from the window's backing store (the offscreen platform's window grab), so what is
// checked is what the repaints left there, not a fresh rendering.

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "app/controls/KeyButtonLayers.h"

namespace morvek::app {
namespace {

// Counts a widget's paint events and the areas they covered.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) areas.push_back(static_cast<QPaintEvent*>(event)->rect());
        return false;
    }
    std::vector<QRect> areas;
};

// A 200 x 60 black picture with ten 16 x 16 lights in a row and a keycap over the first.
class DevicePictureTest : public ::testing::Test {
protected:
    DevicePictureTest() {
        picture.setStyleSheet(
            "morvek--app--CSelectPanelUI { background: black; }"
            "morvek--app--CDeviceKeyButtonUI { background: transparent; border: none; color: white; }"
            "morvek--app--CDeviceKeyButtonUI[keySelected=\"true\"] { background: #0000ff; }");
        picture.resize(200, 60);
        for (int i = 0; i < 10; ++i) {
            auto* light = new CDeviceKeyButtonUI(&picture);
            light->setObjectName(QString("light_%1").arg(i));
            light->setGeometry(4 + i * 18, 4, 16, 16);
            lights.push_back(light);
        }
        keycap = new CDeviceKeyButtonUI(&picture);
        keycap->setObjectName("key_0");
        keycap->setGeometry(8, 8, 8, 8);
        picture.show();
        Settle();
    }

    static void Settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    // The picture's pixel as the window's backing store holds it.
    QColor OnScreen(QPoint at) {
        const QImage screen = picture.screen()->grabWindow(picture.winId()).toImage();
        return screen.pixelColor(at * screen.devicePixelRatio());
    }

    CSelectPanelUI picture;
    std::vector<CDeviceKeyButtonUI*> lights;
    CDeviceKeyButtonUI* keycap = nullptr;
};

TEST_F(DevicePictureTest, AFrameOfManyLightsIsOneRepaintOfOneRectangle) {
    PaintCounter pictureCounter(&picture);
    PaintCounter lightCounter(lights[3]);
    for (CDeviceKeyButtonUI* light : lights) light->SetLightDisplay(0x0000FF, 255, true);
    Settle();
    ASSERT_EQ(pictureCounter.areas.size(), 1u);
    EXPECT_EQ(pictureCounter.areas[0], QRect(4, 4, 178, 16));  // the ten lights' bounding rectangle
    EXPECT_TRUE(lightCounter.areas.empty());                  // the buttons never paint themselves
    EXPECT_FALSE(lights[3]->updatesEnabled());
    EXPECT_EQ(lights[3]->Picture(), &picture);
    EXPECT_EQ(OnScreen({30, 12}), QColor(255, 0, 0));

    // The same colours again change nothing, so nothing is painted.
    for (CDeviceKeyButtonUI* light : lights) light->SetLightDisplay(0x0000FF, 255, true);
    Settle();
    EXPECT_EQ(pictureCounter.areas.size(), 1u);
}

TEST_F(DevicePictureTest, EveryChangeOfAButtonReachesTheScreen) {
    lights[5]->SetLightDisplay(0xFF0000, 255, true);  // green
    Settle();
    ASSERT_EQ(OnScreen({100, 12}), QColor(0, 255, 0));

    lights[5]->hide();
    Settle();
    EXPECT_EQ(OnScreen({100, 12}), QColor(Qt::black));

    lights[5]->show();
    lights[5]->move(100, 36);
    Settle();
    EXPECT_EQ(OnScreen({100, 12}), QColor(Qt::black));  // where it was
    EXPECT_EQ(OnScreen({108, 44}), QColor(0, 255, 0));  // where it is

    lights[5]->SetLightDisplay(0xFF0000, 255, false);
    lights[7]->SetSelected(true);
    Settle();
    EXPECT_EQ(OnScreen({108, 44}), QColor(Qt::black));
    EXPECT_EQ(OnScreen({134, 12}), QColor(0, 0, 255));  // the selected look
    lights[7]->SetSelected(false);
    Settle();
    EXPECT_EQ(OnScreen({134, 12}), QColor(Qt::black));
}

TEST_F(DevicePictureTest, TheKeycapIsDrawnOverTheLightBelowItAndANewTextShows) {
    lights[0]->SetLightDisplay(0x0000FF, 255, true);
    keycap->setStyleSheet("background: #00ff00;");
    Settle();
    EXPECT_EQ(OnScreen({6, 6}), QColor(255, 0, 0));   // the light around the keycap
    EXPECT_EQ(OnScreen({12, 12}), QColor(0, 255, 0)); // the keycap over it

    keycap->resize(30, 16);
    keycap->setStyleSheet("background: transparent; color: white; font-size: 12px;");
    Settle();
    const QImage before = picture.screen()->grabWindow(picture.winId()).toImage();
    keycap->setText("W");
    Settle();
    EXPECT_NE(picture.screen()->grabWindow(picture.winId()).toImage(), before);
}

TEST(KeyButtonLayersTest, TheLightIsLaidOverTheLookAsPaintingItOverWouldLayIt) {
    QImage look(3, 1, QImage::Format_ARGB32_Premultiplied);
    look.fill(QColor(40, 80, 120, 160));
    QImage shape(3, 1, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < 3; ++x) shape.setPixelColor(x, 0, QColor(255, 255, 255, x * 127));
    const QColor tints[] = {QColor(255, 0, 0), QColor(10, 200, 30), QColor(0, 0, 0)};
    KeyButtonLayers layers;
    layers.SetLook(look);
    layers.SetShape(shape);
    for (const QColor& tint : tints) {
        // What filling the shape with the tint and painting it over the look gives.
        QImage glow = shape;
        {
            QPainter tintPainter(&glow);
            tintPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            tintPainter.fillRect(glow.rect(), tint);
        }
        QImage expected = look;
        QPainter(&expected).drawImage(0, 0, glow);
        const QImage& lit = layers.Lit(tint);
        for (int x = 0; x < 3; ++x) {
            SCOPED_TRACE(testing::Message() << tint.name().toStdString() << " at coverage " << x * 127);
            const QRgb got = lit.pixel(x, 0);
            const QRgb want = expected.pixel(x, 0);
            EXPECT_NEAR(qRed(got), qRed(want), 1);
            EXPECT_NEAR(qGreen(got), qGreen(want), 1);
            EXPECT_NEAR(qBlue(got), qBlue(want), 1);
            EXPECT_NEAR(qAlpha(got), qAlpha(want), 1);
        }
    }
}

TEST(KeyButtonLayersTest, WithoutAShapeTheLightCoversTheWholeButtonAndAShapeOfAnotherSizeNothing) {
    QImage look(2, 2, QImage::Format_ARGB32_Premultiplied);
    look.fill(QColor(0, 0, 255));
    KeyButtonLayers layers;
    layers.SetLook(look);
    EXPECT_EQ(layers.Lit(QColor(255, 0, 0)).pixelColor(1, 1), QColor(255, 0, 0));
    layers.SetShape(QImage(5, 5, QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(layers.Lit(QColor(255, 0, 0)).pixelColor(1, 1), QColor(0, 0, 255));
    // A new look is taken even when the tint stays.
    look.fill(QColor(0, 255, 0));
    layers.SetLook(look);
    EXPECT_EQ(layers.Lit(QColor(255, 0, 0)).pixelColor(1, 1), QColor(0, 255, 0));
}

}  // namespace
}  // namespace morvek::app
