// CMainWnd: the settings window, the language it chooses and the update hint of "setbtn".
#include <QStyle>

#include "app/MainWnd.h"
#include "app/ProgramSettings.h"
#include "devicelink/DeviceKinds.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "platform/Paths.h"
#include "update/UpdateFileName.h"
#include "update/UpdateProducts.h"
#include "update/UpdateQuery.h"
#include "update/UpdateSchedule.h"

namespace morvek::app {

std::vector<UpdateIdentity> CMainWnd::CurrentUpdateIdentities() {
    // The firmware of a kind's device while its command channel is open.
    const auto firmwareOf = [this](uint16_t kind) {
        for (size_t i = 0; i < registry_.Count(); ++i) {
            CTalvorenUSBDevice& model = registry_.Model(i);
            if (ListKindOf(model.Kind()) == kind && model.IsCommandChannelOpen())
                return static_cast<int>(model.CommandChannel().Interface().Attributes().versionNumber);
        }
        return 0;
    };
    return update::CurrentIdentities(firmwareOf, MORVEK_VERSION);
}

void CMainWnd::OpenSettingsWindow(bool centred) {
    if (setWnd_) {
        setWnd_->showNormal();
        setWnd_->raise();
        setWnd_->activateWindow();
        return;
    }
    update::UpdateServices services;
    const QString configured = OpenProgramSettings()->value(kUpdateEndpointSetting).toString();
    services.endpoint = update::ResolveEndpoint({}, configured.toStdString());
    services.http = update::HttpOptionsFromEnvironment();
    services.cacheFolder = update::UpdateCacheFolder();
    services.scheduleFile = UserDataFolder() / update::kScheduleFileName;
    services.today = update::TodayText();
    services.opener = updateOpener_;
    auto* window = new CSetWnd(this, std::move(services));
    if (!window->IsBuilt()) {
        delete window;
        return;
    }
    setWnd_ = window;
    window->SetDpi(Dpi());
    window->SetLanguages(language_.Languages(), language_.Position());
    language_.ApplyFontTable(window);
    connect(window, &CSetWnd::LanguageChosen, this, &CMainWnd::ApplyLanguage);
    connect(window, &CSetWnd::UpdatesOffered, this, [this] { SetUpdateHint(true); });
    connect(window, &CSetWnd::UpdatesTaken, this, &CMainWnd::ClearUpdateHint);
    if (centred)
        window->PlaceCentred();
    else
        window->PlaceBeside(*this);
    window->show();
    window->Start(CurrentUpdateIdentities());
}

void CMainWnd::ApplyLanguage(int position) {
    if (language_.Position() == position || !language_.Apply(position)) return;
    for (size_t i = 0; i < registry_.Count(); ++i) {
        CTalvorenUSBDevice& model = registry_.Model(i);
        // Their key lists show translated names.
        if (model.Kind() == kKindKeyboard || model.Kind() == kKindMousePad) model.RefreshPage();
    }
    update();
    if (setWnd_) setWnd_->OnLanguageApplied();
}

void CMainWnd::SetUpdateHint(bool on) {
    QWidget* button = storedControls_["setbtn"];
    if (button == nullptr) return;
    button->setProperty("updatehint", on);
    button->style()->unpolish(button);
    button->style()->polish(button);
}

void CMainWnd::ClearUpdateHint() { SetUpdateHint(false); }

}  // namespace morvek::app
