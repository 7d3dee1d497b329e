// The shoot pattern editor under a real X server: bullets chosen and values typed with real
// input, kept in the user's shoot file.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "X11WindowFixture.h"
#include "macros/ShootFile.h"
#include "profiles/JsonFile.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

// X keycodes: the Linux input code + 8.
constexpr uint8_t kKey4 = 13;
constexpr uint8_t kKey2 = 11;
constexpr uint8_t kKeyBackSpace = 22;
constexpr uint8_t kKeyTab = 23;

class ShootEditorTest : public morvek::test::X11WindowTest {
protected:
    QWidget* Get(const QString& name) { return PageOfKind(kKindMouse)->findChild<QWidget*>(name); }
};

TEST_F(ShootEditorTest, ABulletChosenAndTypedWithRealInputIsKept) {
    ASSERT_TRUE(ShowPageOf(EmulatedKind::Mouse, kKindMouse));
    qobject_cast<QAbstractButton*>(Get("magic_Op_tab"))->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Get("bullet_op_6") != nullptr && Get("bullet_op_6")->isVisible(); }, 2000));
    ClickOn(Get("shoot_gun_op_1"));
    ClickOn(Get("bullet_op_6"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return qobject_cast<QAbstractButton*>(Get("bullet_op_6"))->isChecked(); }, 2000));
    auto* delay = qobject_cast<QLineEdit*>(Get("bullet_delay_eidt"));
    ClickOn(delay);
    ASSERT_TRUE(QTest::qWaitFor([&] { return delay->hasFocus(); }, 2000));
    for (int i = 0; i < 5; ++i) input.Tap(kKeyBackSpace);
    input.Tap(kKey4);
    input.Tap(kKey2);
    input.Tap(kKeyTab);  // the edit loses the focus: the bullet is written
    ASSERT_TRUE(QTest::qWaitFor([&] { return !delay->hasFocus(); }, 2000));
    EXPECT_EQ(ShootFile::ReadBullet(readjsonFile(data.Path() / "mouse" / ShootFile::FileName(1)), 6).delay, 42);
    SaveScreenshot("shoot-editor.png");
}

}  // namespace
}  // namespace morvek::app
