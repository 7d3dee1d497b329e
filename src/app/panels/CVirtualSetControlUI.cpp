#include "app/panels/CVirtualSetControlUI.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSignalBlocker>
#include <QSlider>

#include "app/NotifyPump.h"
#include "app/ResourceManager.h"
#include "app/panels/PanelRoutes.h"

namespace morvek::app {

CVirtualSetControlUI::CVirtualSetControlUI(QWidget* parent) : CHeadsetPanelUI(kSkinName, parent) {}

void CVirtualSetControlUI::AddRoutes(PanelRoutes& routes) {
    using P = CVirtualSetControlUI;
    routes.Name<P>("selectchanged", "virtual_surround_option", "headset_surround", &P::OnSurroundChanged);
    routes.Name<P>("selectchanged", "virtual_room_option", "headset_room_effect", &P::OnRoomChanged);
    routes.Name<P>("itemselect", "virtual_environment_combo", "headset_room_environment", &P::OnEnvironmentChosen);
    routes.Name<P>("valuechanged", "virtual_roomsize_slider", "headset_room_size", &P::OnRoomSizeChanged);
}

void CVirtualSetControlUI::ShowSound(const ISoundSettings& sound) {
    const HeadsetSurround surround = sound.Surround();
    if (auto* option = Find<QAbstractButton>("virtual_surround_option")) {
        const QSignalBlocker quiet(option);
        option->setChecked(surround.surroundOn);
    }
    if (auto* option = Find<QAbstractButton>("virtual_room_option")) {
        const QSignalBlocker quiet(option);
        option->setChecked(surround.roomOn);
    }
    if (auto* room = Find<QWidget>("virtual_room_layout")) room->setEnabled(surround.roomOn);
    if (auto* environments = Find<QComboBox>("virtual_environment_combo")) {
        // The names follow the language: filled anew each time.
        const QSignalBlocker quiet(environments);
        environments->clear();
        for (int n = 0; n < kSurroundEnvironmentCount; ++n)
            environments->addItem(CResourceManager::GetInstance().Text(QString("virtual_environment_%1_text").arg(n)));
        environments->setCurrentIndex(surround.environment);
    }
    if (auto* size = Find<QSlider>("virtual_roomsize_slider")) {
        const QSignalBlocker quiet(size);
        size->setValue(surround.roomSize);
    }
}

void CVirtualSetControlUI::OnSurroundChanged(const TNotifyUI& msg, int) {
    const bool on = msg.wParam != 0;
    Change([on](ISoundSettings& h) { return h.SetSurround(on); });
}

void CVirtualSetControlUI::OnRoomChanged(const TNotifyUI& msg, int) {
    const bool on = msg.wParam != 0;
    Change([on](ISoundSettings& h) { return h.SetRoomEffect(on); });
}

void CVirtualSetControlUI::OnEnvironmentChosen(const TNotifyUI& msg, int) {
    const int environment = msg.wParam;
    Change([environment](ISoundSettings& h) { return h.SetEnvironment(environment); });
}

void CVirtualSetControlUI::OnRoomSizeChanged(const TNotifyUI& msg, int) {
    const int size = msg.wParam;
    Change([size](ISoundSettings& h) { return h.SetRoomSize(size); });
}

}  // namespace morvek::app
