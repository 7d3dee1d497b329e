// The keyboard's system tab and the mouse's DPI and pointer tabs, driven through their widgets:
// the emulated devices' settings blocks and the profile files follow, as the command line
// leaves them; a mouse out of its receiver's reach keeps the page and is told of.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>
#include <QTextEdit>

#include "app/PanelFixture.h"
#include "app/QtPrinters.h"
#include "app/panels/CKeyboardSystemUI.h"
#include "app/panels/CMouseDpiUI.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "devices/mouse/MouseSettingBlock.h"
#include "devices/mouse/TalvorenMouseDevice.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

// Bytes of the keyboard's 25-byte block and of the mouse's 66-byte block.
constexpr size_t kWFlagByte = 19;
constexpr size_t kKey6FlagByte = 20;
constexpr size_t kWinLockByte = 21;
constexpr size_t kKeyboardPollingByte = 22;
constexpr size_t kMousePollingByte = 11;
constexpr size_t kScreenBytes = 60;  // 60-63: the screen size the window or the mouse gives

size_t StageDpiByte(int stage) { return MouseSettingBlock::kStagesOffset + size_t(stage) * DpiStageRecord::kBytes + 2; }

class SettingsPanelsTest : public test::PanelTest {
protected:
    std::vector<uint8_t> Block(EmulatedKind kind, size_t size) {
        const std::vector<uint8_t> params = Emulated(kind).Params();
        return {params.begin(), params.begin() + long(size)};
    }
    bool WaitForByte(EmulatedKind kind, size_t offset, uint8_t value) {
        return QTest::qWaitFor([&] { return Emulated(kind).Params()[offset] == value; }, 3000);
    }
    // Clicks a function tab and waits until the page shows its panels.
    void ShowTab(uint16_t kind, const char* tab, int functionPage) {
        Click(kind, tab);
        WAIT_FOR_EQ(On<QStackedWidget>(kind, "device_function_switch")->currentIndex(), functionPage);
    }
    void KeyboardOnSystemTab() {
        ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
        ShowTab(kKindKeyboard, "system_Op_tab", 3);
    }
    void MouseOnDpiTab() {
        ASSERT_TRUE(AttachAndSelect(EmulatedKind::Mouse, kKindMouse));
        auto* mouse = dynamic_cast<CTalvorenMouseDevice*>(ModelOfKind(kKindMouse));
        ASSERT_TRUE(QTest::qWaitFor([&] { return mouse->DpiFacts().has_value(); }, 3000));
        ShowTab(kKindMouse, "cursor_Op_tab", 2);
    }
    // Drags a slider's handle to value and lets it go, as the mouse does.
    void Drag(QSlider* slider, int value, const std::function<void()>& whileHeld = {}) {
        slider->setSliderDown(true);
        slider->setSliderPosition(value);
        if (whileHeld) whileHeld();
        slider->setSliderDown(false);
    }
    Json::Value Section(const char* folder) { return Document(folder)["Device"][0]; }
};

struct FlagCase {
    const char* option;
    const char* profileKey;
    size_t byte;
};

TEST_F(SettingsPanelsTest, KeyboardFlagsAndPollingRateAreSavedAndWrittenAtOnce) {
    KeyboardOnSystemTab();
    for (const FlagCase& c : {FlagCase{"winlockflag_option", "WinFlag", kWinLockByte},
                              FlagCase{"wflag_option", "WFlag", kWFlagByte},
                              FlagCase{"6flag_option", "Key6Flag", kKey6FlagByte}}) {
        SCOPED_TRACE(c.option);
        Click(kKindKeyboard, c.option);
        ASSERT_TRUE(WaitForByte(EmulatedKind::Keyboard, c.byte, 1));
        EXPECT_EQ(Section("keyboard")["SystemStages"][c.profileKey].asInt(), 1);
        Click(kKindKeyboard, c.option);
        ASSERT_TRUE(WaitForByte(EmulatedKind::Keyboard, c.byte, 0));
        EXPECT_EQ(Section("keyboard")["SystemStages"][c.profileKey].asInt(), 0);
    }
    Click(kKindKeyboard, "polling_rate_option_2");
    ASSERT_TRUE(WaitForByte(EmulatedKind::Keyboard, kKeyboardPollingByte, 2));
    EXPECT_EQ(Section("keyboard")["SystemStages"]["PollingRate"].asInt(), 2);
    EXPECT_TRUE(On<QAbstractButton>(kKindKeyboard, "polling_rate_option_2")->isChecked());
    EXPECT_FALSE(On<QAbstractButton>(kKindKeyboard, "polling_rate_option_0")->isChecked());
    // The same change from the command line leaves the same block.
    const emulator::FirmwareMemory cli =
        AfterCommandLine(EmulatedKind::Keyboard, "keyboard", {{"system", "keyboard", "--polling", "2"}});
    EXPECT_EQ(Block(EmulatedKind::Keyboard, 25), std::vector<uint8_t>(cli.params.begin(), cli.params.begin() + 25));
}

TEST_F(SettingsPanelsTest, KeyRepeatIsSavedButNotSentAndTheTestBoxEmpties) {
    KeyboardOnSystemTab();
    const std::vector<uint8_t> before = Block(EmulatedKind::Keyboard, 25);
    Click(kKindKeyboard, "repeat_delay_check_2");
    WAIT_FOR_EQ(Section("keyboard")["SystemStages"]["RepeatDelay"].asInt(), 2);
    EXPECT_TRUE(On<QLabel>(kKindKeyboard, "repeat_delay_time_label1")->text().endsWith("750ms"));
    Click(kKindKeyboard, "repeat_delay_check_0");
    WAIT_FOR(On<QLabel>(kKindKeyboard, "repeat_delay_time_label1")->text().endsWith("250ms"));
    auto* slider = On<QSlider>(kKindKeyboard, "repeat_rate_slider");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Left);
    WAIT_FOR_EQ(Section("keyboard")["SystemStages"]["Repeat"].asInt(), slider->value());
    EXPECT_EQ(slider->value(), 30);  // the template's 31, one step down
    QTest::qWait(100);
    EXPECT_EQ(Block(EmulatedKind::Keyboard, 25), before);

    auto* box = On<QTextEdit>(kKindKeyboard, "repeat_input_richedit");
    QTest::keyClicks(box, "aaaa");
    ASSERT_FALSE(box->toPlainText().isEmpty());
    Click(kKindKeyboard, "reset_repeat_btn");
    EXPECT_TRUE(box->toPlainText().isEmpty());
}

TEST_F(SettingsPanelsTest, DpiTypedAndDraggedWritesWhatTheCommandLineWrites) {
    MouseOnDpiTab();
    auto* edit = On<QLineEdit>(kKindMouse, "DPI_edit_2");
    // A step of 50: 830 DPI is 16 steps, shown as 800.
    TypeAndLeave(edit, "830");
    ASSERT_TRUE(WaitForByte(EmulatedKind::Mouse, StageDpiByte(2), 16));
    EXPECT_EQ(edit->text(), "800");
    EXPECT_EQ(On<QSlider>(kKindMouse, "DPI_slider_2")->value(), 16);
    EXPECT_EQ(Section("mouse")["DPIStages"]["StageDPIs"][2]["StageDPIX"].asInt(), 16);
    std::vector<uint8_t> block = Block(EmulatedKind::Mouse, MouseSettingBlock::kSize);
    const emulator::FirmwareMemory cli = AfterCommandLine(EmulatedKind::Mouse, "mouse", {{"dpi", "2", "830"}});
    std::vector<uint8_t> expected(cli.params.begin(), cli.params.begin() + MouseSettingBlock::kSize);
    // The screen size is the window's screen, the command line keeps the mouse's.
    std::copy(block.begin() + kScreenBytes, block.begin() + kScreenBytes + 4, expected.begin() + kScreenBytes);
    EXPECT_EQ(block, expected);

    // An empty edit stores the lowest DPI in steps.
    TypeAndLeave(edit, "");
    ASSERT_TRUE(WaitForByte(EmulatedKind::Mouse, StageDpiByte(2), 2));
    EXPECT_EQ(edit->text(), "100");

    // While dragged, the edit follows and nothing is stored or sent; let go, it is both.
    auto* slider = On<QSlider>(kKindMouse, "DPI_slider_3");
    auto* edit3 = On<QLineEdit>(kKindMouse, "DPI_edit_3");
    const uint8_t stored = Emulated(EmulatedKind::Mouse).Params()[StageDpiByte(3)];
    Drag(slider, 40, [&] {
        EXPECT_EQ(edit3->text(), "2000");
        QTest::qWait(50);
        EXPECT_EQ(Emulated(EmulatedKind::Mouse).Params()[StageDpiByte(3)], stored);
        EXPECT_EQ(Section("mouse")["DPIStages"]["StageDPIs"][3]["StageDPIX"].asInt(), stored);
    });
    ASSERT_TRUE(WaitForByte(EmulatedKind::Mouse, StageDpiByte(3), 40));
    EXPECT_EQ(Section("mouse")["DPIStages"]["StageDPIs"][3]["StageDPIX"].asInt(), 40);
}

TEST_F(SettingsPanelsTest, StagesSwitchedOffMoveTheCurrentStageAndKeepTheLastOne) {
    MouseOnDpiTab();
    ASSERT_EQ(Block(EmulatedKind::Mouse, MouseSettingBlock::kSize)[MouseSettingBlock::kCurrentStageOffset], 1);
    EXPECT_TRUE(On<QSlider>(kKindMouse, "DPI_slider_1")->property("stageCurrent").toBool());
    Click(kKindMouse, "DPI_enable_check_1");
    ASSERT_TRUE(WaitForByte(EmulatedKind::Mouse, MouseSettingBlock::kCurrentStageOffset, 2));
    EXPECT_EQ(Emulated(EmulatedKind::Mouse).Params()[MouseSettingBlock::kStagesOffset + DpiStageRecord::kBytes], 0);
    EXPECT_TRUE(On<QSlider>(kKindMouse, "DPI_slider_2")->property("stageCurrent").toBool());
    EXPECT_FALSE(On<QSlider>(kKindMouse, "DPI_slider_1")->property("stageCurrent").toBool());
    EXPECT_FALSE(On<QSlider>(kKindMouse, "DPI_slider_1")->isEnabled());
    EXPECT_EQ(Section("mouse")["DPIStages"]["StageActive"].asInt(), 2);
    for (const char* check : {"DPI_enable_check_0", "DPI_enable_check_2", "DPI_enable_check_3"}) Click(kKindMouse, check);
    // One stage left on: its check cannot be cleared; ticking another frees it again.
    auto* last = On<QAbstractButton>(kKindMouse, "DPI_enable_check_4");
    WAIT_FOR(!last->isEnabled());
    EXPECT_TRUE(last->isChecked());
    ASSERT_TRUE(WaitForByte(EmulatedKind::Mouse, MouseSettingBlock::kCurrentStageOffset, 4));
    Click(kKindMouse, "DPI_enable_check_0");
    WAIT_FOR(last->isEnabled());
}

TEST_F(SettingsPanelsTest, MousePollingIsWrittenAndPointerValuesAreOnlySaved) {
    MouseOnDpiTab();
    Click(kKindMouse, "polling_rate_option_3");
    ASSERT_TRUE(WaitForByte(EmulatedKind::Mouse, kMousePollingByte, 3));
    EXPECT_EQ(Section("mouse")["ReportStages"]["StageActive"].asInt(), 3);

    ShowTab(kKindMouse, "system_Op_tab", 3);
    const std::vector<uint8_t> before = Block(EmulatedKind::Mouse, MouseSettingBlock::kSize);
    auto* speed = On<QSlider>(kKindMouse, "pointer_speed_slider");
    EXPECT_EQ(speed->value(), 10);  // the template's
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_Right);
    WAIT_FOR_EQ(Section("mouse")["SystemStages"]["MouseSpeed"].asInt(), 11);
    Click(kKindMouse, "scrolls_page_check");
    WAIT_FOR_EQ(Section("mouse")["SystemStages"]["ScorllPage"].asInt(), 1);
    Click(kKindMouse, "pointer_precision_check");  // the template has it ticked
    WAIT_FOR_EQ(Section("mouse")["SystemStages"]["PointerPrecision"].asInt(), 0);
    // Scrolling by lines unticks the page option.
    auto* scroll = On<QSlider>(kKindMouse, "scroll_speed_slider");
    scroll->setFocus();
    QTest::keyClick(scroll, Qt::Key_Right);
    WAIT_FOR_EQ(Section("mouse")["SystemStages"]["WheelScorlllinse"].asInt(), 4);
    EXPECT_EQ(Section("mouse")["SystemStages"]["ScorllPage"].asInt(), 0);
    EXPECT_FALSE(On<QAbstractButton>(kKindMouse, "scrolls_page_check")->isChecked());
    QTest::qWait(100);
    EXPECT_EQ(Block(EmulatedKind::Mouse, MouseSettingBlock::kSize), before);
}

TEST_F(SettingsPanelsTest, AWirelessMouseOutOfReachKeepsTheDpiPageAndSaysSo) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::WirelessMouse, kKindWirelessMouse));
    auto* mouse = dynamic_cast<CTalvorenMouseDevice*>(window->CurrentDevice());
    ASSERT_NE(mouse, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mouse->DpiFacts().has_value(); }, 5000));
    auto* page = window->PageOf(mouse);
    QTest::mouseClick(page->findChild<QAbstractButton*>("cursor_Op_tab"), Qt::LeftButton);
    WAIT_FOR_EQ(page->findChild<QStackedWidget*>("device_function_switch")->currentIndex(), 2);

    emulator::FaultPlan away;
    away.linkDown = true;
    Emulated(EmulatedKind::WirelessMouse).SetFaults(away);
    const std::vector<uint8_t> before = Block(EmulatedKind::WirelessMouse, MouseSettingBlock::kSize);
    QSignalSpy written(page->findChild<CMouseDpiUI*>(), &CMouseDpiUI::WrittenToDevice);
    auto* edit = page->findChild<QLineEdit*>("DPI_edit_0");
    TypeAndLeave(edit, "1200");
    ASSERT_TRUE(written.wait(15000));
    EXPECT_NE(written[0][0].toInt(), 1);
    EXPECT_EQ(Block(EmulatedKind::WirelessMouse, MouseSettingBlock::kSize), before);
    EXPECT_EQ(edit->text(), "1200");
    EXPECT_EQ(page->findChild<QSlider*>("DPI_slider_0")->value(), 24);
    auto* notice = page->findChild<QLabel*>("dpi_device_notice");
    EXPECT_FALSE(notice->isHidden());
    EXPECT_TRUE(notice->text().contains("receiver"));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Section("mouse")["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), 24);

    Emulated(EmulatedKind::WirelessMouse).SetFaults({});
    written.clear();
    Click(kKindWirelessMouse, "polling_rate_option_1");
    ASSERT_TRUE(written.wait(5000));
    EXPECT_EQ(written[0][0].toInt(), 1);
    EXPECT_TRUE(notice->isHidden());
    EXPECT_EQ(Emulated(EmulatedKind::WirelessMouse).Params()[StageDpiByte(0)], 24);
}

}  // namespace
}  // namespace morvek::app
