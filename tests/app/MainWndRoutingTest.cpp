// The main window's routing tables: exact names, indexed prefixes, the order of the tests, and
// the handlers of the window itself.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QSignalSpy>

#include "app/MainWndFixture.h"
#include "app/QtPrinters.h"

namespace morvek::app {
namespace {

using test::MainWndTest;

struct RouteCase {
    const char* type;
    const char* name;
    const char* handler;  // nullptr: no route
    int index;
};

TEST_F(MainWndTest, RoutesByNameAndByIndexedPrefix) {
    const RouteCase cases[] = {
        {"click", "closebtn", "hide_to_tray", -1},
        {"click", "key_12", "select_key", 12},
        {"click", "key_butt_keysave", "key_assignment_apply", -1},  // a name, not "key_" with an index
        {"click", "key_", nullptr, 0},                         // a prefix without an index
        {"click", "color_option_3", "light_colour_option", 3},
        {"click", "device_select_next", "select_next_device", -1},
        {"click", "default_btn", "restore_defaults", -1},
        {"click", "nothing_of_ours", nullptr, 0},
        {"selectchanged", "DPI_enable_check_4", "mouse_dpi_stage", 4},
        {"selectchanged", "repeat_delay_check_1", "keyboard_repeat_delay", 1},
        {"selectchanged", "Virtual7.1_Op_tab", "function_tab", -1},
        {"selectchanged", "deng_Op_tab", "function_tab", -1},
        {"selectchanged", "device_select", "select_device_page", -1},
        {"valuechanged", "DPI_slider_2", "mouse_dpi", 2},
        {"valuechanged", "6533_eq_hz_slider_9", "headset_band", 9},
        {"valuechanged", "closebtn", nullptr, 0},  // the type matters
        {"movevaluechanged", "velko_DPI_slider_1", "mouse_dpi_live", 1},
        {"movevaluechanged", "DPI_slider_5", "mouse_dpi_live", 5},
        {"itemselect", "device_profile_combo", "profile_switch_timer", -1},
        {"itemselect", "keyset_media_combo", "key_assignment", -1},
        {"killfocus", "DPI_edit_0", "mouse_dpi", 0},
        {"killfocus", "bullet_delay_eidt", "shoot_editor", -1},
        {"click_select_end", "mouse_device_key_light", "select_keys", -1},
        {"setfocus", "keyset_keyboard_text_edit", "key_capture", -1},
        {"itemactivate", "macro_action", "macro_action_menu", -1},
        {"menu", "about_menu", "about_window", -1},
        {"menu", "redio_later_ignore_time", "macro_record_time_mode", -1},
        {"itemclick", "macro_name_list", nullptr, 0},
    };
    for (const RouteCase& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.name);
        const auto route = window->FindRoute(c.type, c.name);
        if (c.handler == nullptr) {
            EXPECT_FALSE(route.has_value());
            continue;
        }
        ASSERT_TRUE(route.has_value());
        EXPECT_EQ(route->handler, c.handler);
        EXPECT_EQ(route->index, c.index);
    }
}

TEST_F(MainWndTest, LightControlButtonTwiceReturnsToTheFirstStateAndAnnouncesBoth) {
    QSignalSpy announced(window.get(), &CMainWnd::LightControlAnnounced);
    auto* button = qobject_cast<QAbstractButton*>(Control("control_light_status"));
    ASSERT_NE(button, nullptr);
    const QString firstText = button->text();
    ASSERT_TRUE(window->HostLightControl());

    button->click();
    EXPECT_FALSE(window->HostLightControl());
    EXPECT_NE(button->text(), firstText);
    button->click();
    EXPECT_TRUE(window->HostLightControl());
    EXPECT_EQ(button->text(), firstText);

    ASSERT_EQ(announced.size(), 2);
    EXPECT_EQ(announced[0], (QList<QVariant>{1, 0}));
    EXPECT_EQ(announced[1], (QList<QVariant>{1, 1}));
}

TEST_F(MainWndTest, AnotherProgramTakingTheLightsShowsTheSameButtonAsAClick) {
    auto* button = qobject_cast<QAbstractButton*>(Control("control_light_status"));
    button->click();  // off by the user
    const QString offText = button->text();
    button->click();
    window->OnLightControlMessage(1, 0);  // off by another program
    EXPECT_FALSE(window->HostLightControl());
    EXPECT_EQ(button->text(), offText);
    window->OnLightControlMessage(2, 1);  // not a light-control message
    EXPECT_FALSE(window->HostLightControl());
}

TEST_F(MainWndTest, RestoreDefaultsAsksFirstAndDoesNothingWithoutADevice) {
    window->Notify(Msg("click", "default_btn"));
    EXPECT_TRUE(asked.empty());
    Start();
    emulator.Attach(emulator::EmulatedKind::Mouse);
    ASSERT_TRUE(WaitVisible(EntryOfKind(kKindMouse), true));
    answer = 0;
    window->Notify(Msg("click", "default_btn"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "message_text_22");
}

TEST_F(MainWndTest, SleepGivesUpTheLightsAndWakingTakesThemOnlyIfTheyWereOurs) {
    Start();
    emulator.Attach(emulator::EmulatedKind::Keyboard);
    ASSERT_TRUE(WaitVisible(EntryOfKind(kKindKeyboard), true));
    CTalvorenUSBDevice* keyboard = List().Entry(EntryOfKind(kKindKeyboard))->Model();
    window->OnPrepareForSleep(true);
    EXPECT_FALSE(window->IsAwake());
    EXPECT_FALSE(keyboard->GetHostLightControl());
    window->OnPrepareForSleep(false);
    EXPECT_TRUE(keyboard->GetHostLightControl());

    window->OnLightControlMessage(1, 0);
    window->OnPrepareForSleep(true);
    window->OnPrepareForSleep(false);
    EXPECT_FALSE(keyboard->GetHostLightControl());
}

}  // namespace
}  // namespace morvek::app
