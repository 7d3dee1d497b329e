#pragma once
// The main window on the shipped skin under the program's own X server, looking as the
// program shows it (the skin's style sheet), with real input through XTEST.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTest>

#include "app/MainWndFixture.h"
#include "support/XTestInput.h"
#include "support/XvfbMain.h"

namespace morvek::test {

class X11WindowTest : public MainWndTest {
protected:
    X11WindowTest() : input(XvfbDisplay()) {}

    void SetUp() override {
        MainWndTest::SetUp();
        QFile style(app::CResourceManager::GetInstance().FilePath("style.qss"));
        if (style.open(QIODevice::ReadOnly)) qApp->setStyleSheet(QString::fromUtf8(style.readAll()));
    }
    void TearDown() override {
        qApp->setStyleSheet({});
        MainWndTest::TearDown();
    }

    // Shows the window and selects the page of an emulated device.
    bool ShowPageOf(emulator::EmulatedKind emulated, uint16_t kind) {
        Start();
        return QTest::qWaitForWindowExposed(window.get()) && AttachAndSelect(emulated, kind);
    }
    // A real click of a button (1 left, 8 back, ...) at a point of the screen.
    void ClickAt(QPoint global, uint8_t button = 1) {
        input.MovePointer(global.x(), global.y());
        input.Button(button, true);
        input.Button(button, false);
    }
    void ClickOn(QWidget* control) { ClickAt(control->mapToGlobal(control->rect().center())); }
    // With $MORVEK_SCREENSHOT_DIR set, the window is saved there as name (the documentation's
    // pictures: MORVEK_SCREENSHOT_DIR=docs/screenshots ./build/bin/morvek_app_x11_tests).
    void SaveScreenshot(const char* name) {
        const QByteArray folder = qgetenv("MORVEK_SCREENSHOT_DIR");
        if (!folder.isEmpty()) window->grab().save(QString::fromUtf8(folder) + "/" + name);
    }

    XTestInput input;
};

}  // namespace morvek::test
