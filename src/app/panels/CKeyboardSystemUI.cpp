#include "app/panels/CKeyboardSystemUI.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextEdit>

#include "app/NotifyPump.h"
#include "app/ResourceManager.h"
#include "app/panels/PanelRoutes.h"
#include "devicelink/ResultCodes.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"

namespace morvek::app {
namespace {

constexpr const char* kPollingPrefix = "polling_rate_option_";
constexpr const char* kDelayPrefix = "repeat_delay_check_";
constexpr const char* kRepeatSlider = "repeat_rate_slider";
constexpr const char* kDelayLabel = "repeat_delay_time_label1";
constexpr const char* kTestBox = "repeat_input_richedit";
constexpr const char* kNotice = "system_device_notice";

struct FlagOption {
    const char* name;
    KeyboardSystemField field;
    uint16_t KeyboardSystemSettings::*value;
};

constexpr FlagOption kFlags[] = {
    {"winlockflag_option", KeyboardSystemField::WinLock, &KeyboardSystemSettings::winLock},
    {"wflag_option", KeyboardSystemField::WFlag, &KeyboardSystemSettings::wFlag},
    {"6flag_option", KeyboardSystemField::Key6Flag, &KeyboardSystemSettings::key6Flag},
};

QString Text(const char* key) { return CResourceManager::GetInstance().Text(key); }

}  // namespace

CKeyboardSystemUI::CKeyboardSystemUI(QWidget* parent) : CDevicePanelUI(kSkinName, parent) {}

void CKeyboardSystemUI::AddRoutes(PanelRoutes& routes) {
    using P = CKeyboardSystemUI;
    routes.Prefix<P>("selectchanged", kPollingPrefix, "polling_rate", &P::OnPollingChosen);
    routes.Names<P>("selectchanged", {"winlockflag_option", "wflag_option", "6flag_option"}, "keyboard_flag",
                    &P::OnFlagChanged);
    routes.Name<P>("valuechanged", kRepeatSlider, "keyboard_repeat_rate", &P::OnRepeatRateChanged);
    routes.Prefix<P>("selectchanged", kDelayPrefix, "keyboard_repeat_delay", &P::OnRepeatDelayChosen);
    routes.Name<P>("click", "reset_repeat_btn", "keyboard_repeat_reset", &P::OnResetRepeat);
}

void CKeyboardSystemUI::OnSetup() {
    keyboard_ = dynamic_cast<CTalvorenKeyboardDevice*>(Model());
    if (auto* notice = Find<QLabel>(kNotice)) notice->hide();
    OnShowModel();
}

void CKeyboardSystemUI::OnUnbind() { keyboard_ = nullptr; }

void CKeyboardSystemUI::OnShowModel() {
    if (keyboard_ == nullptr) return;
    const KeyboardSystemSettings settings = keyboard_->SystemSettings();
    for (const FlagOption& flag : kFlags) {
        if (auto* option = Find<QAbstractButton>(flag.name)) {
            const QSignalBlocker blocker(option);
            option->setChecked(settings.*flag.value != 0);
        }
    }
    if (auto* slider = Find<QSlider>(kRepeatSlider); slider != nullptr && !slider->isSliderDown()) {
        const QSignalBlocker blocker(slider);
        slider->setValue(settings.repeatRate);
    }
    ShowOptions(kDelayPrefix, kKeyboardSystemOptionCount, ShownSystemOption(settings.repeatDelay));
    ShowDelayLabel(settings.repeatDelay);
    ShowOptions(kPollingPrefix, kKeyboardSystemOptionCount, ShownSystemOption(settings.pollingRate));
    if (auto* box = Find<QTextEdit>(kTestBox)) box->setPlaceholderText(Text("Repeat_input_text"));
}

void CKeyboardSystemUI::ShowOptions(const QString& prefix, int count, int selected) {
    for (int n = 0; n < count; ++n) {
        auto* option = Find<QAbstractButton>(prefix + QString::number(n));
        if (option == nullptr) continue;
        const QSignalBlocker blocker(option);
        option->setChecked(n == selected);
    }
}

void CKeyboardSystemUI::ShowDelayLabel(int repeatDelay) {
    if (auto* label = Find<QLabel>(kDelayLabel))
        label->setText(QString::fromStdString(RepeatDelayLabel(Text("Repeat_Delay_Time").toStdString(), repeatDelay)));
}

void CKeyboardSystemUI::Change(KeyboardSystemField field, int value) {
    if (keyboard_ == nullptr) return;
    const CTalvorenKeyboardDevice::SystemChange change{field, value};
    bool saved = false;
    const bool written = IsWrittenToKeyboard(field);
    QPointer<CKeyboardSystemUI> panel(this);
    keyboard_->ChangeSystemSettings({&change, 1}, saved, [panel, written](int result) {
        if (panel && written) panel->ShowWriteResult(result);
    });
    OnShowModel();
}

void CKeyboardSystemUI::ShowWriteResult(int result) {
    if (auto* notice = Find<QLabel>(kNotice)) {
        const bool failed = result != kResultSuccess;
        notice->setVisible(failed);
        if (failed) notice->setText(Text(result == kResultNoAnswer || result == kResultWriteFailed
                                              ? "device_no_answer_text"
                                              : "device_refused_text"));
    }
    emit WrittenToDevice(result);
}

void CKeyboardSystemUI::OnPollingChosen(const TNotifyUI& msg, int index) {
    if (msg.wParam != 0) Change(KeyboardSystemField::PollingRate, index);
}

void CKeyboardSystemUI::OnFlagChanged(const TNotifyUI& msg, int) {
    for (const FlagOption& flag : kFlags) {
        if (msg.sName == flag.name) Change(flag.field, msg.wParam != 0 ? 1 : 0);
    }
}

void CKeyboardSystemUI::OnRepeatRateChanged(const TNotifyUI& msg, int) {
    Change(KeyboardSystemField::RepeatRate, msg.wParam);
}

void CKeyboardSystemUI::OnRepeatDelayChosen(const TNotifyUI& msg, int index) {
    if (msg.wParam != 0) Change(KeyboardSystemField::RepeatDelay, index);
}

void CKeyboardSystemUI::OnResetRepeat(const TNotifyUI&, int) {
    if (auto* box = Find<QTextEdit>(kTestBox)) box->clear();
}

}  // namespace morvek::app
