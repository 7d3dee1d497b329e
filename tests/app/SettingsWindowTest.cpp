// The settings window, driven through its controls as a user would, against a local HTTPS
// update service: opening, the check's outcome, ticks and the update button, the confirmed
// download handed to a stand-in opener, closing during a download, the language switch and the
// accessible names.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QTest>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>

#include "app/MainWndFixture.h"
#include "app/ProgramSettings.h"
#include "app/QtPrinters.h"
#include "support/UpdateTestServer.h"
#include "update/UpdateFileName.h"
#include "update/UpdateQuery.h"
#include "update/UpdateRequest.h"

namespace morvek::app {
namespace {

using test::UpdateTestServer;

class RecordingOpener final : public update::IUpdateOpener {
public:
    bool OpenWithDesktop(const std::filesystem::path& file) override {
        std::lock_guard lock(mutex_);
        opened_.push_back(file);
        return true;
    }
    int RunProgram(const std::filesystem::path&) override { return -1; }
    std::vector<std::filesystem::path> Opened() {
        std::lock_guard lock(mutex_);
        return opened_;
    }

private:
    std::mutex mutex_;
    std::vector<std::filesystem::path> opened_;
};

class SettingsWindowTest : public test::MainWndTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.IsRunning()) << "python3 and openssl are needed (scripts/setup.sh)";
        qputenv(update::kEndpointVariable, QByteArray::fromStdString(server.Endpoint()));
        qputenv(update::kAuthorityFileVariable, QByteArray::fromStdString(server.AuthorityFile().string()));
        MainWndTest::SetUp();
        window->SetUpdateOpener(&opener);
    }
    void TearDown() override {
        MainWndTest::TearDown();
        qunsetenv(update::kEndpointVariable);
        qunsetenv(update::kAuthorityFileVariable);
    }

    // The application row's identity as the window sends it.
    UpdateIdentity Application() { return window->CurrentUpdateIdentities().back(); }
    // The service offers a new version of the program: a package of some size.
    void OfferApplication() {
        package = "!<arch>\n" + std::string(200 * 1024, 'm');
        Json::Value answer;
        answer["version"] = "999";
        answer["version_name"] = "9.9.9";
        answer["device_id"] = 1;
        answer["path"] = server.AddFile("morvek.deb", package);
        answer["sha256"] = test::Sha256Hex(package);
        server.SetAnswer(update::ApplicationKey(Application()), answer);
    }
    // Clicks "setbtn" and waits for the check to end.
    CSetWnd* OpenAndCheck() {
        Start();
        Click(window.get(), "setbtn");
        CSetWnd* settings = window->SettingsWindow();
        if (settings == nullptr) return nullptr;
        const bool done = QTest::qWaitFor(
            [&] { return settings->Session().Model().Status() != update::UpdateStatus::kChecking; }, 20000);
        return done ? settings : nullptr;
    }
    static void Click(QWidget* parent, const char* name) {
        auto* button = parent->findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    static QString Text(QWidget* parent, const char* name) {
        auto* label = parent->findChild<QLabel*>(name);
        return label ? label->text() : QString("(no %1)").arg(name);
    }
    // The row whose tick shows name.
    static QWidget* Row(CSetWnd* settings, const QString& name) {
        for (QCheckBox* tick : settings->findChildren<QCheckBox*>("check_name_select")) {
            if (tick->text() == name) return tick->parentWidget();
        }
        return nullptr;
    }
    static bool Visible(QWidget* parent, const char* name) {
        auto* control = parent->findChild<QWidget*>(name);
        return control != nullptr && control->isVisibleTo(parent);
    }

    UpdateTestServer server;
    RecordingOpener opener;
    std::string package;
};

TEST_F(SettingsWindowTest, SettingsButtonAndTrayMenuOpenOneWindowBesideTheMainWindow) {
    Start();
    Click(window.get(), "setbtn");
    CSetWnd* settings = window->SettingsWindow();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(settings->size(), QSize(CSetWnd::kWidth, CSetWnd::kHeight));
    // 30 pixels inside the main window's right edge, 60 below its top, but on the screen.
    const QRect main = window->frameGeometry();
    const QRect screen = window->screen()->availableGeometry();
    const QRect placed = settings->frameGeometry();
    EXPECT_EQ(placed.right(), std::min(main.right() - CSetWnd::kRightInset, screen.right()));
    EXPECT_EQ(placed.top(), main.top() + CSetWnd::kTopOffset);
    EXPECT_TRUE(screen.contains(placed));
    Click(window.get(), "setbtn");
    window->OnMenuItem("setwnd_menu");
    EXPECT_EQ(window->SettingsWindow(), settings);
    EXPECT_EQ(QApplication::topLevelWidgets().count(QPointer<QWidget>(settings).data()), 1);
}

// Without a service the window says so, in its status and in every row, instead of calling the
// products up to date; a service that answers nothing useful is "no update information".
TEST_F(SettingsWindowTest, TheWindowTellsAServiceNotReachedFromOneThatOffersNothing) {
    const struct {
        const char* what;
        std::string endpoint;
        const char* status;
        const char* rowText;
    } cases[] = {
        {"no service", "https://127.0.0.1:1/", "The update service could not be reached.", "Service not reached"},
        {"nothing offered", server.Endpoint(), "No update information was found.", "Up to date"},
    };
    emulator.Attach(emulator::EmulatedKind::Keyboard);
    Start();
    ASSERT_TRUE(WaitVisible(EntryOfKind(kKindKeyboard), true));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        qputenv(update::kEndpointVariable, QByteArray::fromStdString(c.endpoint));
        CSetWnd* settings = OpenAndCheck();
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(Text(settings, "Update_Status_text"), c.status);
        const auto rows = settings->findChildren<QCheckBox*>("check_name_select");
        ASSERT_EQ(rows.size(), 2);
        QWidget* keyboard = Row(settings, "Morvek gaming keyboard");
        ASSERT_NE(keyboard, nullptr);
        EXPECT_EQ(Text(keyboard, "OldRev"), "V0105");
        for (QCheckBox* tick : rows) {
            EXPECT_EQ(Text(tick->parentWidget(), "update_status_text"), c.rowText);
            EXPECT_FALSE(tick->isEnabled());
        }
        EXPECT_FALSE(Visible(settings, "update_fw_and_ap"));
        EXPECT_FALSE(Visible(settings, "update_status_ring"));
        EXPECT_FALSE(Visible(settings, "update_status_image")) << "no mark of a finished check";
        ASSERT_TRUE(settings->RequestClose());
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->SettingsWindow() == nullptr; }, 5000));
    }
}

TEST_F(SettingsWindowTest, OfferedUpdateIsTickedConfirmedDownloadedAndHandedToTheOpener) {
    OfferApplication();
    CSetWnd* settings = OpenAndCheck();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(Text(settings, "Update_Status_text"), "Updates are available.");
    EXPECT_TRUE(Visible(settings, "update_status_image"));
    QWidget* row = Row(settings, "AP");
    ASSERT_NE(row, nullptr);
    auto* tick = row->findChild<QCheckBox*>("check_name_select");
    EXPECT_TRUE(tick->isChecked());
    EXPECT_TRUE(tick->isEnabled());
    EXPECT_EQ(Text(row, "updateRev"), "9.9.9");
    EXPECT_EQ(Text(row, "update_status_text"), "Update available");
    EXPECT_TRUE(Visible(settings, "update_fw_and_ap"));
    QWidget* setbtn = window->findChild<QWidget*>("setbtn");
    EXPECT_TRUE(setbtn->property("updatehint").toBool());

    Click(settings, "update_fw_and_ap");
    auto* pages = settings->findChild<QStackedWidget*>("get_update_tab_layout");
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_TRUE(Text(settings, "update_confirm_list").contains("AP"));
    Click(settings, "update_OK_btn");
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_FALSE(setbtn->property("updatehint").toBool());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !opener.Opened().empty(); }, 20000));
    const auto file = update::UpdateCacheFolder() / "AP.deb";
    EXPECT_EQ(opener.Opened(), std::vector<std::filesystem::path>{file});
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), package);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings->Session().Model().CanClose(); }, 5000));
    EXPECT_EQ(Text(row, "update_status_text"), "Installing");
}

TEST_F(SettingsWindowTest, UntickingEveryRowHidesTheUpdateButton) {
    OfferApplication();
    CSetWnd* settings = OpenAndCheck();
    ASSERT_NE(settings, nullptr);
    auto* tick = Row(settings, "AP")->findChild<QCheckBox*>("check_name_select");
    tick->click();
    EXPECT_FALSE(Visible(settings, "update_fw_and_ap"));
    tick->click();
    EXPECT_TRUE(Visible(settings, "update_fw_and_ap"));
}

TEST_F(SettingsWindowTest, CloseDuringADownloadIsRefused) {
    OfferApplication();
    server.Stall("morvek.deb");
    CSetWnd* settings = OpenAndCheck();
    ASSERT_NE(settings, nullptr);
    Click(settings, "update_fw_and_ap");
    Click(settings, "update_OK_btn");
    QWidget* row = Row(settings, "AP");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Text(row, "update_status_text") == "Downloading"; }, 20000));
    EXPECT_TRUE(Visible(row, "update_status_ing"));
    Click(settings, "closebtn");
    Click(settings, "laterbtn");
    settings->close();
    QApplication::processEvents();
    EXPECT_EQ(window->SettingsWindow(), settings);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(Text(settings, "Update_Status_text"), "Updating, please wait…");
}

TEST_F(SettingsWindowTest, LanguageChoiceChangesEveryWindowAtOnceAndIsKeptForTheNextStart) {
    qputenv(update::kEndpointVariable, "https://127.0.0.1:1/");
    CSetWnd* settings = OpenAndCheck();
    ASSERT_NE(settings, nullptr);
    auto* combo = settings->findChild<QComboBox*>("Language_combox_info");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), "English");
    EXPECT_EQ(Text(settings, "set_title"), "Settings");

    // The user picks "Deutsch" with the keyboard.
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentText(), "Deutsch");
    EXPECT_EQ(CResourceManager::GetInstance().LanguageName(), "de_DE");
    EXPECT_EQ(Text(settings, "set_title"), "Einstellungen");
    EXPECT_EQ(Text(settings, "Update_Status_text"), "Der Aktualisierungsdienst konnte nicht erreicht werden.");
    EXPECT_EQ(Text(window.get(), "No_device_Link"), "Kein Gerät verbunden");
    EXPECT_EQ(Text(List().Entry(EntryOfKind(kKindKeyboard)), "device_select_name"), "Tastatur");
    EXPECT_EQ(settings->findChild<QWidget*>("closebtn")->accessibleName(), "Schließen");
    EXPECT_EQ(QApplication::font().family(), "DejaVu Sans");
    EXPECT_EQ(OpenProgramSettings()->value(kLanguageSetting).toInt(), 1031);

    // The next start comes up in German.
    window.reset();
    CResourceManager::GetInstance().LoadLanguage("lan_en.xml");
    window = std::make_unique<CMainWnd>(emulator, DeviceModels(emulator));
    Start();
    EXPECT_EQ(window->Language().Position(), 2);
    EXPECT_EQ(CResourceManager::GetInstance().LanguageName(), "de_DE");
}

TEST_F(SettingsWindowTest, EveryControlHasAnAccessibleName) {
    OfferApplication();
    CSetWnd* settings = OpenAndCheck();
    ASSERT_NE(settings, nullptr);
    for (QWidget* control : settings->findChildren<QWidget*>()) {
        const bool isControl = qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
                               qobject_cast<QProgressBar*>(control) || qobject_cast<QLabel*>(control);
        if (!isControl || control->objectName().isEmpty()) continue;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    }
}

}  // namespace
}  // namespace morvek::app
