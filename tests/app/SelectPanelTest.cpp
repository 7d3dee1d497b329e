#include <gtest/gtest.h>

#include "app/NotifyPump.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "app/ControlTestSupport.h"

namespace morvek::app {
namespace {

using test::MoveHeld;
using test::Press;
using test::Release;

// A 300 x 100 panel with key_0 at (100, 40) and key_1 at (200, 40), both 20 x 20, the second
// inside a nested container.
class SelectPanelTest : public ::testing::Test {
protected:

    SelectPanelTest() {
        panel.setObjectName(QStringLiteral("keyboard_device_key_light"));
        panel.resize(300, 100);
        key0 = AddKey(&panel, "key_0", {100, 40});
        auto* row = new QWidget(&panel);
        row->setGeometry(150, 0, 150, 100);
        key1 = AddKey(row, "key_1", {50, 40});
        recorder.Watch(&panel);
    }

    static CDeviceKeyButtonUI* AddKey(QWidget* parent, const char* name, QPoint at) {
        auto* key = new CDeviceKeyButtonUI(parent);
        key->setObjectName(QString::fromLatin1(name));
        key->setGeometry(QRect(at, QSize(20, 20)));
        return key;
    }

    void Drag(QPoint from, QPoint to) {
        Press(&panel, from);
        MoveHeld(&panel, (from + to) / 2);
        MoveHeld(&panel, to);
        Release(&panel, to);
    }

    CSelectPanelUI panel;
    CDeviceKeyButtonUI* key0 = nullptr;
    CDeviceKeyButtonUI* key1 = nullptr;
    test::NotifyRecorder recorder;
};

struct BandCase {
    const char* what;
    QPoint from;
    QPoint to;
    bool key0Selected;
    bool key1Selected;
};

TEST_F(SelectPanelTest, BandSelectsEveryKeyItTouchesBorderIncluded) {
    const BandCase cases[] = {
        {"ends on key_0's left edge", {10, 10}, {100, 45}, true, false},
        {"ends one pixel short of key_0", {10, 10}, {99, 45}, false, false},
        {"starts on key_0's right edge, dragged leftwards", {119, 90}, {60, 59}, true, false},
        {"starts just right of key_0", {120, 90}, {140, 10}, false, false},
        {"covers both", {290, 95}, {5, 5}, true, true},
        {"inside key_1 in the nested row", {205, 45}, {210, 50}, false, true},
    };
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.what);
        key0->SetSelected(!c.key0Selected);
        key1->SetSelected(!c.key1Selected);
        Drag(c.from, c.to);
        EXPECT_EQ(key0->IsSelected(), c.key0Selected);
        EXPECT_EQ(key1->IsSelected(), c.key1Selected);
        EXPECT_TRUE(panel.SelectionRect().isNull());
    }
    EXPECT_EQ(recorder.seen.size(), std::size(cases));
    EXPECT_EQ(recorder.seen.back(), std::make_pair(std::string("keyboard_device_key_light"), std::string("click_select_end")));
}

TEST_F(SelectPanelTest, ClickWithoutMovementSelectsNothingAndSendsNothing) {
    key0->SetSelected(true);
    Press(&panel, {50, 50});
    MoveHeld(&panel, {50, 50});
    Release(&panel, {50, 50});

    EXPECT_TRUE(key0->IsSelected());
    EXPECT_TRUE(recorder.seen.empty());
}

TEST_F(SelectPanelTest, BandIsShownWhileDraggingAndHiddenKeysAreNeverSelected) {
    key1->hide();
    Press(&panel, {5, 5});
    MoveHeld(&panel, {290, 95});
    EXPECT_EQ(panel.SelectionRect(), QRect(QPoint(5, 5), QPoint(290, 95)));
    Release(&panel, {290, 95});

    EXPECT_TRUE(key0->IsSelected());
    EXPECT_FALSE(key1->IsSelected());
    EXPECT_EQ(panel.SelectedKeyButtons(), QList<CDeviceKeyButtonUI*>{key0});
}

TEST_F(SelectPanelTest, BandEndAndKeyDoubleClickReachTheWindowThroughThePumpWithTheirNames) {
    std::vector<std::pair<QString, QString>> delivered;
    CNotifyPump pump([&](const TNotifyUI& msg) { delivered.emplace_back(msg.sType, msg.sName); });
    pump.Attach(&panel);
    Drag({5, 5}, {290, 95});
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(key1, &twice);

    ASSERT_GE(delivered.size(), 2u);
    EXPECT_EQ(delivered.front(), std::make_pair(QString("click_select_end"), QString("keyboard_device_key_light")));
    EXPECT_EQ(delivered.back(), std::make_pair(QString("dbclick"), QString("key_1")));
}

TEST_F(SelectPanelTest, DisabledPanelIgnoresTheBand) {
    panel.setEnabled(false);
    Drag({5, 5}, {290, 95});
    EXPECT_FALSE(key0->IsSelected());
    EXPECT_TRUE(recorder.seen.empty());
}

}  // namespace
}  // namespace morvek::app
