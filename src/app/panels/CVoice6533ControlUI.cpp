#include "app/panels/CVoice6533ControlUI.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "app/NotifyPump.h"
#include "app/panels/PanelHost.h"
#include "app/panels/PanelRoutes.h"

namespace morvek::app {
namespace {

constexpr int kOptionCount = 13;
constexpr const char* kNameCombo = "custom_eq_name_combo";
constexpr const char* kNameEdit = "custom_eq_name_edit";

// What the program shows never comes back as a notification.
void ShowChecked(QAbstractButton* button, bool checked) {
    if (button == nullptr) return;
    const QSignalBlocker quiet(button);
    button->setChecked(checked);
}

void ShowValue(QAbstractSlider* slider, int value) {
    if (slider == nullptr) return;
    const QSignalBlocker quiet(slider);
    slider->setValue(value);
}

}  // namespace

CVoice6533ControlUI::CVoice6533ControlUI(QWidget* parent) : CHeadsetPanelUI(kSkinName, parent) {
    // The options stand in columns: one group keeps a single one chosen.
    auto* options = new QButtonGroup(this);
    for (int n = 1; n <= kOptionCount; ++n) {
        if (auto* option = Find<QAbstractButton>(QString("6533_eq_option_%1").arg(n))) options->addButton(option);
    }
}

void CVoice6533ControlUI::AddRoutes(PanelRoutes& routes) {
    using P = CVoice6533ControlUI;
    routes.Prefix<P>("selectchanged", "6533_eq_option_", "headset_equaliser_option", &P::OnEqOption);
    routes.Prefix<P>("valuechanged", "6533_eq_hz_slider_", "headset_band", &P::OnBandMoved);
    routes.Name<P>("itemselect", kNameCombo, "headset_user_equaliser", &P::OnUserEqChosen);
    routes.Name<P>("click", "hs_EQ_btn_save", "headset_user_equaliser_save", &P::OnSaveClicked);
    routes.Name<P>("click", "hs_EQ_btn_delete", "headset_user_equaliser_delete", &P::OnDeleteClicked);
    routes.Name<P>("selectchanged", "6533_MicIn_option", "headset_microphone", &P::OnMicrophoneSwitch);
    routes.Name<P>("valuechanged", "6533_MicIn_slider", "headset_microphone_level", &P::OnMicrophoneLevel);
    routes.Name<P>("selectchanged", "6533_MicMoniter_option", "headset_monitor", &P::OnMonitorSwitch);
    routes.Name<P>("valuechanged", "6533_MicMoniter_slider", "headset_monitor_level", &P::OnMonitorLevel);
}

void CVoice6533ControlUI::ShowSound(const ISoundSettings& sound) {
    const HeadsetPanel panel = sound.Panel();
    for (int n = 1; n <= kOptionCount; ++n)
        ShowChecked(Find<QAbstractButton>(QString("6533_eq_option_%1").arg(n)), n == panel.eqOption);
    for (size_t band = 0; band < panel.sliders.size(); ++band)
        ShowValue(Find<QSlider>(QString("6533_eq_hz_slider_%1").arg(band)), panel.sliders[band]);
    if (auto* area = Find<QWidget>("custom_eq_option_layout")) area->setEnabled(panel.customAreaEnabled);
    if (auto* names = Find<QComboBox>(kNameCombo)) {
        const QSignalBlocker quiet(names);
        names->clear();
        for (const std::string& name : sound.UserEqNames()) names->addItem(QString::fromStdString(name));
        names->setCurrentIndex(panel.customSelection);
    }
    ShowChecked(Find<QAbstractButton>("6533_MicIn_option"), panel.microphoneOn);
    ShowValue(Find<QSlider>("6533_MicIn_slider"), panel.microphoneLevel);
    ShowChecked(Find<QAbstractButton>("6533_MicMoniter_option"), panel.monitorOn);
    ShowValue(Find<QSlider>("6533_MicMoniter_slider"), panel.monitorLevel);
}

void CVoice6533ControlUI::OnEqOption(const TNotifyUI& msg, int index) {
    if (msg.wParam == 0 || index < 1 || index > kOptionCount) return;  // the option that was left
    if (index == kOptionCount)
        Change([](ISoundSettings& h) { return h.SelectUserEqOption(); });
    else
        Change([index](ISoundSettings& h) { return h.SelectEqPreset(index); });
}

void CVoice6533ControlUI::OnBandMoved(const TNotifyUI& msg, int index) {
    const int value = msg.wParam;
    Change([index, value](ISoundSettings& h) { return h.MoveBandSlider(index, value); });
}

void CVoice6533ControlUI::OnUserEqChosen(const TNotifyUI& msg, int) {
    const int chosen = msg.wParam;
    if (chosen < 0) return;
    Change([chosen](ISoundSettings& h) { return h.ChooseUserEq(chosen); });
}

void CVoice6533ControlUI::OnSaveClicked(const TNotifyUI&, int) {
    const auto* edit = Find<QLineEdit>(kNameEdit);
    const std::string name = edit ? edit->text().trimmed().toStdString() : std::string();
    ChangeWith<EqSaveResult>([name](ISoundSettings& h) { return h.SaveUserEq(name); },
                             [this](EqSaveResult result) {
                                 if (result == EqSaveResult::NameTaken && Host() != nullptr)
                                     Host()->Ask("message_text_5", true, 0);
                             });
}

void CVoice6533ControlUI::OnDeleteClicked(const TNotifyUI&, int) {
    Change([](ISoundSettings& h) { return h.DeleteUserEq(); });
}

void CVoice6533ControlUI::OnMicrophoneSwitch(const TNotifyUI&, int) {
    Change([](ISoundSettings& h) { return h.ToggleMicrophone(); });
}

void CVoice6533ControlUI::OnMicrophoneLevel(const TNotifyUI& msg, int) {
    const int level = msg.wParam;
    Change([level](ISoundSettings& h) { return h.SetMicrophoneLevel(level); });
}

void CVoice6533ControlUI::OnMonitorSwitch(const TNotifyUI&, int) {
    Change([](ISoundSettings& h) { return h.ToggleMonitor(); });
}

void CVoice6533ControlUI::OnMonitorLevel(const TNotifyUI& msg, int) {
    const int level = msg.wParam;
    Change([level](ISoundSettings& h) { return h.SetMonitorLevel(level); });
}

}  // namespace morvek::app
