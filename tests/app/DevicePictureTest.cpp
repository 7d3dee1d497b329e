// A device picture draws its key buttons itself: one repaint of one rectangle per frame however
// many lights changed, and every change of a button's look reaches the screen. The screen is
// read back from the window's backing store (the offscreen platform's window grab), so what is
// checked is what the repaints left there, not a fresh rendering.

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "app/controls/KeyButtonLayers.h"
#include "app/controls/OpaquePictureArea.h"
#include "app/controls/SkinImage.h"

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

// With and without a picture above (a keycap over part of the light, at an offset) and one
// beneath (the device picture), for several tints, as painting the picture beneath, the look,
// the tinted shape and the picture above in turn would give.
// A page holds its pictures over a frame: nothing is asked of Qt meanwhile, and the frame is on
// the screen as soon as the hold ends, with no event of its own.
TEST_F(DevicePictureTest, AHeldFrameIsPaintedAtOnceWhenTheHoldEnds) {
    PaintCounter counter(&picture);
    picture.HoldRepaints();
    lights[4]->SetLightDisplay(0x0000FF, 255, true);
    lights[6]->SetLightDisplay(0x00FF00, 255, true);
    Settle();
    EXPECT_TRUE(counter.areas.empty());
    picture.RepaintHeld();
    ASSERT_EQ(counter.areas.size(), 1u);
    EXPECT_EQ(OnScreen({4 + 4 * 18 + 8, 12}), QColor(255, 0, 0));
    EXPECT_EQ(OnScreen({4 + 6 * 18 + 8, 12}), QColor(0, 0, 255));
    // A hold in which nothing changed paints nothing.
    picture.HoldRepaints();
    picture.RepaintHeld();
    Settle();
    EXPECT_EQ(counter.areas.size(), 1u);
}

TEST(KeyButtonLayersTest, TheLightIsLaidOverTheLookAsPaintingItOverWouldLayIt) {
    QImage look(4, 1, QImage::Format_ARGB32_Premultiplied);
    look.fill(QColor(40, 80, 120, 160));
    QImage shape(4, 1, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < 4; ++x) shape.setPixelColor(x, 0, QColor(255, 255, 255, x * 85));
    QImage above(2, 1, QImage::Format_ARGB32_Premultiplied);
    above.setPixelColor(0, 0, QColor(200, 20, 90, 100));
    above.setPixelColor(1, 0, QColor(0, 255, 0, 255));
    const QColor tints[] = {QColor(255, 0, 0), QColor(10, 200, 30), QColor(0, 0, 0)};
    KeyButtonLayers layers;
    layers.SetLook(look);
    layers.SetShape(shape);
    QImage beneath(4, 1, QImage::Format_ARGB32_Premultiplied);
    beneath.fill(QColor(10, 120, 250));
    const struct {
        bool above;
        bool beneath;
    } layerings[] = {{false, false}, {true, false}, {true, true}, {false, true}, {false, false}};
    for (const auto& layering : layerings) {
        const bool withAbove = layering.above;
        layers.SetAbove(withAbove ? above : QImage(), QPoint(2, 0));
        layers.SetBeneath(layering.beneath ? beneath : QImage());
        for (const QColor& tint : tints) {
            QImage glow = shape;
            {
                QPainter tintPainter(&glow);
                tintPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
                tintPainter.fillRect(glow.rect(), tint);
            }
            QImage expected = layering.beneath ? beneath : look;
            {
                QPainter painter(&expected);
                if (layering.beneath) painter.drawImage(0, 0, look);
                painter.drawImage(0, 0, glow);
                if (withAbove) painter.drawImage(2, 0, above);
            }
            const QImage& lit = layers.Lit(tint);
            // Over an opaque picture the result is opaque, so drawing it copies.
            EXPECT_EQ(lit.hasAlphaChannel(), !layering.beneath);
            for (int x = 0; x < 4; ++x) {
                SCOPED_TRACE(testing::Message() << tint.name().toStdString() << " at coverage " << x * 85
                                                << (withAbove ? " with a picture above" : "")
                                                << (layering.beneath ? " over a picture beneath" : ""));
                const QRgb got = lit.pixel(x, 0);
                const QRgb want = expected.pixel(x, 0);
                EXPECT_NEAR(qRed(got), qRed(want), 2);
                EXPECT_NEAR(qGreen(got), qGreen(want), 2);
                EXPECT_NEAR(qBlue(got), qBlue(want), 2);
                EXPECT_NEAR(qAlpha(got), qAlpha(want), 2);
            }
        }
    }
}

// Lines whose width is no multiple of four, and every coverage from 0 to 255: each pixel is the
// tint premultiplied by its coverage, to the last bit.
TEST(KeyButtonLayersTest, EveryCoverageGivesTheTintPremultipliedByIt) {
    constexpr int kWidth = 37;
    constexpr int kHeight = 7;
    QImage look(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    look.fill(Qt::transparent);
    QImage shape(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) shape.setPixelColor(x, y, QColor(255, 255, 255, (x + y * kWidth) % 256));
    }
    KeyButtonLayers layers;
    layers.SetLook(look);
    layers.SetShape(shape);
    for (const QColor& tint : {QColor(255, 255, 255), QColor(1, 2, 3), QColor(200, 100, 50), QColor(0, 0, 0)}) {
        const QImage& lit = layers.Lit(tint);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const int coverage = (x + y * kWidth) % 256;
                ASSERT_EQ(lit.pixel(x, y), qPremultiply(qRgba(tint.red(), tint.green(), tint.blue(), coverage)))
                    << tint.name().toStdString() << " at " << x << "," << y;
            }
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

// A picture file of size with its opaque part (in colour) and the rest see-through.
QString SavePicture(const QTemporaryDir& folder, const QString& name, QSize size, const QRect& opaque,
                    const QColor& colour = QColor(30, 30, 30)) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(opaque, colour);
    const QString path = folder.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

TEST(SkinImageTest, TheOpaqueAreaIsTheLargestInsetPartThePictureCoversAndNothingElse) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QSize size(40, 20);
    const QRect target(10, 10, 40, 20);
    QImage holed(size, QImage::Format_ARGB32);
    holed.fill(Qt::black);
    holed.setPixelColor(20, 10, Qt::transparent);
    const QString holedPath = folder.filePath("holed.png");
    ASSERT_TRUE(holed.save(holedPath));
    const QString opaque = SavePicture(folder, "opaque.png", size, QRect(QPoint(0, 0), size));
    const QString framed = SavePicture(folder, "framed.png", size, QRect(3, 3, 34, 14));
    const struct {
        QString attribute;
        QRect area;  // one pixel inside what the picture covers; empty for none
    } cases[] = {
        {opaque, target.adjusted(1, 1, -1, -1)},
        {framed, target.adjusted(4, 4, -4, -4)},
        {SavePicture(folder, "clear.png", size, QRect()), QRect()},
        {holedPath, QRect()},
        {QString("file='%1' source='0,0,20,20'").arg(opaque), QRect()},
        {QString("file='%1' dest='0,0,20,20'").arg(opaque), QRect()},
        {folder.filePath("missing.png"), QRect()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attribute.toStdString());
        EXPECT_EQ(SkinImage(c.attribute).OpaqueArea(target, 1.0), c.area);
    }
    // At twice the pixels the area is still given in the target's units; smoothing may widen
    // the see-through edge by a device pixel.
    const QRect doubled = SkinImage(framed).OpaqueArea(target, 2.0);
    EXPECT_TRUE(target.adjusted(4, 4, -4, -4).contains(doubled)) << doubled.x() << "," << doubled.y();
    EXPECT_TRUE(doubled.contains(target.adjusted(5, 5, -5, -5)));
}

// A 200 x 60 picture whose background is opaque but for a 4-pixel see-through frame, in a
// parent whose own colour shows through that frame. As the skin does, the style sheet gives
// every widget a see-through background, and polishing a widget with it clears its opaque mark.
class OpaquePictureTest : public ::testing::Test {
protected:
    OpaquePictureTest() {
        parent.setStyleSheet(
            "QWidget { background: transparent; }"
            "QWidget#parent { background: #336699; }"
            "morvek--app--CDeviceKeyButtonUI { background: transparent; border: none; }");
        parent.setObjectName("parent");
        parent.resize(220, 80);
        picture = new CSelectPanelUI(&parent);
        picture->setGeometry(10, 10, 200, 60);
        // Black, with a dark blue patch under the top-left corner of the first light.
        QImage body(200, 60, QImage::Format_ARGB32);
        body.fill(Qt::transparent);
        {
            QPainter bodyPainter(&body);
            bodyPainter.fillRect(QRect(4, 4, 192, 52), Qt::black);
            bodyPainter.fillRect(QRect(8, 8, 4, 4), QColor(0, 0, 128));
        }
        EXPECT_TRUE(body.save(folder.filePath("body.png")));
        picture->SetBackgroundImage(folder.filePath("body.png"));
        for (int i = 0; i < 10; ++i) {
            auto* light = new CDeviceKeyButtonUI(picture);
            light->setObjectName(QString("light_%1").arg(i));
            light->setGeometry(8 + i * 18, 8, 16, 16);
            lights.push_back(light);
        }
        parent.show();
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    QColor OnScreen(QPoint atInParent) {
        const QImage screen = parent.screen()->grabWindow(parent.winId()).toImage();
        return screen.pixelColor(atInParent * screen.devicePixelRatio());
    }

    QTemporaryDir folder;
    QWidget parent;
    CSelectPanelUI* picture = nullptr;
    std::vector<CDeviceKeyButtonUI*> lights;
};

TEST_F(OpaquePictureTest, ALightFrameRepaintsOnlyTheOpaqueAreaAndReachesTheScreen) {
    auto* area = picture->findChild<OpaquePictureArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->geometry(), QRect(5, 5, 190, 50));
    EXPECT_TRUE(area->testAttribute(Qt::WA_OpaquePaintEvent));  // kept through the style sheet's polish
    PaintCounter parentCounter(&parent);
    PaintCounter pictureCounter(picture);
    PaintCounter areaCounter(area);
    for (CDeviceKeyButtonUI* light : lights) light->SetLightDisplay(0x0000FF, 255, true);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_TRUE(parentCounter.areas.empty());
    EXPECT_TRUE(pictureCounter.areas.empty());
    ASSERT_EQ(areaCounter.areas.size(), 1u);
    EXPECT_EQ(OnScreen({10 + 8 + 3 * 18 + 8, 10 + 16}), QColor(255, 0, 0));
    EXPECT_EQ(OnScreen({10 + 100, 10 + 40}), QColor(Qt::black));  // the picture between the lights
    EXPECT_EQ(OnScreen({10 + 1, 10 + 1}), QColor("#336699"));      // its see-through frame

    // A light shaped as its middle shows the picture beneath around it.
    lights[0]->SetLightImage(SavePicture(folder, "middle.png", QSize(16, 16), QRect(4, 4, 8, 8), Qt::white));
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(OnScreen({10 + 9, 10 + 9}), QColor(0, 0, 128));
    EXPECT_EQ(OnScreen({10 + 20, 10 + 9}), QColor(Qt::black));
    EXPECT_EQ(OnScreen({10 + 16, 10 + 16}), QColor(255, 0, 0));

    // A repaint of the whole picture still reaches the opaque area and the frame around it.
    lights[3]->SetLightDisplay(0xFF0000, 255, true);
    picture->SetBackgroundImage(picture->BackgroundImage());
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(OnScreen({10 + 8 + 3 * 18 + 8, 10 + 16}), QColor(0, 255, 0));
    EXPECT_EQ(OnScreen({10 + 1, 10 + 1}), QColor("#336699"));
}

// A button across the opaque area's border would be painted in two parts in every frame: while
// one lies there, the picture paints everything itself.
TEST_F(OpaquePictureTest, AButtonAcrossTheBorderOfTheOpaqueAreaPutsTheAreaAway) {
    auto* area = picture->findChild<OpaquePictureArea*>();
    ASSERT_NE(area, nullptr);
    lights[9]->move(190, 8);  // 190..205 crosses the area's right border at 195
    lights[9]->SetLightDisplay(0x0000FF, 255, true);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_TRUE(area->isHidden());
    EXPECT_EQ(OnScreen({10 + 192, 10 + 16}), QColor(255, 0, 0));
    EXPECT_EQ(OnScreen({10 + 100, 10 + 40}), QColor(Qt::black));

    // Hidden, it is not painted and puts nothing away; shown again, it does.
    lights[9]->hide();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_FALSE(area->isHidden());
    lights[9]->show();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_TRUE(area->isHidden());

    lights[9]->move(170, 30);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_FALSE(area->isHidden());
    EXPECT_EQ(OnScreen({10 + 178, 10 + 38}), QColor(255, 0, 0));
    EXPECT_EQ(OnScreen({10 + 192, 10 + 16}), QColor(Qt::black));
}

// A frame that only changes lights draws only those buttons over what the window kept. Each
// step ends with the screen a whole repaint gives, whatever else changed in the same frame.
TEST_F(OpaquePictureTest, AFrameOfLightsLeavesTheScreenAWholeRepaintWouldLeave) {
    // A lit button across a corner of light 3, drawn over it.
    auto* mark = new CDeviceKeyButtonUI(picture);
    mark->setObjectName("mark");
    mark->setGeometry(8 + 3 * 18 + 10, 14, 12, 12);
    mark->SetLightDisplay(0x00FF00, 255, true);
    mark->show();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    ASSERT_NE(picture->findChild<OpaquePictureArea*>(), nullptr);
    ASSERT_FALSE(picture->findChild<OpaquePictureArea*>()->isHidden());
    // A widget of the window over light 1 and the picture around it, shown and hidden during
    // the frames.
    auto* cover = new QWidget(&parent);
    cover->setObjectName("cover");
    cover->setStyleSheet("background: #808080;");
    cover->setAttribute(Qt::WA_StyledBackground);
    cover->setGeometry(10 + 8 + 16 + 1, 10 + 9, 18, 8);
    const auto screen = [this] { return parent.screen()->grabWindow(parent.winId()).toImage(); };
    const struct {
        const char* step;
        std::function<void()> change;
    } steps[] = {
        {"every light", [&] { for (CDeviceKeyButtonUI* light : lights) light->SetLightDisplay(0x0000FF, 255, true); }},
        {"some lights", [&] { for (int i = 0; i < 5; ++i) lights[size_t(i)]->SetLightDisplay(0x00FF00, 200, true); }},
        {"the light under the mark", [&] { lights[3]->SetLightDisplay(0xFF0000, 255, true); }},
        {"a light moved in the frame",
         [&] {
             lights[2]->move(8 + 2 * 18, 32);
             lights[6]->SetLightDisplay(0xFFFF00, 255, true);
         }},
        {"a light switched off in the frame",
         [&] {
             lights[7]->SetLightDisplay(0x0000FF, 255, false);
             lights[8]->SetLightDisplay(0xFF00FF, 255, true);
         }},
        {"a widget over the picture shown",
         [&] {
             cover->show();
             lights[1]->SetLightDisplay(0x0000FF, 255, true);
         }},
        {"a light under the widget over the picture", [&] { lights[1]->SetLightDisplay(0xFF0000, 255, true); }},
        {"the widget over the picture hidden, with lights on both sides of it",
         [&] {
             cover->hide();
             lights[0]->SetLightDisplay(0x00FF00, 255, true);
             lights[2]->SetLightDisplay(0x00FF00, 255, true);
         }},
        {"a light under the band",
         [&] {
             QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(70, 4));
             QTest::mouseMove(picture, QPoint(130, 50));
             for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
             lights[5]->SetLightDisplay(0x00FFFF, 255, true);
         }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.change();
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        const QImage afterFrame = screen();
        picture->SetBackgroundImage(picture->BackgroundImage());
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        EXPECT_EQ(afterFrame, screen());
    }
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(130, 50));
}

TEST_F(OpaquePictureTest, AHeldFrameIsPaintedAtOnceInTheOpaqueAreaWhenTheHoldEnds) {
    picture->HoldRepaints();
    lights[3]->SetLightDisplay(0x0000FF, 255, true);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(OnScreen({10 + 8 + 3 * 18 + 8, 10 + 16}), QColor(Qt::black));
    picture->RepaintHeld();
    EXPECT_EQ(OnScreen({10 + 8 + 3 * 18 + 8, 10 + 16}), QColor(255, 0, 0));
}

TEST_F(OpaquePictureTest, TheOpaqueAreaTakesNoMouseEventsAndShowsTheBand) {
    EXPECT_EQ(picture->childAt(QPoint(100, 40)), nullptr);  // the picture itself gets them
    EXPECT_EQ(picture->childAt(QPoint(12, 12)), lights[0]);
    EXPECT_EQ(picture->findChild<OpaquePictureArea*>()->focusPolicy(), Qt::NoFocus);

    const QColor before = OnScreen({10 + 100, 10 + 40});
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(90, 30));
    QTest::mouseMove(picture, QPoint(120, 50));
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_NE(OnScreen({10 + 100, 10 + 40}), before);  // inside the band
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(120, 50));
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(OnScreen({10 + 100, 10 + 40}), before);
}

}  // namespace
}  // namespace morvek::app
