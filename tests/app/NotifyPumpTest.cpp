// The notification pump: what each kind of control sends, with the sender's name.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <vector>

#include "app/NotifyPump.h"
#include "app/QtPrinters.h"

namespace morvek::app {
namespace {

// A custom control that sends its own notification type.
class RubberBand : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void Finish() { emit notify("click_select_end"); }
signals:
    void notify(const QString& type);
};

struct Seen {
    QString type;
    QString name;
    int param;
};

class NotifyPumpTest : public ::testing::Test {
protected:
    NotifyPumpTest() : pump([this](const TNotifyUI& msg) { seen.push_back({msg.sType, msg.sName, msg.wParam}); }) {}

    template <class Control>
    Control* Add(const QString& name) {
        auto* control = new Control(&root);
        control->setObjectName(name);
        return control;
    }
    std::vector<QString> Types() const {
        std::vector<QString> types;
        for (const Seen& s : seen) types.push_back(s.type);
        return types;
    }

    std::vector<Seen> seen;
    QWidget root;
    CNotifyPump pump;
};

TEST_F(NotifyPumpTest, ButtonsOptionsAndCustomControlsSendTheirTypesWithTheSenderName) {
    auto* button = Add<QPushButton>("closebtn");
    auto* option = Add<QRadioButton>("deng_Op_tab");
    auto* band = Add<RubberBand>("device_key_light");
    pump.Attach(&root);

    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, "click");
    EXPECT_EQ(seen[0].name, "closebtn");

    seen.clear();
    option->click();
    EXPECT_EQ(Types(), (std::vector<QString>{"selectchanged", "click"}));
    EXPECT_EQ(seen[0].name, "deng_Op_tab");
    EXPECT_EQ(seen[0].param, 1);

    seen.clear();
    band->Finish();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, "click_select_end");
    EXPECT_EQ(seen[0].name, "device_key_light");
}

TEST_F(NotifyPumpTest, ComboSendsItemSelectForTheUserOnly) {
    auto* combo = Add<QComboBox>("device_profile_combo");
    combo->addItems({"a", "b", "c"});
    pump.Attach(&root);
    combo->setCurrentIndex(2);  // a page showing its model
    EXPECT_TRUE(seen.empty());
    emit combo->activated(1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, "itemselect");
    EXPECT_EQ(seen[0].param, 1);
}

TEST_F(NotifyPumpTest, SliderDragSendsMoveValuesThenTheValueOnRelease) {
    auto* slider = Add<QSlider>("DPI_slider_2");
    slider->setRange(0, 100);
    pump.Attach(&root);
    slider->setSliderDown(true);
    slider->setSliderPosition(40);
    slider->setSliderDown(false);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, "movevaluechanged");
    EXPECT_EQ(seen[0].param, 40);
    EXPECT_EQ(seen[1].type, "valuechanged");
    EXPECT_EQ(seen[1].param, 40);
    EXPECT_EQ(seen[1].name, "DPI_slider_2");
}

TEST_F(NotifyPumpTest, ASliderStepSendsThePositionChosenEvenIfTheSliderIsResetBeforeItArrives) {
    auto* slider = Add<QSlider>("scroll_speed_slider");
    slider->setRange(1, 20);
    slider->setValue(3);
    pump.Attach(&root);
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    // A page refresh that was waiting shows the old value again before the notification runs.
    slider->setValue(3);
    QCoreApplication::processEvents();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, "valuechanged");
    EXPECT_EQ(seen[0].param, 4);
}

TEST_F(NotifyPumpTest, EditsSendFocusTextAndReturn) {
    auto* first = Add<QLineEdit>("deng_edit_R");
    auto* second = Add<QLineEdit>("deng_edit_G");
    pump.Attach(&root);
    root.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&root));
    root.activateWindow();
    first->setFocus();
    seen.clear();
    QTest::keyClicks(first, "7");
    QTest::keyClick(first, Qt::Key_Return);
    second->setFocus();
    EXPECT_EQ(Types(), (std::vector<QString>{"textchanged", "return", "killfocus", "setfocus"}));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[2].name, "deng_edit_R");
    EXPECT_EQ(seen[3].name, "deng_edit_G");
}

TEST_F(NotifyPumpTest, AttachingTwiceDeliversOnce) {
    auto* button = Add<QPushButton>("minbtn");
    pump.Attach(&root);
    pump.Attach(&root);
    button->click();
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(NotifyPumpTest, ControlsMadeLaterUnderAnAttachedOneSendToo) {
    auto* list = Add<QWidget>("macro_action_list");
    pump.Attach(&root);
    root.show();
    // A row with a control of its own, made after the pump attached the list.
    auto* row = new RubberBand(list);
    row->setObjectName("macro_action");
    auto* button = new QPushButton(row);
    button->setObjectName("row_button");
    row->show();
    row->Finish();
    button->click();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].name, "macro_action");
    EXPECT_EQ(seen[0].type, "click_select_end");
    EXPECT_EQ(seen[1].name, "row_button");
}

}  // namespace
}  // namespace morvek::app

#include "NotifyPumpTest.moc"
