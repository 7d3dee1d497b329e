#pragma once
// CKeyboardSystemUI: the keyboard's system tab. The polling rate and the three flags (Windows
// key lock, W flag, 6-key flag) are stored, saved and written to the keyboard at once; the key
// repeat rate and delay are stored and saved only (the keyboard does not keep them). A text box
// lets the user try typing; "reset_repeat_btn" empties it.
//
// Routes: "polling_rate_option_" n (shared with the mouse's DPI panel), the three flag options,
// "repeat_rate_slider", "repeat_delay_check_" n and "reset_repeat_btn".

#include <QString>

#include <utility>
#include <vector>

#include "app/panels/DevicePanelUI.h"
#include "devices/keyboard/KeyboardSystemSettings.h"

namespace morvek {
class CTalvorenKeyboardDevice;
}

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CKeyboardSystemUI final : public CDevicePanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\KeyboardSystem.xml";

    explicit CKeyboardSystemUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

signals:
    // A change the keyboard keeps was written (result 1) or not.
    void WrittenToDevice(int result);

protected:
    void OnSetup() override;
    void OnShowModel() override;
    void OnUnbind() override;

private:
    void OnPollingChosen(const TNotifyUI& msg, int index);
    void OnFlagChanged(const TNotifyUI& msg, int index);
    void OnRepeatRateChanged(const TNotifyUI& msg, int index);
    void OnRepeatDelayChosen(const TNotifyUI& msg, int index);
    void OnResetRepeat(const TNotifyUI& msg, int index);

    void Change(KeyboardSystemField field, int value);
    void ShowOptions(const QString& prefix, int count, int selected);
    void ShowDelayLabel(int repeatDelay);
    void ShowWriteResult(int result);

    CTalvorenKeyboardDevice* keyboard_ = nullptr;
};

}  // namespace morvek::app
