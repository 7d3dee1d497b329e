#pragma once
// DesktopSettingsLauncher: the buttons "windowdeviceset_" 0 and 1 open the desktop's own mouse
// and keyboard settings. Which program does so is looked up once on a worker (the search path
// and $XDG_CURRENT_DESKTOP, platform/DesktopSettings); a button whose page has no program stays
// hidden. Opening starts the program detached on a worker, so the window never waits for it.

#include <QObject>
#include <QString>

#include <array>
#include <optional>

#include "platform/DesktopSettings.h"

class QWidget;

namespace morvek::app {

class DesktopSettingsLauncher final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kButtonPrefix = "windowdeviceset_";

    explicit DesktopSettingsLauncher(QObject* parent = nullptr);

    // Looks the programs up on a worker; Found follows on this object's thread.
    void Find();
    bool Offers(DesktopSettingsPage page) const;
    // Shows the buttons under root whose page has a program and hides the others.
    void ShowButtons(QWidget* root) const;
    // Starts the program of page (0 mouse, 1 keyboard) on a worker; Opened follows.
    void Open(int page);

signals:
    void Found();
    // The program was started (started true) or could not be.
    void Opened(int page, bool started);

private:
    using Commands = std::array<std::optional<DesktopSettingsCommand>, 2>;

    Commands commands_;
};

}  // namespace morvek::app
