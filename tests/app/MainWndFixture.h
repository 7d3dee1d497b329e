#pragma once
// A main window on the shipped skin with emulated devices, as the program builds it, and the
// helpers to wait for the monitor's work.

#include <gtest/gtest.h>

#include <QTest>

#include <memory>

#include "app/ControlFactory.h"
#include "app/DeviceModels.h"
#include "app/DeviceOptionUI.h"
#include "app/MainWnd.h"
#include "app/ProgramSettings.h"
#include "app/SkinFixture.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "app/DevicePageUI.h"
#include "emulator/EmulatorBackend.h"
#include "support/TempFolder.h"

namespace morvek::test {

class MainWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Each test starts with no profiles of its own.
        qputenv("MORVEK_DATA_DIR", QByteArray::fromStdString(data.Path().string()));
        UseShippedSkin();
        app::RegisterCustomControls(app::CControlFactory::GetInstance());
        window = std::make_unique<app::CMainWnd>(emulator, app::DeviceModels(emulator));
        ASSERT_TRUE(window->IsBuilt()) << window->BuildError().toStdString();
        window->SetMessageBoxFunction([this](const QString& text, bool, int) {
            asked.push_back(text);
            return answer;
        });
        window->SetFileChooserFunction([this](bool open, const QString&) { return open ? fileToOpen : fileToSave; });
    }
    void TearDown() override {
        window.reset();
        app::CResourceManager::GetInstance().Release();
        // The settings file is the program's for the whole run: a language chosen here must
        // not greet the next test.
        app::OpenProgramSettings()->remove(app::kLanguageSetting);
    }

    // Shows the window: the window-initialised steps build the pages and start the monitor.
    void Start() {
        window->show();
        ASSERT_TRUE(window->IsInitialised());
    }
    app::CDeviceList& List() { return window->DeviceList(); }
    // The entry of the model whose kind is kind (1 keyboard, 2 mouse, 3 pad, 7 headset).
    int EntryOfKind(uint16_t kind) {
        for (int i = 0; i < List().Count(); ++i) {
            if (List().Entry(i)->Model()->Kind() == kind) return i;
        }
        return -1;
    }
    bool WaitVisible(int entry, bool visible) {
        return QTest::qWaitFor([&] { return List().IsEntryVisible(entry) == visible; }, 3000);
    }
    QWidget* Control(const char* name) { return window->findChild<QWidget*>(name); }
    // The model and page of the first entry of a kind.
    CTalvorenUSBDevice* ModelOfKind(uint16_t kind) { return List().Entry(EntryOfKind(kind))->Model(); }
    app::CDevicePageUI* PageOfKind(uint16_t kind) { return window->PageOf(ModelOfKind(kind)); }
    // A control of that type and name on the page of a kind.
    template <class Control>
    Control* On(uint16_t kind, const char* name) {
        app::CDevicePageUI* page = PageOfKind(kind);
        return page ? page->findChild<Control*>(name) : nullptr;
    }
    // Attaches an emulated device and waits until its entry is shown and selected.
    bool AttachAndSelect(emulator::EmulatedKind emulated, uint16_t kind) {
        emulator.Attach(emulated);
        const int entry = EntryOfKind(kind);
        if (!WaitVisible(entry, true)) return false;
        List().Entry(entry)->SelectButton()->click();
        return window->CurrentDevice() == ModelOfKind(kind);
    }
    app::TNotifyUI Msg(const QString& type, const QString& name, int param = 0) {
        app::TNotifyUI msg;
        msg.sType = type;
        msg.sName = name;
        msg.pSender = window->findChild<QWidget*>(name);
        msg.wParam = param;
        return msg;
    }

    test::TempFolder data;
    emulator::EmulatorBackend emulator;
    std::unique_ptr<app::CMainWnd> window;
    std::vector<QString> asked;
    int answer = 1;
    QString fileToOpen;
    QString fileToSave;
};

}  // namespace morvek::test
