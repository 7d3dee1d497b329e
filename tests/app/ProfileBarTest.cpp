// The profile bar of the device pages, driven through its widgets: the page set-up, the list
// operations with their files, and the switch that puts a profile on the emulated device.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

#include <fstream>
#include <sstream>
#include <utility>

#include "app/MainWndFixture.h"
#include "app/QtPrinters.h"
#include "app/panels/CDeviceProfileUI.h"
#include "cli/Morvekctl.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "profiles/JsonFile.h"
#include "profiles/KeyAssignment.h"
#include "profiles/ProfileTabs.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

class ProfileBarTest : public test::MainWndTest {
protected:
    std::filesystem::path Folder(const char* kindFolder) { return data.Path() / kindFolder; }
    Json::Value ListFile(const char* kindFolder) { return readjsonFile(Folder(kindFolder) / "ProfileList.ini"); }
    std::string FileText(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::filesystem::path Document(const char* kindFolder, int index) {
        return Folder(kindFolder) / (ListFile(kindFolder)["profilelist"][index]["profileUUID"].asString() + ".Json");
    }
    CDeviceProfileUI* Bar(uint16_t kind) { return On<CDeviceProfileUI>(kind, "DeviceProfileItem"); }
    void Click(uint16_t kind, const char* name) {
        auto* button = On<QAbstractButton>(kind, name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    void TypeName(uint16_t kind, const QString& name) {
        auto* edit = On<QLineEdit>(kind, "device_profile_name_edit");
        edit->clear();
        QTest::keyClicks(edit, name);
    }
    // Chooses the next or previous profile with the keyboard, as a user would.
    void ChooseWithKey(uint16_t kind, Qt::Key key) { QTest::keyClick(On<QComboBox>(kind, "device_profile_combo"), key); }
    // The three bytes a key's slot holds in the keyboard's key table.
    std::vector<uint8_t> SlotBytes(int key) {
        auto* keyboard = dynamic_cast<CTalvorenKeyboardDevice*>(ModelOfKind(kKindKeyboard));
        const std::vector<uint8_t> table = EmulatedKeyboard().KeyTable();
        const size_t at = size_t(keyboard->Layout().SlotOf(key)) * 3;
        if (table.size() < at + 3) return {};
        return {table.begin() + long(at), table.begin() + long(at) + 3};
    }
    bool WaitForLayout() {
        auto* keyboard = dynamic_cast<CTalvorenKeyboardDevice*>(ModelOfKind(kKindKeyboard));
        return QTest::qWaitFor([&] { return keyboard->Layout().IsRead(); }, 3000);
    }
    emulator::EmulatedDevice& EmulatedKeyboard() { return *emulator.Find(EmulatedKind::Keyboard); }
    // Waits until the keyboard's device queue has run what was posted before, and its results
    // reached the window (a silent device costs one command's time-outs).
    bool DeviceQueueDone() {
        bool done = false;
        ModelOfKind(kKindKeyboard)->RunOnDevice([] { return 0; }, [&done](int) { done = true; });
        return QTest::qWaitFor([&] { return done; }, 5000);
    }
};

struct SetUpCase {
    uint16_t kind;
    const char* folder;
    std::vector<const char*> shownTabs;
};

TEST_F(ProfileBarTest, EveryPageLoadsItsKindsListShowsItsTabsAndGivesTheModelTheSelectedProfile) {
    Start();
    const SetUpCase cases[] = {
        {kKindKeyboard, "keyboard", {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab"}},
        {kKindMouse, "mouse",
         {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab", "magic_Op_tab"}},
        {kKindMousePad, "MousePad", {"deng_Op_tab"}},
        {kKindHeadset, "HD", {"deng_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}},
    };
    for (const SetUpCase& c : cases) {
        SCOPED_TRACE(c.folder);
        const Json::Value list = ListFile(c.folder);
        ASSERT_EQ(list["profilelist"].size(), 1u);
        auto* combo = On<QComboBox>(c.kind, "device_profile_combo");
        ASSERT_EQ(combo->count(), 1);
        EXPECT_EQ(combo->currentText(), "profile1");
        EXPECT_EQ(On<QLineEdit>(c.kind, "device_profile_name_edit")->text(), "profile1");
        EXPECT_EQ(ModelOfKind(c.kind)->ProfileName(), list["profilelist"][0]["profileUUID"].asString());
        EXPECT_TRUE(std::filesystem::exists(Document(c.folder, 0)));
        for (int tab = 1; tab <= kProfileTabCount; ++tab) {
            const char* name = ProfileTabName(tab);
            const bool shown = std::find_if(c.shownTabs.begin(), c.shownTabs.end(), [&](const char* n) {
                                   return QString(n) == name;
                               }) != c.shownTabs.end();
            auto* button = On<QAbstractButton>(c.kind, name);
            EXPECT_EQ(!button->isHidden(), shown) << name;
            EXPECT_EQ(button->isChecked(), tab == 1) << name;
        }
    }
}

// A damaged list or profile document met when the page sets up its bar is kept aside, and the
// message window says where; nothing the user had is lost.
struct DamagedFileCase {
    const char* what;
    const char* list;      // ProfileList.ini as found
    const char* document;  // the document 2026_01_01_00_00_00_000.Json as found
    const char* keptName;  // the damaged file's name once kept aside
    const char* shown;     // the profile the combo shows afterwards
};

TEST_F(ProfileBarTest, ADamagedListOrDocumentIsKeptAsideAndShownInTheMessageWindow) {
    const DamagedFileCase cases[] = {
        {"list", R"({"profilelist": [{"profilename": "Gam)", R"({"profilename": "Gaming"})",
         "ProfileList.ini.damaged", "profile1"},
         {"document",
          R"({"profilelist": [{"profilename": "Gaming", "profileUUID": "2026_01_01_00_00_00_000"}], "profileselect": 0})",
          R"({"profilename": "Gaming", "profileUUID": "2026_01_01_00_00_00_000", "Dev)",
          "2026_01_01_00_00_00_000.Json.damaged", "Gaming"},
    };
    bool first = true;
    for (const DamagedFileCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (!std::exchange(first, false)) {  // a new window, as at the program's start
            TearDown();
            SetUp();
        }
        std::filesystem::remove_all(Folder("keyboard"));
        std::filesystem::create_directories(Folder("keyboard"));
        std::ofstream(Folder("keyboard") / "ProfileList.ini") << c.list;
        std::ofstream(Folder("keyboard") / "2026_01_01_00_00_00_000.Json") << c.document;
        asked.clear();
        Start();
        const std::filesystem::path kept = Folder("keyboard") / c.keptName;
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_TRUE(asked[0].contains(QString::fromStdString(kept.string()))) << asked[0].toStdString();
        EXPECT_FALSE(asked[0].contains("%s")) << asked[0].toStdString();
        EXPECT_EQ(FileText(kept), std::string(c.what) == "list" ? c.list : c.document);
        EXPECT_TRUE(std::filesystem::exists(Folder("keyboard") / "2026_01_01_00_00_00_000.Json"));
        EXPECT_EQ(On<QComboBox>(kKindKeyboard, "device_profile_combo")->currentText(), c.shown);
    }
}

TEST_F(ProfileBarTest, AddRenameAndDeleteChangeTheListFileAndTheCombo) {
    Start();
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    Click(kKindKeyboard, "profile_fun_spread_btn");
    EXPECT_TRUE(Bar(kKindKeyboard)->IsProfileMenuShown());

    Click(kKindKeyboard, "device_add_btn");
    auto* combo = On<QComboBox>(kKindKeyboard, "device_profile_combo");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), "profile2");
    EXPECT_EQ(combo->currentIndex(), 0);  // the device keeps its profile
    EXPECT_EQ(ListFile("keyboard")["profilelist"].size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(Document("keyboard", 1)));

    TypeName(kKindKeyboard, "Gaming");
    Click(kKindKeyboard, "device_profile_edit_save_btn");
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(combo->itemText(0), "Gaming");
    EXPECT_EQ(ListFile("keyboard")["profilelist"][0]["profilename"].asString(), "Gaming");
    EXPECT_EQ(readjsonFile(Document("keyboard", 0))["profilename"].asString(), "Gaming");

    const std::filesystem::path deleted = Document("keyboard", 0);
    Click(kKindKeyboard, "device_sub_btn");
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->currentText(), "profile2");
    EXPECT_FALSE(std::filesystem::exists(deleted));
    EXPECT_EQ(ListFile("keyboard")["profileselect"].asInt(), 0);
    // The remaining profile is put on the device like a user's choice.
    QSignalSpy applied(Bar(kKindKeyboard), &CDeviceProfileUI::ProfileApplied);
    ASSERT_TRUE(applied.wait(1000));
    EXPECT_EQ(ModelOfKind(kKindKeyboard)->ProfileName(), ListFile("keyboard")["profilelist"][0]["profileUUID"].asString());

    // The last profile stays.
    Click(kKindKeyboard, "device_sub_btn");
    EXPECT_EQ(combo->count(), 1);
}

struct RenameCase {
    const char* name;
    const char* message;
};

TEST_F(ProfileBarTest, RefusedNamesShowTheirMessageAndWriteNothing) {
    Start();
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    Click(kKindKeyboard, "device_add_btn");
    const std::string listBefore = FileText(Folder("keyboard") / "ProfileList.ini");
    const std::string documentBefore = FileText(Document("keyboard", 0));
    const RenameCase cases[] = {
        {"", "message_text_5_1"},
        {"my profile", "message_text_5_2"},
        {"PROFILE2", "message_text_5"},
    };
    for (const RenameCase& c : cases) {
        SCOPED_TRACE(c.name);
        asked.clear();
        TypeName(kKindKeyboard, c.name);
        Click(kKindKeyboard, "device_profile_edit_save_btn");
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], c.message);
        EXPECT_EQ(FileText(Folder("keyboard") / "ProfileList.ini"), listBefore);
        EXPECT_EQ(FileText(Document("keyboard", 0)), documentBefore);
        EXPECT_EQ(On<QComboBox>(kKindKeyboard, "device_profile_combo")->itemText(0), "profile1");
    }
}

TEST_F(ProfileBarTest, ASwitchPutsTheProfilesSettingsAndKeyTableOnTheDeviceAndBackRestoresTheFirst) {
    Start();
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    ASSERT_TRUE(WaitForLayout());
    Click(kKindKeyboard, "device_add_btn");
    // The second profile lights in mode 6 and gives F1 the key A.
    Json::Value second = readjsonFile(Document("keyboard", 1));
    second["Device"][0]["LightInfo"]["SelectItem"] = 6;
    second["Device"][0]["KeyList"][1]["Assignment"] = 0x200004;
    ASSERT_EQ(WriteJsonFile(Document("keyboard", 1), second), 0);

    QSignalSpy applied(Bar(kKindKeyboard), &CDeviceProfileUI::ProfileApplied);
    ChooseWithKey(kKindKeyboard, Qt::Key_Down);
    ASSERT_TRUE(applied.wait(1500));
    // The key table is the sequence's last write: wait for F1's A, not only for the settings.
    const KeyAssignment a = KeyAssignment::Unpack(0x200004);
    const std::vector<uint8_t> f1IsA{a.type, a.p1, a.p2};
    ASSERT_TRUE(QTest::qWaitFor([&] { return EmulatedKeyboard().Params()[1] == 6 && SlotBytes(1) == f1IsA; }, 5000));
    const std::vector<uint8_t> secondKeys = EmulatedKeyboard().KeyTable();
    EXPECT_EQ(ListFile("keyboard")["profileselect"].asInt(), 1);

    ChooseWithKey(kKindKeyboard, Qt::Key_Up);
    ASSERT_TRUE(applied.wait(1500));
    ASSERT_TRUE(QTest::qWaitFor([&] { return EmulatedKeyboard().Params()[1] == 1 && SlotBytes(1) != f1IsA; }, 5000));
    EXPECT_NE(EmulatedKeyboard().KeyTable(), secondKeys);
    ChooseWithKey(kKindKeyboard, Qt::Key_Down);
    ASSERT_TRUE(applied.wait(1500));
    ASSERT_TRUE(QTest::qWaitFor([&] { return EmulatedKeyboard().KeyTable() == secondKeys; }, 2000));
}

// The message window tells a switch whose device stopped answering, once; a switch the device
// takes says nothing.
TEST_F(ProfileBarTest, ASwitchToADeviceThatDoesNotAnswerSaysSo) {
    struct Case {
        const char* what;
        bool silent;
        Qt::Key key;
        std::vector<QString> told;
    };
    const Case cases[] = {
        {"answers", false, Qt::Key_Down, {}},
        {"silent", true, Qt::Key_Up, {"device_no_answer_text"}},
    };
    Start();
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    Click(kKindKeyboard, "device_add_btn");
    QSignalSpy applied(Bar(kKindKeyboard), &CDeviceProfileUI::ProfileApplied);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        emulator::FaultPlan faults;
        faults.silent = c.silent;
        EmulatedKeyboard().SetFaults(faults);
        asked.clear();
        ChooseWithKey(kKindKeyboard, c.key);
        ASSERT_TRUE(applied.wait(1500));
        ASSERT_TRUE(DeviceQueueDone());
        EXPECT_EQ(asked, c.told);
    }
}

TEST_F(ProfileBarTest, QuickChoicesSwitchOnceToTheLast) {
    Start();
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    Click(kKindKeyboard, "device_add_btn");
    Click(kKindKeyboard, "device_add_btn");
    QSignalSpy applied(Bar(kKindKeyboard), &CDeviceProfileUI::ProfileApplied);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) ChooseWithKey(kKindKeyboard, key);
    ASSERT_TRUE(applied.wait(1000));
    QTest::qWait(CDeviceProfileUI::kSwitchDelayMs + 100);
    ASSERT_EQ(applied.size(), 1);
    EXPECT_EQ(applied[0][0].toInt(), 1);
    EXPECT_EQ(ModelOfKind(kKindKeyboard)->ProfileName(), ListFile("keyboard")["profilelist"][1]["profileUUID"].asString());
}

TEST_F(ProfileBarTest, ExportThenImportAddsTheProfileUnderAFreeName) {
    Start();
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::MousePad, kKindMousePad));
    test::TempFolder exchange;
    fileToSave = QString::fromStdString((exchange / "pad.json").string());
    Click(kKindMousePad, "device_export_btn");
    ASSERT_EQ(FileText(exchange / "pad.json"), FileText(Document("MousePad", 0)));

    fileToOpen = fileToSave;
    Click(kKindMousePad, "device_import_btn");
    auto* combo = On<QComboBox>(kKindMousePad, "device_profile_combo");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), "profile1(1)");

    // A file that is not a profile is ignored without a message; so is a cancelled chooser.
    std::ofstream(exchange / "other.json") << "{\"something\": 1}";
    fileToOpen = QString::fromStdString((exchange / "other.json").string());
    Click(kKindMousePad, "device_import_btn");
    fileToOpen.clear();
    Click(kKindMousePad, "device_import_btn");
    EXPECT_EQ(combo->count(), 2);
    EXPECT_TRUE(asked.empty());
}

TEST_F(ProfileBarTest, ResetAsksThenRestoresTheTemplateAndWritesIt) {
    Start();
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    Json::Value changed = readjsonFile(Document("keyboard", 0));
    changed["Device"][0]["LightInfo"]["SelectItem"] = 6;
    ASSERT_EQ(WriteJsonFile(Document("keyboard", 0), changed), 0);

    answer = 0;
    Click(kKindKeyboard, "device_reset_btn");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "message_text_22");
    EXPECT_EQ(readjsonFile(Document("keyboard", 0))["Device"][0]["LightInfo"]["SelectItem"].asInt(), 6);

    answer = 1;
    QSignalSpy applied(Bar(kKindKeyboard), &CDeviceProfileUI::ProfileApplied);
    Click(kKindKeyboard, "device_reset_btn");
    ASSERT_EQ(applied.size(), 1);
    const Json::Value reset = readjsonFile(Document("keyboard", 0));
    EXPECT_EQ(reset["Device"][0]["LightInfo"]["SelectItem"].asInt(), 1);
    EXPECT_EQ(reset["profilename"].asString(), "profile1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return EmulatedKeyboard().Params()[1] == 1; }, 2000));
}

TEST_F(ProfileBarTest, AMacroDownloadTheDeviceRefusesIsReportedAfterTheSwitch) {
    Start();
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    ASSERT_TRUE(WaitForLayout());
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunMorvekctl({"--data-dir", data.Path().string(), "macro", "add", "--kind", "keyboard"}, out, err), 0)
        << err.str();
    Click(kKindKeyboard, "device_add_btn");
    emulator::FaultPlan refusing;
    refusing.forcedStatus = 0xFF;
    EmulatedKeyboard().SetFaults(refusing);
    ChooseWithKey(kKindKeyboard, Qt::Key_Down);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.empty(); }, 3000));
    EXPECT_EQ(asked[0], "message_text_7");
}

}  // namespace
}  // namespace morvek::app
