// The headset's Sound, Voice changer and 7.1 tabs driven through their widgets against the
// emulated headset and our audio configuration library (bin/SDK/libosConfLib.so, its values in
// osConfLib.json of the data folder): what the library keeps, what the profile file holds, and
// what the panels show.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "app/MainWndFixture.h"
#include "app/QtPrinters.h"
#include "devices/headset/TalvorenHS6533Device.h"
#include "profiles/JsonFile.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

class HeadsetPanelsTest : public test::MainWndTest {
protected:
    void SetUp() override {
        MainWndTest::SetUp();
        Start();
        ASSERT_TRUE(AttachAndSelect(EmulatedKind::Headset, kKindHeadset));
        headset = dynamic_cast<CTalvorenHS6533Device*>(ModelOfKind(kKindHeadset));
        ASSERT_NE(headset, nullptr);
        ASSERT_TRUE(headset->AudioActive()) << "the built libosConfLib.so is beside the tests";
    }
    template <class Control>
    Control* Get(const char* name) {
        auto* control = On<Control>(kKindHeadset, name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Tab(const char* name) { Get<QAbstractButton>(name)->click(); }
    // The values the library keeps for a device ("playback" or "recording").
    Json::Value Library(const char* device) { return readjsonFile(data.Path() / "osConfLib.json")[device]; }
    bool WaitLibrary(const char* device, const char* property, int value) {
        return QTest::qWaitFor([&] { return Library(device)[property].asDouble() == value; }, 3000);
    }
    Json::Value Words() {
        const Json::Value list = readjsonFile(data.Path() / "HD" / "ProfileList.ini");
        const std::string id = list["profilelist"][list["profileselect"].asUInt()]["profileUUID"].asString();
        return readjsonFile(data.Path() / "HD" / (id + ".Json"))["Device"][0]["SystemSetStages"];
    }
    // Moves a slider as a user does: dragged, then let go.
    static void Drag(QSlider* slider, int value) {
        slider->setSliderDown(true);
        slider->setValue(value);
        slider->setSliderDown(false);
    }

    CTalvorenHS6533Device* headset = nullptr;
};

TEST_F(HeadsetPanelsTest, TabsShowTheirPanels) {
    struct TabCase {
        const char* tab;
        const char* panel;
    };
    for (const TabCase& c : {TabCase{"6533_voice_Op_tab", "Voice6533ControlItem"},
                             TabCase{"magic_Op_tab", "MagicControlItem"},
                             TabCase{"Virtual7.1_Op_tab", "VirtualSetControlItem"}}) {
        SCOPED_TRACE(c.tab);
        Tab(c.tab);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Get<QWidget>(c.panel)->isVisible(); }, 3000));
    }
}

TEST_F(HeadsetPanelsTest, PresetGoesToTheLibraryAndTheProfile) {
    Tab("6533_voice_Op_tab");
    Get<QAbstractButton>("6533_eq_option_7")->click();
    // The bands are written in order: the last one ends the preset.
    ASSERT_TRUE(WaitLibrary("playback", "EQ_Slider10", 3));
    EXPECT_EQ(Library("playback")["EQ_Slider1"].asInt(), 14);
    EXPECT_EQ(Library("playback")["Enable_EQ_GFX"].asInt(), 1);
    EXPECT_EQ(Library("playback")["EQ_Slider5"].asInt(), -4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Words()["EqType"].asInt() == 7; }, 3000));
    // The page shows the model again once the change's outcome reaches the window's thread.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Get<QSlider>("6533_eq_hz_slider_0")->value() == 14; }, 3000));
    EXPECT_FALSE(Get<QWidget>("custom_eq_option_layout")->isEnabled());
}

TEST_F(HeadsetPanelsTest, ABandMovedUnderAPresetSwitchesToTheUserEqualiserAndIsSavedUnderANewName) {
    Tab("6533_voice_Op_tab");
    Get<QAbstractButton>("6533_eq_option_7")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Words()["EqType"].asInt() == 7; }, 3000));
    Drag(Get<QSlider>("6533_eq_hz_slider_3"), 12);
    ASSERT_TRUE(WaitLibrary("playback", "EQ_Slider4", 12));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Get<QAbstractButton>("6533_eq_option_13")->isChecked(); }, 3000));
    EXPECT_FALSE(Get<QAbstractButton>("6533_eq_option_7")->isChecked());
    EXPECT_TRUE(Get<QWidget>("custom_eq_option_layout")->isEnabled());
    EXPECT_EQ(Words()["EqType"].asInt(), 7) << "nothing is stored before the user saves";

    QTest::keyClicks(Get<QLineEdit>("custom_eq_name_edit"), "Footsteps");
    Get<QAbstractButton>("hs_EQ_btn_save")->click();
    auto* names = Get<QComboBox>("custom_eq_name_combo");
    // Outcomes of the drag still on their way may show the page once more before the save's own
    // outcome does, and the profile is written after the save's lock is released: wait for both.
    ASSERT_TRUE(QTest::qWaitFor([&] { return names->count() == 1 && names->currentText() == "Footsteps"; }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Words()["EqType"].asInt() == 13; }, 3000));

    // The same name in other letters is refused with the message.
    Get<QLineEdit>("custom_eq_name_edit")->clear();
    QTest::keyClicks(Get<QLineEdit>("custom_eq_name_edit"), "FOOTSTEPS");
    Get<QAbstractButton>("hs_EQ_btn_save")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.empty(); }, 3000));
    EXPECT_EQ(asked.back(), "message_text_5");
    EXPECT_EQ(names->count(), 1);

    Get<QAbstractButton>("hs_EQ_btn_delete")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return names->count() == 0; }, 3000));
    EXPECT_TRUE(Get<QAbstractButton>("6533_eq_option_1")->isChecked());
}

TEST_F(HeadsetPanelsTest, MicrophoneAndMonitorSwitchesAndLevels) {
    Tab("6533_voice_Op_tab");
    auto* microphone = Get<QAbstractButton>("6533_MicIn_option");
    const bool wasOn = microphone->isChecked();
    microphone->click();
    ASSERT_TRUE(WaitLibrary("recording", "MuteControl", wasOn ? 1 : 0));
    Drag(Get<QSlider>("6533_MicIn_slider"), 40);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Words()["MicInValue"].asInt() == 40; }, 3000));
    EXPECT_NEAR(Library("recording")["VolumeScalarControl"].asDouble(), 0.40, 1e-6);
    Drag(Get<QSlider>("6533_MicMoniter_slider"), 25);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Words()["MicMoniterValue"].asInt() == 25; }, 3000));
    EXPECT_NEAR(Library("recording")["AAVolumeScalarControl"].asDouble(), 0.25, 1e-6);
}

TEST_F(HeadsetPanelsTest, VoiceChangerSwitchesAndChoosesTheVoice) {
    Tab("magic_Op_tab");
    auto* enable = Get<QAbstractButton>("magic_enable_option");
    ASSERT_TRUE(enable->isEnabled()) << "our library reports a voice changer";
    if (enable->isChecked()) {
        enable->click();
        ASSERT_TRUE(WaitLibrary("recording", "Enable_MAGICVOICE", 0));
    }
    enable->click();
    ASSERT_TRUE(WaitLibrary("recording", "Enable_MAGICVOICE", 1));
    EXPECT_EQ(Library("recording")["Enable_MICECHO"].asInt(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Get<QWidget>("magic_option_layout")->isEnabled(); }, 3000));
    Get<QAbstractButton>("magic_option_3")->click();
    ASSERT_TRUE(WaitLibrary("recording", "MagicVoice_Selection", 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Words()["MagicType"].asInt() == 3; }, 3000));
    EXPECT_EQ(Words()["MagicEnable"].asInt(), 1);
}

TEST_F(HeadsetPanelsTest, SurroundAndTheRoomEffect) {
    Tab("Virtual7.1_Op_tab");
    EXPECT_FALSE(Get<QWidget>("virtual_room_layout")->isEnabled());
    Get<QAbstractButton>("virtual_surround_option")->click();
    ASSERT_TRUE(WaitLibrary("playback", "VirtualSurroundEffectControl", 1));
    Get<QAbstractButton>("virtual_room_option")->click();
    ASSERT_TRUE(WaitLibrary("playback", "Enable_RFX_GFX", 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Get<QWidget>("virtual_room_layout")->isEnabled(); }, 3000));
    auto* environment = Get<QComboBox>("virtual_environment_combo");
    EXPECT_EQ(environment->count(), kSurroundEnvironmentCount);
    environment->setFocus();
    QTest::keyClick(environment, Qt::Key_Down);
    QTest::keyClick(environment, Qt::Key_Down);
    ASSERT_TRUE(WaitLibrary("playback", "RFX_ENVIRONMENT", 2));
    Drag(Get<QSlider>("virtual_roomsize_slider"), 80);
    ASSERT_TRUE(WaitLibrary("playback", "RFX_ROOMSIZE", 80));
    EXPECT_EQ(headset->Surround(), (HeadsetSurround{true, true, 2, 80}));
}

TEST_F(HeadsetPanelsTest, EveryControlHasAnAccessibleName) {
    for (const char* panel : {"Voice6533ControlItem", "MagicControlItem", "VirtualSetControlItem"}) {
        for (QWidget* control : Get<QWidget>(panel)->findChildren<QWidget*>()) {
            const bool isControl = qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
                                   qobject_cast<QSlider*>(control) || qobject_cast<QLineEdit*>(control);
            if (!isControl) continue;
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace morvek::app
