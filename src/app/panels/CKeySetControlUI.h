#pragma once
// CKeySetControlUI: the key assignment panel of the keyboard and mouse pages. A key clicked on
// the picture while the key tab is shown is held by the panel, which shows its function on the
// page of its kind ("function_switch_tablayout"). Every choice in a list, every number edit
// left, every modifier option and every key captured is committed at once: the assignment goes
// into the model's key list and profile document, and the keys of the picture show their new
// labels. "key_butt_prosave" puts the macros and the key table on the device (its queue) and
// saves the profile file. The logic is the core's KeyPanel over a KeyPanelState; the panel
// copies its controls into the state and shows the state.
//
// Key capture: while "keyset_keyboard_text_edit" has the focus, the next key pressed there is
// taken by its native scan code (the window system's keycode, mapped to the PC scan code of the
// capture table) instead of being typed.
//
// Routes: the function list and the page lists, the number edits, the modifier options, the
// keyboard key edit's focus, and the four buttons.

#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "app/panels/DevicePanelUI.h"
#include "devices/IKeyAssignment.h"
#include "devices/KeyTableSave.h"
#include "devices/keys/KeyPanelState.h"

class QKeyEvent;

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CKeySetControlUI final : public CDevicePanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\KeySetControl.xml";

    explicit CKeySetControlUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

    // A key of the picture was clicked: on the key tab the model selects it (the keyboard's
    // built-in keys cannot be) and the panel holds and shows it. False when nothing was selected.
    bool SelectKey(int keyIndex);
    // Key capture on or off (the keyboard key edit's focus, a switch of device or page).
    void SetKeyCapture(bool on);
    bool IsCapturing() const { return capturing_; }

    // What the panel shows (read by tests).
    const KeyPanelState& State() const { return state_; }
    int HeldKey() const { return heldKey_; }

signals:
    // A key table save ended: written to the device, or not (the panel said why).
    void SavedToDevice(bool written);

protected:
    void OnSetup() override;
    void OnShowModel() override;
    void OnUnbind() override;
    void OnFunctionType(int functionType) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Route members.
    void OnFunctionChosen(const TNotifyUI& msg, int index);
    void OnMacroRepeatChosen(const TNotifyUI& msg, int index);
    void OnListChosen(const TNotifyUI& msg, int index);
    void OnEditLeft(const TNotifyUI& msg, int index);
    void OnModifierChosen(const TNotifyUI& msg, int index);
    void OnCaptureFocus(const TNotifyUI& msg, int index);
    void OnCaptureFocusLost(const TNotifyUI& msg, int index);
    void OnApply(const TNotifyUI& msg, int index);
    void OnShowDefault(const TNotifyUI& msg, int index);
    void OnCancel(const TNotifyUI& msg, int index);
    void OnSaveToDevice(const TNotifyUI& msg, int index);
    // A reset of the profile: no key is held, the panel's layout hides.
    void ForgetKey();

    // The key assignment of the page's model; nullptr without a model or for a kind without keys.
    IKeyAssignment* KeyCapability() const;
    // The key list and macro names of the model.
    std::vector<KeyListEntry> Keys() const;
    std::vector<std::string> MacroNames() const;
    // Puts entry into the model's key list (the selected key); false when the model refused it.
    bool StoreInModel(const KeyListEntry& entry);

    void FillLists();
    void FillMacroList(const std::vector<std::string>& names);
    void Hold(const KeyListEntry& entry);
    // The panel's controls into the state, and the state into the controls.
    void ReadControls();
    void ShowState();
    // BuildAssignmentFromPanel, stored in the model, labels refreshed, buttons enabled.
    void Commit();
    void EnableButtons(bool enabled);
    // Labels, tooltips and marks of the picture's keys from the key list.
    void ShowKeyLabels(const std::vector<KeyListEntry>& keys, const std::vector<std::string>& macros);
    // The keyboard's built-in keys are not offered on the key tab.
    void EnableBuiltInKeys(bool enabled);
    void MarkSelectedKey();
    void ShowDeviceNotice(const QString& textKey);
    void OnCapturedKey(const QKeyEvent& event);
    void ShowSaveResult(const KeyTableSaveResult& result);

    KeyPanelState state_;
    int heldKey_ = -1;
    // The entry as the model had it when the panel last took it; a different one in the model
    // (a profile switch, a reset) is held afresh.
    std::optional<KeyListEntry> heldFromModel_;
    std::vector<std::string> macroNames_;
    bool capturing_ = false;
};

}  // namespace morvek::app
