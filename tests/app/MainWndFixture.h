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
#include "app/SkinFixture.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "emulator/EmulatorBackend.h"

namespace morvek::test {

class MainWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseShippedSkin();
        app::RegisterCustomControls(app::CControlFactory::GetInstance());
        window = std::make_unique<app::CMainWnd>(emulator, app::DeviceModels(emulator));
        ASSERT_TRUE(window->IsBuilt()) << window->BuildError().toStdString();
        window->SetMessageBoxFunction([this](const QString& text, bool, int) {
            asked.push_back(text);
            return answer;
        });
    }
    void TearDown() override {
        window.reset();
        app::CResourceManager::GetInstance().Release();
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
    app::TNotifyUI Msg(const QString& type, const QString& name, int param = 0) {
        app::TNotifyUI msg;
        msg.sType = type;
        msg.sName = name;
        msg.pSender = window->findChild<QWidget*>(name);
        msg.wParam = param;
        return msg;
    }

    emulator::EmulatorBackend emulator;
    std::unique_ptr<app::CMainWnd> window;
    std::vector<QString> asked;
    int answer = 1;
};

}  // namespace morvek::test
