#pragma once
// morvek --screenshot=DIR: once the devices have arrived, every shown device page is selected in
// turn and the window saved as DIR/<kind name>.png ("keyboard.png", "mouse.png", ...; the
// wireless mouse's page as "wireless-mouse.png"), then each further function tab the page shows
// as DIR/<kind name>-<tab>.png ("keyboard-keys.png", "mouse-dpi.png", ...; on the key tab with the
// first key of the picture chosen), then the first page again with its profile menu folded out
// ("<kind name>-profile-menu.png"); then the settings window is opened, saved as "settings.png"
// once its update check is over and, when it offers updates, its confirmation page as
// "settings-confirm.png"; then the program quits. Used for the documentation's pictures.

#include <QString>

namespace morvek::app {

class CMainWnd;

void SaveScreenshotsWhenReady(CMainWnd& window, const QString& folder);

}  // namespace morvek::app
