// The shoot pattern panel of the mouse page, driven through its widgets: guns and bullets, the
// edits written to the user's shoot files, reset, import and export, and the patterns written
// to the emulated mouse.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStackedWidget>

#include <fstream>

#include "app/MainWndFixture.h"
#include "app/QtPrinters.h"
#include "app/controls/CChartViewUI.h"
#include "app/panels/CShootControlUI.h"
#include "macros/ShootFile.h"
#include "macros/ShootImage.h"
#include "profiles/JsonFile.h"
#include "support/SourcePaths.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

class ShootPanelTest : public morvek::test::MainWndTest {
protected:
    void StartWithMouse() {
        Start();
        ASSERT_TRUE(AttachAndSelect(EmulatedKind::Mouse, kKindMouse));
        Click("magic_Op_tab");
        ASSERT_TRUE(QTest::qWaitFor([&] { return Get("bullet_x_eidt")->isVisible(); }, 2000));
    }
    template <class Control = QWidget>
    Control* Get(const QString& name) {
        auto* control = PageOfKind(kKindMouse)->findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    void Click(const QString& name) { Get<QAbstractButton>(name)->click(); }
    void Type(const char* edit, const QString& text) {
        auto* line = Get<QLineEdit>(edit);
        line->setFocus();
        line->selectAll();
        QTest::keyClicks(line, text);
        Get<QLineEdit>(edit == std::string("bullet_y_eidt") ? "bullet_x_eidt" : "bullet_y_eidt")->setFocus();
    }
    std::filesystem::path UserFile(int gun) { return data.Path() / "mouse" / ShootFile::FileName(gun); }
    std::string Text(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    QString Shown(const char* name) { return Get<QLineEdit>(name)->text(); }
    int SelectedBullet() { return Get<QLabel>("bullet_select_index")->text().toInt() - 1; }
};

TEST_F(ShootPanelTest, TheMousesShootingTabShowsTheDefaultPatternsCopiedForTheUser) {
    StartWithMouse();
    EXPECT_EQ(Get<QAbstractButton>("magic_Op_tab")->text().toStdString(), "Shooting");
    for (int gun = 0; gun < 4; ++gun) {
        EXPECT_EQ(Text(UserFile(gun)), Text(std::filesystem::path(morvek::test::SourceDataDir()) / ShootFile::FileName(gun)));
    }
    EXPECT_TRUE(Get<QAbstractButton>("shoot_gun_op_0")->isChecked());
    EXPECT_TRUE(Get<QAbstractButton>("bullet_op_0")->isChecked());
    EXPECT_EQ(SelectedBullet(), 0);
    EXPECT_EQ(Get<CChartViewUI>("shoot_chart")->Items().size(), 30);

    Click("shoot_gun_op_2");
    EXPECT_EQ(Get<QStackedWidget>("shoot_image_display_switch")->currentIndex(), 2);
    EXPECT_FALSE(Get<QAbstractButton>("shoot_gun_op_0")->isChecked());
    const BulletStep step = ShootFile::ReadBullet(readjsonFile(UserFile(2)), 0);
    EXPECT_EQ(Shown("bullet_x_eidt"), QString::number(step.x));
    EXPECT_EQ(Shown("bullet_delay_eidt"), QString::number(step.delay));
    EXPECT_EQ(Get<QCheckBox>("bullet_x_check")->text().toStdString(), step.left ? "Move left" : "Move right");
}

// A shoot pattern of the user's that cannot be read, met when the mouse page sets up at start,
// is kept aside, the message window says where, and the gun gets its default again.
TEST_F(ShootPanelTest, ADamagedPatternMetAtStartIsKeptAsideAndShownInTheMessageWindow) {
    std::filesystem::create_directories(data.Path() / "mouse");
    const std::string damaged = R"({"Events": [{"Type": 1, "Co)";
    std::ofstream(UserFile(1)) << damaged;
    StartWithMouse();
    const std::filesystem::path kept = UserFile(1).string() + ".damaged";
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].contains(QString::fromStdString(kept.string()))) << asked[0].toStdString();
    EXPECT_EQ(Text(kept), damaged);
    EXPECT_EQ(Text(UserFile(1)), Text(std::filesystem::path(morvek::test::SourceDataDir()) / ShootFile::FileName(1)));
}

TEST_F(ShootPanelTest, EditedBulletsAreWrittenAsSixEvents) {
    StartWithMouse();
    Get<QCheckBox>("bullet_x_check")->setChecked(false);
    Get<QCheckBox>("bullet_y_check")->setChecked(false);
    Type("bullet_x_eidt", "3");
    Type("bullet_y_eidt", "12");
    Type("bullet_delay_eidt", "60");
    const Json::Value events = readjsonFile(UserFile(0))["Events"];
    const int expected[6][4] = {{1, 1, 10, 1}, {0, 1, 0, 1}, {0, 3, 5, 4}, {0, 12, 60, 5}, {0, 0, 0, 4}, {0, 0, 0, 5}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i]["Action"].asString(), expected[i][0] ? "down" : "up");
        EXPECT_EQ(events[i]["Button"], expected[i][1]);
        EXPECT_EQ(events[i]["Delay"], expected[i][2]);
        EXPECT_EQ(events[i]["Type"], expected[i][3]);
    }
    // A direction is kept at once, and its option says where it goes.
    Click("bullet_y_check");
    EXPECT_EQ(readjsonFile(UserFile(0))["Events"][3]["Action"], "down");
    EXPECT_EQ(Get<QCheckBox>("bullet_y_check")->text().toStdString(), "Move up");
    // Values beyond what the mouse can do are kept at its limit.
    Type("bullet_x_eidt", "300");
    EXPECT_EQ(Shown("bullet_x_eidt"), "255");
    EXPECT_EQ(Get<CChartViewUI>("shoot_chart")->Items().front().dx, 255);
}

TEST_F(ShootPanelTest, PreviousAndNextStopAtTheFirstAndLastBullet) {
    StartWithMouse();
    Click("bullet_selected_prev");
    EXPECT_EQ(SelectedBullet(), 0);
    Click("bullet_op_29");
    EXPECT_EQ(SelectedBullet(), 29);
    EXPECT_EQ(Get<CChartViewUI>("shoot_chart")->Highlighted(), 29);
    Click("bullet_selected_next");
    EXPECT_EQ(SelectedBullet(), 29);
    Click("bullet_selected_prev");
    EXPECT_EQ(SelectedBullet(), 28);
    EXPECT_TRUE(Get<QAbstractButton>("bullet_op_28")->isChecked());
}

TEST_F(ShootPanelTest, ResetImportAndExportActOnTheSelectedGunOnly) {
    StartWithMouse();
    Click("shoot_gun_op_2");
    Type("bullet_delay_eidt", "999");
    Click("shoot_gun_op_1");
    Type("bullet_delay_eidt", "777");
    const std::string gun1 = Text(UserFile(1));
    Click("shoot_gun_op_2");
    Click("shootdate_reset_btn");
    EXPECT_EQ(Text(UserFile(2)), Text(std::filesystem::path(morvek::test::SourceDataDir()) / ShootFile::FileName(2)));
    EXPECT_EQ(Text(UserFile(1)), gun1);

    morvek::test::TempFolder exchange;
    fileToSave = QString::fromStdString((exchange / "gun1.shoot").string());
    Click("shoot_gun_op_1");
    Click("shootdate_export_btn");
    EXPECT_EQ(Text(exchange / "gun1.shoot"), gun1);
    fileToOpen = fileToSave;
    Click("shoot_gun_op_3");
    Click("shootdate_import_btn");
    EXPECT_EQ(Text(UserFile(3)), gun1);
    EXPECT_EQ(Shown("bullet_delay_eidt"), "777");

    std::ofstream(exchange / "other.shoot") << "{\"Name\": 1}";
    fileToOpen = QString::fromStdString((exchange / "other.shoot").string());
    asked.clear();
    Click("shootdate_import_btn");
    EXPECT_EQ(asked, (std::vector<QString>{"shoot_not_a_pattern_text"}));
    EXPECT_EQ(Text(UserFile(3)), gun1);
}

TEST_F(ShootPanelTest, WritingToTheMouseSendsTheFourPatterns) {
    StartWithMouse();
    Type("bullet_x_eidt", "9");
    QSignalSpy written(On<CShootControlUI>(kKindMouse, "ShootControlItem"), &CShootControlUI::PatternsWritten);
    Click("shootdate_save_btn");
    ASSERT_TRUE(written.wait(3000));
    EXPECT_TRUE(written[0][0].toBool());
    const std::vector<uint8_t> image = BuildShootImage(data.Path() / "mouse");
    const std::vector<uint8_t> memory = emulator.Find(EmulatedKind::Mouse)->ShootMemory();
    ASSERT_GE(memory.size(), image.size());
    EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + static_cast<long>(image.size())), image);
}

}  // namespace
}  // namespace morvek::app
