#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QSignalSpy>

#include "app/controls/CHandImgButtonUI.h"
#include "app/controls/CHandImgSelectButtonUI.h"
#include "app/ControlTestSupport.h"

namespace morvek::app {
namespace {

using test::MoveHeld;
using test::PixelOf;
using test::Press;
using test::Release;

void Enter(QWidget* target, QPoint at) {
    QEnterEvent event{QPointF(at), QPointF(at), QPointF(target->mapToGlobal(at))};
    QApplication::sendEvent(target, &event);
}

void Leave(QWidget* target) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(target, &event);
}

// A 100 x 60 button: its delete area is the square (70, 31) to (89, 50).
class HandImgButtonTest : public ::testing::Test {
protected:

    HandImgButtonTest() {
        button.setObjectName(QStringLiteral("macro_hand_1"));
        button.setStyleSheet(QStringLiteral("background: black; border: none;"));
        button.resize(100, 60);
        button.show();
        button.SetDeleteNormalImage(pictures.WriteSvg("delete_normal.svg", {20, 20}, "<rect width='20' height='20' fill='#0000ff'/>"));
        button.SetDeleteHotImage(pictures.WriteSvg("delete_hot.svg", {20, 20}, "<rect width='20' height='20' fill='#ff0000'/>"));
        recorder.Watch(&button);
    }

    void ClickAt(QPoint at) {
        Press(&button, at);
        Release(&button, at);
    }

    test::PictureFolder pictures;
    CHandImgButtonUI button;
    test::NotifyRecorder recorder;
};

TEST_F(HandImgButtonTest, DeleteAreaSitsInsideTheLowerRightCorner) {
    EXPECT_EQ(button.DeleteArea(), QRect(70, 31, 20, 20));
}

TEST_F(HandImgButtonTest, DeleteImageShowsWhileHoveredHotInsideTheArea) {
    button.SetDeleteAreaHidden(false);
    EXPECT_EQ(PixelOf(&button, {80, 40}), QColor(Qt::black));

    Enter(&button, {10, 10});
    EXPECT_EQ(PixelOf(&button, {80, 40}), QColor(Qt::blue));
    MoveHeld(&button, {75, 35});
    EXPECT_EQ(PixelOf(&button, {80, 40}), QColor(Qt::red));
    Leave(&button);
    EXPECT_EQ(PixelOf(&button, {80, 40}), QColor(Qt::black));

    EXPECT_EQ(recorder.seen, (std::vector<std::pair<std::string, std::string>>{{"macro_hand_1", "msenter"},
                                                                                {"macro_hand_1", "msleave"}}));
}

struct ReleaseCase {
    const char* what;
    bool areaHidden;
    QPoint at;
    bool deleted;
};

TEST_F(HandImgButtonTest, ReleaseInsideTheShownAreaDeletesInsteadOfClicking) {
    const ReleaseCase cases[] = {
        {"inside the shown area", false, {70, 31}, true},
        {"last pixel of the shown area", false, {89, 50}, true},
        {"beside the shown area", false, {90, 50}, false},
        {"inside the hidden area", true, {75, 35}, false},
    };
    for (const ReleaseCase& c : cases) {
        SCOPED_TRACE(c.what);
        button.SetDeleteAreaHidden(c.areaHidden);
        Enter(&button, c.at);
        QSignalSpy clicks(&button, &QPushButton::clicked);
        recorder.seen.clear();
        ClickAt(c.at);
        EXPECT_EQ(clicks.count(), c.deleted ? 0 : 1);
        EXPECT_EQ(recorder.seen.size(), c.deleted ? 1u : 0u);
        if (c.deleted) {
            EXPECT_EQ(recorder.seen[0].second, "click_handdelete");
        }
        Leave(&button);
    }
}

class HandImgSelectButtonTest : public HandImgButtonTest {};

TEST_F(HandImgSelectButtonTest, LargerPictureShowsAButtonSizedPartThatDraggingPansWithinThePicture) {
    CHandImgSelectButtonUI select;
    select.resize(50, 40);
    select.SetHandImage(pictures.WriteSvg("wide_hand.svg", {200, 100},
                                          "<rect width='200' height='100' fill='#000000'/>"
                                          "<rect x='150' y='60' width='50' height='40' fill='#00ff00'/>"));
    EXPECT_EQ(select.SourceRect(), QRect(0, 0, 50, 40));

    Press(&select, {10, 10});
    MoveHeld(&select, {40, 20});
    EXPECT_EQ(select.SourceRect(), QRect(30, 10, 50, 40));
    MoveHeld(&select, {400, 300});
    EXPECT_EQ(select.SourceRect(), QRect(150, 60, 50, 40));
    EXPECT_EQ(PixelOf(&select, {25, 20}), QColor(Qt::green));
    MoveHeld(&select, {-400, -300});
    EXPECT_EQ(select.SourceRect(), QRect(0, 0, 50, 40));
    Release(&select, {-400, -300});
    MoveHeld(&select, {40, 40});
    EXPECT_EQ(select.SourceRect(), QRect(0, 0, 50, 40));
}

TEST_F(HandImgSelectButtonTest, SmallerPictureIsShownWholeAndNeverPans) {
    CHandImgSelectButtonUI select;
    select.resize(50, 40);
    select.SetHandImage(pictures.WriteSvg("small_hand.svg", {20, 20}, "<rect width='20' height='20' fill='#00ff00'/>"));
    Press(&select, {10, 10});
    MoveHeld(&select, {30, 30});
    EXPECT_EQ(select.SourceRect(), QRect(0, 0, 20, 20));
}

TEST_F(HandImgSelectButtonTest, CursorNamesPickThePointerShape) {
    CHandImgSelectButtonUI select;
    select.SetCursorName(QStringLiteral("hand"));
    EXPECT_EQ(select.cursor().shape(), Qt::PointingHandCursor);
    select.SetCursorName(QStringLiteral("sizewe"));
    EXPECT_EQ(select.cursor().shape(), Qt::SizeHorCursor);
    select.SetCursorName(QStringLiteral("no such cursor"));
    EXPECT_EQ(select.cursor().shape(), Qt::SizeHorCursor);
}

}  // namespace
}  // namespace morvek::app
