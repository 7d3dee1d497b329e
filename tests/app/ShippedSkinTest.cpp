// The shipped skin: every .ui file of the index builds with the registered controls, and each
// device page holds the controls the pages and models look up by name.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QStackedWidget>

#include <memory>

#include "app/ControlFactory.h"
#include "app/DialogBuilder.h"
#include "app/MainWnd.h"
#include "app/QtPrinters.h"
#include "app/ResourceManager.h"
#include "app/SkinFixture.h"
#include "app/controls/CComboEditContainerElementUI.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "app/controls/SkinImage.h"
#include "devicelink/PowerStatus.h"
#include "devices/keys/KeyIndex.h"
#include "support/SourcePaths.h"

namespace morvek::app {
namespace {

class ShippedSkinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterCustomControls(CControlFactory::GetInstance()); }
    void SetUp() override { test::UseShippedSkin(); }
    void TearDown() override { CResourceManager::GetInstance().Release(); }

    std::unique_ptr<QWidget> Build(const QString& name) {
        CDialogBuilder builder(CResourceManager::GetInstance());
        std::unique_ptr<QWidget> root(builder.Create(name));
        EXPECT_NE(root, nullptr) << name.toStdString() << ": " << builder.ErrorString().toStdString();
        return root;
    }

    // The selection panel of a page's picture, found inside the container the models search.
    CSelectPanelUI* PictureOf(const QString& file, const char* container, const char* panel) {
        page_ = Build(file);
        auto* holder = page_ ? page_->findChild<QWidget*>(container) : nullptr;
        return holder ? holder->findChild<CSelectPanelUI*>(panel) : nullptr;
    }

private:
    std::unique_ptr<QWidget> page_;
};

TEST_F(ShippedSkinTest, EveryUiFileBuilds) {
    QDirIterator files(test::SourceSkinDir(), {"*.ui"}, QDir::Files, QDirIterator::Subdirectories);
    int built = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        SCOPED_TRACE(path.toStdString());
        if (Build(path)) ++built;
    }
    EXPECT_GE(built, 5);
}

// Qt drops the part of a style sheet it cannot parse with no more than a warning, so the
// warning is what is looked for: the whole shipped sheet parses.
TEST_F(ShippedSkinTest, TheStyleSheetParses) {
    QFile style(QString(test::SourceSkinDir()) + "/style.qss");
    ASSERT_TRUE(style.open(QIODevice::ReadOnly));
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings.append(text); });
    QWidget probe;
    probe.setStyleSheet(QString::fromUtf8(style.readAll()));
    probe.ensurePolished();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

struct PageCase {
    const char* file;
    const char* picture;  // the selection panel holding the key and light buttons
    int keys;
    int lights;
};

TEST_F(ShippedSkinTest, DevicePagesHoldTheirPictureButtonsPanelsAndTabs) {
    const PageCase cases[] = {
        {"XML\\DeviceXml\\keyboarddevice.xml", "device_key_light", kKeyCount, kKeyCount},
        {"XML\\DeviceXml\\mousedevice.xml", "mouse_device_key_light", 7, 6},
        {"XML\\DeviceXml\\mousepaddevice.xml", "mousepad_device_key_light", 0, 15},
        {"XML\\DeviceXml\\hs6533device.xml", "hs6533_device_key_light", 0, 13},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.file);
        const auto page = Build(c.file);
        ASSERT_NE(page, nullptr);
        // The page fits beside the 180-pixel device list of the window, in every language.
        for (const char* language : {"lan_en.xml", "lan_cn.xml", "lan_de.xml"}) {
            ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage(language));
            CResourceManager::GetInstance().ReloadText(page.get());
            EXPECT_LE(page->minimumSizeHint().width(), CMainWnd::kWidth - 180) << language;
        }
        auto* picture = page->findChild<CSelectPanelUI*>(c.picture);
        ASSERT_NE(picture, nullptr);
        EXPECT_FALSE(SkinImage(picture->BackgroundImage()).NaturalSize().isEmpty());
        for (int n = 0; n < c.keys; ++n) {
            EXPECT_NE(picture->findChild<CDeviceKeyButtonUI*>(QString("key_%1").arg(n)), nullptr) << n;
        }
        for (int n = 0; n < c.lights; ++n) {
            auto* light = picture->findChild<CDeviceKeyButtonUI*>(QString("light_%1").arg(n));
            ASSERT_NE(light, nullptr) << n;
            EXPECT_FALSE(SkinImage(light->LightImage()).NaturalSize().isEmpty()) << n;
        }
        EXPECT_EQ(picture->findChild<CDeviceKeyButtonUI*>(QString("light_%1").arg(c.lights)), nullptr);
        for (const char* name : {"device_function_switch", "device_key_function_switch"}) {
            EXPECT_NE(page->findChild<QStackedWidget*>(name), nullptr) << name;
        }
        for (const char* name : {"DeviceProfileItem", "LightControlItem", "device_profile_combo",
                                 "device_profile_name_edit", "profile_menu_layout"}) {
            EXPECT_NE(page->findChild<QWidget*>(name), nullptr) << name;
        }
        for (const char* name : {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab",
                                 "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab", "device_add_btn",
                                 "device_sub_btn", "device_copy_btn", "device_import_btn", "device_export_btn",
                                 "device_reset_btn", "device_profile_edit_save_btn", "profile_fun_spread_btn"}) {
            EXPECT_NE(page->findChild<QPushButton*>(name), nullptr) << name;
        }
    }
}

// Shown keys never overlap and stay on the picture; each light sits under its key.
TEST_F(ShippedSkinTest, KeyboardKeysFollowTheMatrixWithoutOverlapping) {
    auto* picture = PictureOf("XML\\DeviceXml\\keyboarddevice.xml", "keyboard_device_key_light", "device_key_light");
    ASSERT_NE(picture, nullptr);
    std::vector<std::pair<int, QRect>> shown;
    for (int n = 0; n < kKeyCount; ++n) {
        auto* key = picture->findChild<CDeviceKeyButtonUI*>(QString("key_%1").arg(n));
        auto* light = picture->findChild<CDeviceKeyButtonUI*>(QString("light_%1").arg(n));
        ASSERT_TRUE(key && light) << n;
        EXPECT_EQ(key->isHidden(), light->isHidden()) << n;
        if (key->isHidden()) continue;
        EXPECT_TRUE(light->geometry().contains(key->geometry())) << n;
        EXPECT_TRUE(picture->rect().contains(light->geometry())) << n;
        shown.emplace_back(n, light->geometry());
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            EXPECT_FALSE(shown[i].second.intersects(shown[j].second)) << shown[i].first << " " << shown[j].first;
        }
    }
    // The keyboard has no key at four empty cells and nine international positions.
    EXPECT_EQ(shown.size(), static_cast<size_t>(kKeyCount - 13));
    for (KeyIndex builtIn : kBuiltInKeys) {
        EXPECT_FALSE(picture->findChild<CDeviceKeyButtonUI*>(QString("key_%1").arg(builtIn))->isHidden()) << int(builtIn);
    }
}

TEST_F(ShippedSkinTest, MousePictureHasTheSecondLedRowAndTheLogo) {
    auto* picture = PictureOf("XML\\DeviceXml\\mousedevice.xml", "mouse_device_seting_layout", "mouse_device_key_light");
    ASSERT_NE(picture, nullptr);
    for (int n = 0; n < 6; ++n) {
        EXPECT_NE(picture->findChild<CDeviceKeyButtonUI*>(QString("light_0_%1").arg(n)), nullptr) << n;
    }
    int logos = 0;
    for (auto* button : picture->KeyButtons()) logos += button->toolTip() == "logo";
    EXPECT_EQ(logos, 1);
}

// Every picture a power status can name, and every device list icon, is in the skin.
TEST_F(ShippedSkinTest, PowerAndDeviceListPicturesExist) {
    for (int kind : {2, 3}) {
        for (uint8_t charging : {0, 1, 2}) {
            for (uint8_t wireless : {0, 1}) {
                for (uint8_t phone : {0, 1, 2, 3}) {
                    const uint8_t record[] = {50, charging, 0, wireless, 0, phone};
                    const PowerIndicatorState state = DecodePowerStatus(record, kind);
                    for (const auto& image : {state.statusImage, state.phoneImage}) {
                        if (!image) continue;
                        SCOPED_TRACE(*image);
                        EXPECT_FALSE(SkinImage(QString::fromStdString(*image)).NaturalSize().isEmpty());
                    }
                }
            }
        }
    }
    for (const char* prefix : {"kb_device", "ms_device", "hard_mp_device", "soft_mp_device", "hd_device", "hub_device",
                               "unknow_device"}) {
        for (const char* variant : {"_normal", "_selected", "_synchro_normal", "_synchro_selected"}) {
            const QString name = QString("common/device_ico/%1%2.png").arg(prefix, variant);
            EXPECT_FALSE(SkinImage(name).NaturalSize().isEmpty()) << name.toStdString();
        }
    }
}

// Screen readers and desktop automation find every control of the panels by a name: its text,
// or for a control without one, what it does.
TEST_F(ShippedSkinTest, EveryPanelControlHasAnAccessibleNameInEveryLanguage) {
    for (const char* language : {"lan_en.xml", "lan_cn.xml", "lan_de.xml"}) {
        ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage(language));
        for (const char* skin : {"XML\\CustomControlXML\\DeviceProfile.xml", "XML\\CustomControlXML\\LightControl.xml",
                                 "XML\\CustomControlXML\\KeySetControl.xml", "XML\\CustomControlXML\\KeyboardSystem.xml",
                                 "XML\\CustomControlXML\\MouseDpi.xml", "XML\\CustomControlXML\\MousePointer.xml"}) {
            SCOPED_TRACE(std::string(language) + " " + skin);
            const auto panel = Build(skin);
            ASSERT_NE(panel, nullptr);
            CResourceManager::GetInstance().ReloadText(panel.get());
            for (QWidget* control : panel->findChildren<QWidget*>()) {
                const bool interactive = control->focusPolicy() != Qt::NoFocus;
                if (!interactive) continue;
                EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
                // A translated name, never a text key.
                EXPECT_FALSE(control->accessibleName().contains("_text") || control->accessibleName().contains("_tip"))
                    << control->objectName().toStdString();
            }
        }
    }
}

TEST_F(ShippedSkinTest, MacroActionRowIsBuiltFromItsRowLayout) {
    CComboEditContainerElementUI row;
    EXPECT_NE(row.Text1(), nullptr);
    EXPECT_NE(row.Text2(), nullptr);
    EXPECT_NE(row.DelayEdit(), nullptr);
}

}  // namespace
}  // namespace morvek::app
