#include "app/panels/CKeySetControlUI.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QStackedWidget>

#include <span>

#include "app/DevicePageUI.h"
#include "app/NotifyPump.h"
#include "app/ResourceManager.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/panels/CDeviceProfileUI.h"
#include "app/panels/PanelHost.h"
#include "app/panels/PanelRoutes.h"
#include "devices/Capabilities.h"
#include "devices/KeyTableSave.h"
#include "devices/keys/KeyFunctionTables.h"
#include "devices/keys/KeyIndex.h"
#include "devices/keys/KeyLabels.h"
#include "devices/keys/KeyPanel.h"
#include "macros/MacroDownload.h"
#include "platform/hook/NativeInputCodes.h"

namespace morvek::app {
namespace {

// The function type of the profile bar's key tab.
constexpr int kKeyFunctionType = 2;
constexpr int kGunPatterns = 4;

constexpr const char* kLayout = "keyset_layout";
constexpr const char* kHint = "keyset_hint";
constexpr const char* kFunctionCombo = "keyset_function_combo";
constexpr const char* kPages = "function_switch_tablayout";
constexpr const char* kKeyEdit = "keyset_keyboard_text_edit";
constexpr const char* kKeyName = "keyset_key_name";
constexpr const char* kNotice = "keyset_device_notice";
constexpr const char* kMacroCycleLayout = "keyset_macro_cycle_layout";
constexpr const char* kModifierPrefix = "key_ComBox_check_";
constexpr const char* kButtons[] = {"key_butt_keysave", "key_butt_keycancel", "key_butt_prosave"};

// The page lists and what each offers; the list's items are the table's rows in order.
struct TableList {
    const char* combo;
    std::span<const KeyAssignment> rows;
    int KeyPanelState::*item;
};

const TableList kTableLists[] = {
    {"keyset_mousekey_combo", MouseKeyTable(), &KeyPanelState::mouseKeyItem},
    {"keyset_mousedpi_combo", DpiKeyTable(), &KeyPanelState::dpiItem},
    {"keyset_media_combo", MediaKeyTable(), &KeyPanelState::mediaItem},
    {"keyset_system_combo", SystemKeyTable(), &KeyPanelState::systemItem},
    {"keyset_combokey_combo", ComboKeyTable(), &KeyPanelState::comboItem},
};

// The other lists of the pages, with the state item they show.
struct ItemList {
    const char* combo;
    int KeyPanelState::*item;
};

const ItemList kItemLists[] = {
    {"keyset_mouseswing_combo", &KeyPanelState::swingDirectionItem},
    {"keyset_mousewheel_combo", &KeyPanelState::wheelDirectionItem},
    {"keyset_macro_combo", &KeyPanelState::macroItem},
    {"keyset_macro_over_combo", &KeyPanelState::macroRepeatItem},
    {"keyset_gunkey_combo", &KeyPanelState::gunItem},
};

struct NumberEdit {
    const char* edit;
    std::string KeyPanelState::*text;
};

const NumberEdit kNumberEdits[] = {
    {"keyset_mouseswing_num_edit", &KeyPanelState::swingCount},
    {"keyset_mouseswing_delay_edit", &KeyPanelState::swingDelay},
    {"keyset_mouseswing_speed_edit", &KeyPanelState::swingSpeed},
    {"keyset_mousewheel_num_edit", &KeyPanelState::wheelCount},
    {"keyset_mousewheel_delay_edit", &KeyPanelState::wheelDelay},
    {"keyset_mousewheel_speed_edit", &KeyPanelState::wheelSpeed},
    {"keyset_mousefire_interval_edit", &KeyPanelState::fireInterval},
    {"keyset_mousefire_num_edit", &KeyPanelState::fireCount},
    {"keyset_macro_cycle_edit", &KeyPanelState::macroCycleCount},
};

constexpr const char* kPageTexts[] = {
    "keyset_page_default_text", "keyset_page_mouse_text", "keyset_page_swing_text", "keyset_page_wheel_text",
    "keyset_page_dpi_text",     "keyset_page_fire_text",  "keyset_page_key_text",   "keyset_page_media_text",
    "keyset_page_system_text",  "keyset_page_macro_text", "keyset_page_gun_text",   "keyset_page_combo_text",
};

constexpr const char* kRepeatTexts[] = {"keyset_macro_repeat_0_text", "keyset_macro_repeat_1_text",
                                        "keyset_macro_repeat_2_text", "keyset_macro_repeat_3_text",
                                        "keyset_macro_repeat_count_text"};

QString Translated(std::string_view key) {
    return CResourceManager::GetInstance().Text(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
}

std::string TranslatedText(std::string_view key) { return Translated(key).toStdString(); }

QString LabelText(const KeyLabel& label) { return QString::fromStdString(label.Text(TranslatedText)); }

void Fill(QComboBox* combo, const QStringList& items) {
    if (combo == nullptr) return;
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
}

void SelectItem(QComboBox* combo, int item) {
    if (combo == nullptr) return;
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(item >= 0 && item < combo->count() ? item : -1);
}

}  // namespace

CKeySetControlUI::CKeySetControlUI(QWidget* parent) : CDevicePanelUI(kSkinName, parent) {
    if (auto* edit = Find<QLineEdit>(kKeyEdit)) edit->installEventFilter(this);
}

void CKeySetControlUI::AddRoutes(PanelRoutes& routes) {
    using P = CKeySetControlUI;
    routes.Name<P>("itemselect", kFunctionCombo, "key_function", &P::OnFunctionChosen);
    routes.Name<P>("itemselect", "keyset_macro_over_combo", "key_macro_repeat", &P::OnMacroRepeatChosen);
    routes.Names<P>("itemselect",
                    {"keyset_mousekey_combo", "keyset_mouseswing_combo", "keyset_mousewheel_combo",
                     "keyset_mousedpi_combo", "keyset_media_combo", "keyset_system_combo", "keyset_macro_combo",
                     "keyset_gunkey_combo", "keyset_combokey_combo"},
                    "key_assignment", &P::OnListChosen);
    routes.Names<P>("killfocus",
                    {"keyset_mouseswing_num_edit", "keyset_mouseswing_delay_edit", "keyset_mouseswing_speed_edit",
                     "keyset_mousewheel_num_edit", "keyset_mousewheel_delay_edit", "keyset_mousewheel_speed_edit",
                     "keyset_mousefire_interval_edit", "keyset_mousefire_num_edit", "keyset_macro_cycle_edit"},
                    "key_assignment", &P::OnEditLeft);
    routes.Prefix<P>("selectchanged", kModifierPrefix, "key_modifier", &P::OnModifierChosen);
    routes.Name<P>("setfocus", kKeyEdit, "key_capture", &P::OnCaptureFocus);
    routes.Name<P>("killfocus", kKeyEdit, "key_capture_end", &P::OnCaptureFocusLost);
    routes.Name<P>("click", "key_butt_keysave", "key_assignment_apply", &P::OnApply);
    routes.Name<P>("click", "key_butt_keydefalut", "key_assignment_default", &P::OnShowDefault);
    routes.Name<P>("click", "key_butt_keycancel", "key_assignment_cancel", &P::OnCancel);
    routes.Name<P>("click", "key_butt_prosave", "key_assignment_save", &P::OnSaveToDevice);
}

// ---- The model's side ------------------------------------------------------------------------

IKeyAssignment* CKeySetControlUI::KeyCapability() const {
    return Model() != nullptr ? CapabilityOf<IKeyAssignment>(*Model()) : nullptr;
}

std::vector<KeyListEntry> CKeySetControlUI::Keys() const {
    if (IKeyAssignment* keys = KeyCapability()) return keys->KeyList();
    return {};
}

std::vector<std::string> CKeySetControlUI::MacroNames() const {
    if (IKeyAssignment* keys = KeyCapability()) return keys->MacroNames();
    return {};
}

bool CKeySetControlUI::StoreInModel(const KeyListEntry& entry) {
    IKeyAssignment* keys = KeyCapability();
    return keys != nullptr && keys->StoreKeyAssignment(entry) == KeyAssignmentStatus::kDone;
}

// ---- Set-up and showing ----------------------------------------------------------------------

void CKeySetControlUI::OnSetup() {
    state_ = KeyPanelState{};
    IKeyAssignment* keys = KeyCapability();
    state_.device = keys != nullptr ? keys->KeyPanelKind() : KeyPanelDevice::Keyboard;
    heldKey_ = -1;
    heldFromModel_.reset();
    macroNames_.clear();
    FillLists();
    EnableButtons(false);
    if (auto* notice = Find<QLabel>(kNotice)) notice->hide();
    if (CDevicePageUI* page = Page()) {
        if (auto* bar = page->FindPanel<CDeviceProfileUI>())
            connect(bar, &CDeviceProfileUI::ProfileReset, this, &CKeySetControlUI::ForgetKey, Qt::UniqueConnection);
    }
    OnShowModel();
}

void CKeySetControlUI::ForgetKey() {
    SetKeyCapture(false);
    heldKey_ = -1;
    heldFromModel_.reset();
    state_.layoutVisible = false;
    ShowState();
    EnableButtons(false);
    MarkSelectedKey();
}

void CKeySetControlUI::OnUnbind() {
    SetKeyCapture(false);
    heldKey_ = -1;
    heldFromModel_.reset();
}

void CKeySetControlUI::FillLists() {
    if (auto* combo = Find<QComboBox>(kFunctionCombo)) {
        const QSignalBlocker blocker(combo);
        combo->clear();
        // Each item carries its page; the keyboard has no DPI and gun key pages.
        for (int page = kPageDefault; page <= kPageCombo; ++page) {
            if (PanelOffersPage(state_.device, page)) combo->addItem(Translated(kPageTexts[page]), QString::number(page));
        }
        combo->setCurrentIndex(-1);
    }
    for (const TableList& list : kTableLists) {
        QStringList items;
        for (const KeyAssignment& row : list.rows) items << LabelText(KeyLabelFor(row, {}));
        Fill(Find<QComboBox>(list.combo), items);
    }
    Fill(Find<QComboBox>("keyset_mouseswing_combo"),
         {Translated("mouse_key_left_Swing"), Translated("mouse_key_right_Swing")});
    Fill(Find<QComboBox>("keyset_mousewheel_combo"), {Translated("mouse_key_up_Swing"), Translated("mouse_key_down_Swing")});
    QStringList repeats;
    for (const char* key : kRepeatTexts) repeats << Translated(key);
    Fill(Find<QComboBox>("keyset_macro_over_combo"), repeats);
    QStringList guns;
    for (int gun = 0; gun < kGunPatterns; ++gun) guns << Translated("keyset_gun_item_text").arg(gun + 1);
    Fill(Find<QComboBox>("keyset_gunkey_combo"), guns);
}

void CKeySetControlUI::FillMacroList(const std::vector<std::string>& names) {
    auto* combo = Find<QComboBox>("keyset_macro_combo");
    if (names == macroNames_ && (combo == nullptr || combo->count() == static_cast<int>(names.size()))) return;
    macroNames_ = names;
    QStringList items;
    for (const std::string& name : names) items << QString::fromStdString(name);
    Fill(combo, items);
    state_.macroCount = static_cast<int>(names.size());
}

void CKeySetControlUI::OnShowModel() {
    const std::vector<KeyListEntry> keys = Keys();
    FillMacroList(MacroNames());
    ShowKeyLabels(keys, macroNames_);
    if (heldKey_ < 0 || static_cast<size_t>(heldKey_) >= keys.size()) return;
    // Another profile (a switch) gives the held key another entry: it is shown afresh.
    if (heldFromModel_ != keys[static_cast<size_t>(heldKey_)]) Hold(keys[static_cast<size_t>(heldKey_)]);
}

void CKeySetControlUI::OnFunctionType(int functionType) {
    const bool keyTab = functionType == kKeyFunctionType;
    EnableBuiltInKeys(!keyTab);
    if (!keyTab) SetKeyCapture(false);
    MarkSelectedKey();
}

bool CKeySetControlUI::SelectKey(int keyIndex) {
    if (Model() == nullptr || Model()->GetFunctionType() != kKeyFunctionType) return false;
    Model()->SelectKey(keyIndex);
    if (Model()->ActiveKey() != keyIndex) return false;
    const std::vector<KeyListEntry> keys = Keys();
    if (keyIndex < 0 || static_cast<size_t>(keyIndex) >= keys.size()) return false;
    SetKeyCapture(false);
    heldKey_ = keyIndex;
    Hold(keys[static_cast<size_t>(keyIndex)]);
    MarkSelectedKey();
    return true;
}

void CKeySetControlUI::Hold(const KeyListEntry& entry) {
    heldFromModel_ = entry;
    state_.macroCount = static_cast<int>(macroNames_.size());
    HoldEntry(state_, entry);
    ShowState();
    if (auto* name = Find<QLabel>(kKeyName)) {
        const KeyLabel label = KeyLabelFor(entry.defaults, macroNames_);
        name->setText(Translated("keyset_selected_key_text").arg(LabelText(label)));
    }
}

void CKeySetControlUI::ReadControls() {
    if (auto* combo = Find<QComboBox>(kFunctionCombo)) {
        bool ok = false;
        const int page = combo->currentData().toString().toInt(&ok);
        state_.functionPage = combo->currentIndex() >= 0 && ok ? std::optional<int>(page) : std::nullopt;
    }
    for (const TableList& list : kTableLists) {
        if (auto* combo = Find<QComboBox>(list.combo)) state_.*list.item = combo->currentIndex();
    }
    for (const ItemList& list : kItemLists) {
        if (auto* combo = Find<QComboBox>(list.combo)) state_.*list.item = combo->currentIndex();
    }
    for (const NumberEdit& number : kNumberEdits) {
        if (auto* edit = Find<QLineEdit>(number.edit)) state_.*number.text = edit->text().toStdString();
    }
    state_.modifierOption = kNoItem;
    for (int option = 0; option <= 4; ++option) {
        auto* button = Find<QAbstractButton>(kModifierPrefix + QString::number(option));
        if (button != nullptr && button->isChecked()) state_.modifierOption = option;
    }
    // The keyboard key edit shows the translated label of the key the state holds.
}

void CKeySetControlUI::ShowState() {
    if (auto* layout = Find<QWidget>(kLayout)) layout->setVisible(state_.layoutVisible);
    if (auto* hint = Find<QWidget>(kHint)) hint->setVisible(!state_.layoutVisible);
    if (auto* combo = Find<QComboBox>(kFunctionCombo)) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(state_.functionPage ? combo->findData(QString::number(*state_.functionPage)) : -1);
    }
    if (auto* pages = Find<QStackedWidget>(kPages)) pages->setCurrentIndex(state_.tab);
    for (const TableList& list : kTableLists) SelectItem(Find<QComboBox>(list.combo), state_.*list.item);
    for (const ItemList& list : kItemLists) SelectItem(Find<QComboBox>(list.combo), state_.*list.item);
    for (const NumberEdit& number : kNumberEdits) {
        if (auto* edit = Find<QLineEdit>(number.edit)) {
            const QSignalBlocker blocker(edit);
            edit->setText(QString::fromStdString(state_.*number.text));
        }
    }
    for (int option = 0; option <= 4; ++option) {
        auto* button = Find<QAbstractButton>(kModifierPrefix + QString::number(option));
        if (button == nullptr) continue;
        const QSignalBlocker blocker(button);
        // Radio buttons of a group cannot all be cleared while they are exclusive.
        button->setAutoExclusive(false);
        button->setChecked(option == state_.modifierOption);
        button->setAutoExclusive(true);
    }
    if (auto* edit = Find<QLineEdit>(kKeyEdit)) {
        const QSignalBlocker blocker(edit);
        edit->setText(state_.keyboardKeyLabel.empty() ? QString() : Translated(state_.keyboardKeyLabel));
    }
    if (auto* cycle = Find<QWidget>(kMacroCycleLayout)) cycle->setVisible(state_.macroCycleVisible);
}

void CKeySetControlUI::Commit() {
    const KeyListEntry entry = BuildAssignmentFromPanel(state_);
    if (StoreInModel(entry)) {
        heldFromModel_ = entry;
        const std::vector<KeyListEntry> keys = Keys();
        ShowKeyLabels(keys, macroNames_);
        EnableButtons(true);
    } else if (heldFromModel_) {
        // The model keeps what the key had: the panel shows it again.
        HoldEntry(state_, *heldFromModel_);
    }
    ShowState();
}

void CKeySetControlUI::EnableButtons(bool enabled) {
    for (const char* name : kButtons) {
        if (auto* button = Find<QWidget>(name)) button->setEnabled(enabled);
    }
}

// ---- The picture ----------------------------------------------------------------------------

void CKeySetControlUI::ShowKeyLabels(const std::vector<KeyListEntry>& keys, const std::vector<std::string>& macros) {
    CDevicePageUI* page = Page();
    if (page == nullptr) return;
    const std::vector<KeyButtonLabel> labels = state_.device == KeyPanelDevice::Keyboard
                                                   ? RefreshKeyLabels(keys, macros)
                                                   : RefreshButtonLabels(keys, macros);
    const QString prefix = Translated(kKeySetTooltipLabel);
    for (size_t i = 0; i < labels.size(); ++i) {
        CDeviceKeyButtonUI* button = page->KeyButton(static_cast<int>(i));
        if (button == nullptr) continue;
        const QString tip = prefix + LabelText(labels[i].label);
        if (button->toolTip() != tip) {
            button->setToolTip(tip);
            button->setAccessibleDescription(tip);
        }
        if (button->IsKeySetImageHidden() == labels[i].highlighted) button->SetKeySetImageHidden(!labels[i].highlighted);
    }
}

void CKeySetControlUI::EnableBuiltInKeys(bool enabled) {
    CDevicePageUI* page = Page();
    if (page == nullptr || state_.device != KeyPanelDevice::Keyboard) return;
    for (KeyIndex key : kBuiltInKeys) {
        if (CDeviceKeyButtonUI* button = page->KeyButton(key)) button->setEnabled(enabled);
    }
}

void CKeySetControlUI::MarkSelectedKey() {
    CDevicePageUI* page = Page();
    if (page == nullptr) return;
    const bool keyTab = Model() != nullptr && Model()->GetFunctionType() == kKeyFunctionType;
    const int count = static_cast<int>(Keys().size());
    for (int key = 0; key < count; ++key) {
        if (CDeviceKeyButtonUI* button = page->KeyButton(key)) button->SetSelected(keyTab && key == heldKey_);
    }
}

// ---- Routes ----------------------------------------------------------------------------------

void CKeySetControlUI::OnFunctionChosen(const TNotifyUI&, int) {
    ReadControls();
    if (!state_.functionPage) return;
    SelectFunctionPage(state_, *state_.functionPage);
    Commit();
}

void CKeySetControlUI::OnMacroRepeatChosen(const TNotifyUI&, int) {
    ReadControls();
    SelectMacroRepeat(state_, state_.macroRepeatItem);
    Commit();
}

void CKeySetControlUI::OnListChosen(const TNotifyUI&, int) {
    ReadControls();
    Commit();
}

void CKeySetControlUI::OnEditLeft(const TNotifyUI&, int) {
    if (heldKey_ < 0) return;
    ReadControls();
    Commit();
}

void CKeySetControlUI::OnModifierChosen(const TNotifyUI& msg, int) {
    if (msg.wParam == 0) return;  // the option that was left
    ReadControls();
    Commit();
}

void CKeySetControlUI::OnCaptureFocus(const TNotifyUI&, int) { SetKeyCapture(true); }

void CKeySetControlUI::OnCaptureFocusLost(const TNotifyUI&, int) { SetKeyCapture(false); }

void CKeySetControlUI::OnApply(const TNotifyUI&, int) {
    ReadControls();
    Commit();
}

void CKeySetControlUI::OnShowDefault(const TNotifyUI&, int) {
    ShowAssignment(state_, state_.held.defaults);
    ShowState();
    EnableButtons(true);
}

void CKeySetControlUI::OnCancel(const TNotifyUI&, int) {
    ShowAssignment(state_, state_.held.current);
    ShowState();
    EnableButtons(false);
}

void CKeySetControlUI::OnSaveToDevice(const TNotifyUI&, int) {
    CTalvorenUSBDevice* model = Model();
    model->RunOnDevice([model] { return SaveKeyTableToDevice(*model); },
                       [panel = QPointer<CKeySetControlUI>(this)](const KeyTableSaveResult& result) {
                           if (panel) panel->ShowSaveResult(result);
                       });
}

void CKeySetControlUI::ShowSaveResult(const KeyTableSaveResult& result) {
    if (Model() == nullptr) return;
    // The profile file keeps the assignments whatever the device took, so nothing is lost.
    Model()->SaveProfile();
    if (!result.answered) {
        ShowDeviceNotice(Model()->CommandChannel().IsWireless() ? "device_out_of_reach_text" : "device_no_answer_text");
    } else if (result.macros != kMacroDownloadDone) {
        ShowDeviceNotice({});
        Host()->ShowMacroDownloadResult(result.macros);
    } else if (!result.Written()) {
        ShowDeviceNotice("device_refused_text");
    } else {
        ShowDeviceNotice({});
        EnableButtons(false);
    }
    emit SavedToDevice(result.Written());
}

void CKeySetControlUI::ShowDeviceNotice(const QString& textKey) {
    auto* notice = Find<QLabel>(kNotice);
    if (notice == nullptr) return;
    notice->setVisible(!textKey.isEmpty());
    if (!textKey.isEmpty()) notice->setText(CResourceManager::GetInstance().Text(textKey));
}

// ---- Key capture -----------------------------------------------------------------------------

void CKeySetControlUI::SetKeyCapture(bool on) { capturing_ = on && Model() != nullptr && heldKey_ >= 0; }

bool CKeySetControlUI::eventFilter(QObject* watched, QEvent* event) {
    if (!capturing_ || watched != Find<QLineEdit>(kKeyEdit)) return CDevicePanelUI::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // The key is the panel's: no shortcut of the window takes it.
            event->accept();
            return true;
        case QEvent::KeyPress:
            OnCapturedKey(static_cast<const QKeyEvent&>(*event));
            return true;
        case QEvent::KeyRelease:
            return true;
        default:
            return CDevicePanelUI::eventFilter(watched, event);
    }
}

void CKeySetControlUI::OnCapturedKey(const QKeyEvent& event) {
    if (event.isAutoRepeat()) return;
    const std::optional<hook::ScanCode> scan = hook::ScanCodeOfNativeKey(event.nativeScanCode());
    if (!scan) return;
    ReadControls();
    if (CaptureKey(state_, scan->code, scan->extended)) Commit();
}

}  // namespace morvek::app
