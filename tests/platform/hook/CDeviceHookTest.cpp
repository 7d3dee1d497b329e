#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <functional>
#include <vector>

#include "platform/hook/qt/CDeviceHook.h"
#include "support/XTestInput.h"
#include "support/XvfbMain.h"

namespace morvek::hook {
namespace {

// X keycodes: the Linux input code + 8.
constexpr uint8_t kKeyA = 38;
constexpr uint8_t kKeyLeftShift = 50;
constexpr uint8_t kKeyRightCtrl = 105;
constexpr uint8_t kKeyCapsLock = 66;

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Lets the X server's events of the last few milliseconds arrive and be handled.
void Settle(test::XTestInput& input) {
    input.Sync();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 150) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct Key {
    bool press;
    ScanCode scan;
    bool operator==(const Key&) const = default;
};
struct Button {
    int bit;
    bool press;
    bool operator==(const Button&) const = default;
};

class DeviceHookTest : public ::testing::Test {
protected:
    DeviceHookTest() : input_(test::XvfbDisplay()) {
        auto* layout = new QVBoxLayout(&window_);
        edit_ = new QLineEdit(&window_);
        layout->addWidget(edit_);
        window_.setGeometry(100, 100, 300, 200);
        window_.show();
        EXPECT_TRUE(WaitUntil([this] { return window_.windowHandle() && window_.windowHandle()->isExposed(); }));
        hook_.SetSinks({[this](const HookKeyEvent& e) { keys_.push_back({e.press, e.scan}); },
                        [this](const HookButtonEvent& e) {
                            buttons_.push_back({e.buttonBit, e.press});
                            positions_.push_back(e.globalPos);
                        }});
        EXPECT_TRUE(input_.Connected());
    }

    QWidget window_;
    QLineEdit* edit_ = nullptr;
    CDeviceHook hook_;
    test::XTestInput input_;
    std::vector<Key> keys_;
    std::vector<Button> buttons_;
    std::vector<QPoint> positions_;
};

TEST_F(DeviceHookTest, KeysTypedIntoAnotherProgramAreRecordedAndKeptFromIt) {
    input_.OpenFocusedWindow(600, 100, 200, 200);
    input_.Tap(kKeyA);
    EXPECT_EQ(input_.Drain().keyPresses, 1);  // the other window has the focus

    ASSERT_TRUE(hook_.Start(&window_, true, true));
    EXPECT_EQ(hook_.KeyboardReach(), CDeviceHook::Reach::Desktop);
    input_.Tap(kKeyA);
    input_.Key(kKeyLeftShift, true);
    input_.Key(kKeyRightCtrl, true);
    input_.Key(kKeyRightCtrl, false);
    input_.Key(kKeyLeftShift, false);
    ASSERT_TRUE(WaitUntil([this] { return keys_.size() >= 6; }));
    const std::vector<Key> expected = {
        {true, {0x1E, false}}, {false, {0x1E, false}}, {true, {0x2A, false}},
        {true, {0x1D, true}},  {false, {0x1D, true}},  {false, {0x2A, false}},
    };
    EXPECT_EQ(keys_, expected);
    EXPECT_EQ(input_.Drain().keyPresses, 1);  // nothing more reached the other program

    hook_.Stop();
    input_.Tap(kKeyA);
    Settle(input_);
    EXPECT_EQ(input_.Drain().keyPresses, 2);
    EXPECT_EQ(keys_.size(), 6u);
}

TEST_F(DeviceHookTest, AHeldKeyGivesOnePressAndOneRelease) {
    ASSERT_TRUE(hook_.Start(&window_, true, false));
    input_.Key(kKeyA, true);
    QElapsedTimer held;
    held.start();
    while (held.elapsed() < 900) QApplication::processEvents(QEventLoop::AllEvents, 10);  // past the repeat delay
    input_.Key(kKeyA, false);
    Settle(input_);
    EXPECT_EQ(keys_, (std::vector<Key>{{true, {0x1E, false}}, {false, {0x1E, false}}}));
}

TEST_F(DeviceHookTest, TheProgramsOwnControlsSeeNoKeyWhileTheHookRuns) {
    window_.activateWindow();
    edit_->setFocus();
    ASSERT_TRUE(WaitUntil([this] { return QApplication::focusWidget() == edit_; }));
    ASSERT_TRUE(hook_.Start(&window_, true, false));
    input_.Tap(kKeyA);
    input_.Tap(kKeyCapsLock);
    ASSERT_TRUE(WaitUntil([this] { return keys_.size() == 4; }));
    EXPECT_EQ(edit_->text(), "");
    hook_.Stop();
    input_.Tap(kKeyCapsLock);
    input_.Tap(kKeyA);
    ASSERT_TRUE(WaitUntil([this] { return !edit_->text().isEmpty(); }));
    EXPECT_EQ(edit_->text(), "a");
}

TEST_F(DeviceHookTest, ButtonsAnywhereAreRecordedAndStillReachTheirWindow) {
    input_.OpenFocusedWindow(600, 100, 200, 200);
    ASSERT_TRUE(hook_.Start(&window_, true, true));
    EXPECT_EQ(hook_.MouseReach(), CDeviceHook::Reach::Desktop);
    input_.MovePointer(650, 150);
    for (uint8_t button : {1, 3, 2, 8, 9, 4, 5}) {
        input_.Button(button, true);
        input_.Button(button, false);
    }
    ASSERT_TRUE(WaitUntil([this] { return buttons_.size() >= 10; }));
    Settle(input_);
    const std::vector<Button> expected = {{0x01, true}, {0x01, false}, {0x02, true}, {0x02, false}, {0x04, true},
                                          {0x04, false}, {0x08, true}, {0x08, false}, {0x10, true}, {0x10, false}};
    EXPECT_EQ(buttons_, expected);  // the wheel (4, 5) is no button
    EXPECT_EQ(positions_.front(), QPoint(650, 150));
    EXPECT_EQ(input_.Drain().buttonPresses, 7);  // the other program got every press

    hook_.Stop();
    input_.Button(1, true);
    input_.Button(1, false);
    Settle(input_);
    EXPECT_EQ(buttons_.size(), 10u);
}

TEST_F(DeviceHookTest, AKeyboardHeldByAnotherProgramStartsNothing) {
    input_.OpenFocusedWindow(600, 100, 200, 200);
    ASSERT_TRUE(input_.GrabKeyboard());
    EXPECT_FALSE(hook_.Start(&window_, true, true));
    EXPECT_FALSE(hook_.IsRunning());
    EXPECT_EQ(hook_.KeyboardReach(), CDeviceHook::Reach::None);
    input_.MovePointer(650, 150);
    input_.Button(1, true);
    input_.Button(1, false);
    Settle(input_);
    EXPECT_TRUE(buttons_.empty());
    input_.UngrabKeyboard();
    EXPECT_TRUE(hook_.Start(&window_, true, true));
}

}  // namespace
}  // namespace morvek::hook
