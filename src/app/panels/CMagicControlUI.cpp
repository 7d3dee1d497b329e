#include "app/panels/CMagicControlUI.h"

#include <QAbstractButton>
#include <QSignalBlocker>

#include "app/NotifyPump.h"
#include "app/panels/PanelRoutes.h"

namespace morvek::app {

CMagicControlUI::CMagicControlUI(QWidget* parent) : CHeadsetPanelUI(kSkinName, parent) {}

void CMagicControlUI::AddRoutes(PanelRoutes& routes) {
    using P = CMagicControlUI;
    routes.Name<P>("selectchanged", "magic_enable_option", "headset_voice_changer", &P::OnEnableChanged);
    routes.Prefix<P>("selectchanged", "magic_option_", "headset_voice", &P::OnVoiceChosen);
}

void CMagicControlUI::ShowSound(const ISoundSettings& sound) {
    const HeadsetPanel panel = sound.Panel();
    // Without the library nothing tells whether the headset has one: the profile's values show.
    const bool exists = !sound.AudioActive() || sound.HasVoiceChanger();
    if (auto* magic = Find<QWidget>("magic_control")) magic->setEnabled(exists);
    if (auto* enable = Find<QAbstractButton>("magic_enable_option")) {
        const QSignalBlocker quiet(enable);
        enable->setChecked(panel.voiceChangerOn);
    }
    for (int voice = 1; voice <= HeadsetSoundSettings::kVoiceCount; ++voice) {
        if (auto* option = Find<QAbstractButton>(QString("magic_option_%1").arg(voice))) {
            const QSignalBlocker quiet(option);
            option->setChecked(voice == panel.voice);
        }
    }
    if (auto* voices = Find<QWidget>("magic_option_layout")) voices->setEnabled(panel.voiceChangerOn);
}

void CMagicControlUI::OnEnableChanged(const TNotifyUI& msg, int) {
    const bool on = msg.wParam != 0;
    Change([on](ISoundSettings& h) { return h.SetVoiceChanger(on); });
}

void CMagicControlUI::OnVoiceChosen(const TNotifyUI& msg, int index) {
    if (msg.wParam == 0) return;  // the voice that was left
    Change([index](ISoundSettings& h) { return h.SelectVoice(index); });
}

}  // namespace morvek::app
