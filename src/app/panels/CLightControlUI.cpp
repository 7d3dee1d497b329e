#include "app/panels/CLightControlUI.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QSlider>

#include "app/NotifyPump.h"
#include "app/ResourceManager.h"
#include "app/controls/CColorPaletteUI.h"
#include "app/panels/PanelHost.h"
#include "app/panels/PanelRoutes.h"
#include "devices/Capabilities.h"
#include "devices/lighting/KeyboardLightEdits.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "devices/pad/TalvorenMousePadDevice.h"
#include "profiles/DefaultData.h"
#include "profiles/JsonFile.h"

namespace morvek::app {
namespace {

constexpr const char* kModeCombo = "light_combo_modeSelect";
constexpr const char* kGroupCombo = "light_combo_custommodeSelect";
constexpr const char* kDirectionOptions[] = {"deng_FXL_check",  "deng_FXR_check",   "deng_FXUP_check",
                                             "deng_FXDOWN_check", "deng_FXIN_check", "deng_FXOUT_check"};
constexpr const char* kColourEdits[] = {"deng_edit_R", "deng_edit_G", "deng_edit_B"};
// The colour sets the panel offers, as many as the keyboard's template holds.
constexpr int kCustomLightSets = 3;

QColor QColourOf(LedColour colour) { return {colour.c0, colour.c1, colour.c2}; }

LedColour LedColourOf(const QColor& colour) {
    return {static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()), static_cast<uint8_t>(colour.blue())};
}

// The mode names of a device: its built-in effects ("DefaultLightName" of its class), and for
// the mouse its custom light modes after them (the light configuration of its folder).
std::vector<LightEffectName> ModeNamesOf(CTalvorenUSBDevice& model, const ILighting& light, LightPanelKind kind) {
    if (auto names = light.LightModeNames(); !names.empty()) return names;
    // The page's lists are not loaded yet: the names as the data files give them.
    std::vector<LightEffectName> names =
        ReadDefaultLightNames(readjsonFile(DefaultLightFile(model.GetDefaultDataFolder())), model.GetDeviceClassNumber())
            .value_or(std::vector<LightEffectName>{});
    if (kind == LightPanelKind::Mouse) {
        const auto custom = ReadUserLightNames(readjsonFile(LightConfigFile(model.GetUserDataFolder(), model.Kind())),
                                               model.GetDeviceClassNumber());
        for (const std::string& name : custom.value_or(std::vector<std::string>{})) names.push_back({name, true});
    }
    return names;
}

}  // namespace

CLightControlUI::CLightControlUI(QWidget* parent) : CDevicePanelUI(kSkinName, parent) {}

void CLightControlUI::AddRoutes(PanelRoutes& routes) {
    using P = CLightControlUI;
    routes.Name<P>("itemselect", kModeCombo, "light_mode", &P::OnModeChosen);
    routes.Name<P>("itemselect", kGroupCombo, "light_custom_group", &P::OnCustomGroupChosen);
    routes.Names<P>("valuechanged", {"deng_light_slider", "deng_speed_slider"}, "light_level", &P::OnLevelChanged);
    routes.Names<P>("selectchanged",
                    {"deng_FXL_check", "deng_FXR_check", "deng_FXUP_check", "deng_FXDOWN_check", "deng_FXIN_check",
                     "deng_FXOUT_check"},
                    "light_direction", &P::OnDirectionChosen);
    routes.Name<P>("selectchanged", "deng_7color_check", "light_random_colour", &P::OnRandomColourChanged);
    routes.Names<P>("killfocus", {"deng_edit_R", "deng_edit_G", "deng_edit_B"}, "light_colour_edit", &P::OnColourEdited);
    routes.Name<P>("colorchanged", "deng_Color_Pallet", "light_colour_pick", &P::OnPaletteColour);
    routes.Prefix<P>("click", "color_option_", "light_colour_option", &P::OnColourOption);
    routes.Names<P>("click", {"custom_bright_color_btn", "custom_off_color_btn"}, "custom_light_colour",
                    &P::OnCustomFill);
    routes.Name<P>("click", "deng_same_mode", "synchronised_lighting", &P::OnSameLight);
}

// ---- Binding and showing ---------------------------------------------------------------------

void CLightControlUI::OnSetup() {
    light_ = CapabilityOf<ILighting>(*Model());
    keyboard_ = dynamic_cast<CTalvorenKeyboardDevice*>(Model());
    kind_ = LightPanelKindOfDevice(Model()->Kind());
    FillModes();
    FillCustomGroups();
    OnShowModel();
}

void CLightControlUI::OnUnbind() {
    light_ = nullptr;
    keyboard_ = nullptr;
}

LightSettings CLightControlUI::CurrentLight() const { return light_ != nullptr ? light_->CurrentLight() : LightSettings{}; }

void CLightControlUI::FillModes() {
    auto* combo = Find<QComboBox>(kModeCombo);
    if (combo == nullptr) return;
    const QSignalBlocker blocker(combo);
    combo->clear();
    if (light_ == nullptr) return;
    const std::vector<LightEffectName> names = ModeNamesOf(*Model(), *light_, kind_);
    const CResourceManager& resources = CResourceManager::GetInstance();
    for (const LightEffectName& name : names) combo->addItem(resources.Text(QString::fromStdString(name.name)));
    // A mode the device does not offer keeps its number (the item's position) but is not listed.
    if (auto* list = qobject_cast<QListView*>(combo->view())) {
        for (size_t i = 0; i < names.size(); ++i) list->setRowHidden(static_cast<int>(i), !names[i].visible);
    }
}

void CLightControlUI::FillCustomGroups() {
    auto* combo = Find<QComboBox>(kGroupCombo);
    if (combo == nullptr) return;
    const QSignalBlocker blocker(combo);
    combo->clear();
    if (keyboard_ == nullptr) return;
    const QString item = CResourceManager::GetInstance().Text("light_group_item_text");
    for (int group = 0; group < kCustomLightSets; ++group) combo->addItem(item.arg(group + 1));
}

void CLightControlUI::OnShowModel() {
    if (!light_) return;
    view_ = ViewOfLight(CurrentLight(), kind_);
    if (auto* combo = Find<QComboBox>(kModeCombo)) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(view_.modeItem < combo->count() ? view_.modeItem : -1);
    }
    if (auto* combo = Find<QComboBox>(kGroupCombo); combo != nullptr && keyboard_ != nullptr) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(keyboard_->SelectedCustomLightGroup().value_or(-1));
    }
    for (const auto& [name, value] : {std::pair{"deng_light_slider", view_.brightness}, {"deng_speed_slider", view_.speed}}) {
        if (auto* slider = Find<QSlider>(name)) {
            const QSignalBlocker blocker(slider);
            slider->setValue(value);
        }
    }
    for (const char* name : kDirectionOptions) {
        if (auto* option = Find<QAbstractButton>(name)) {
            const QSignalBlocker blocker(option);
            option->setChecked(view_.directionOption == name);
        }
    }
    if (auto* random = Find<QAbstractButton>("deng_7color_check")) {
        const QSignalBlocker blocker(random);
        random->setChecked(view_.randomColour);
    }
    ShowColour(view_.colour);
    ShowLayout(view_.layout);
}

void CLightControlUI::ShowColour(LedColour colour) {
    const uint8_t bytes[] = {colour.c0, colour.c1, colour.c2};
    for (size_t i = 0; i < 3; ++i) {
        if (auto* edit = Find<QLineEdit>(kColourEdits[i])) edit->setText(QString::number(bytes[i]));
    }
    if (auto* palette = Find<CColorPaletteUI>("deng_Color_Pallet")) palette->SetColour(QColourOf(colour));
    if (auto* shown = Find<QWidget>("deng_colordp_btn"))
        shown->setStyleSheet(QString("background: %1;").arg(QColourOf(colour).name()));
}

void CLightControlUI::ShowLayout(const LightPanelLayout& layout) {
    SetEnabled("deng_7color_check", layout.randomColour);
    SetEnabled("deng_color_layout", layout.colour);
    SetEnabled("colorpallet_layout", layout.colour);
    SetEnabled("deng_rgb_layout", layout.rgbEdits);
    SetEnabled("deng_light_slider_row", layout.brightness);
    SetEnabled("deng_speed_slider_row", layout.speed);
    // Only the direction group the mode uses is shown.
    const std::pair<const char*, DirectionGroup> groups[] = {{"deng_fx_layout", DirectionGroup::LeftRight},
                                                             {"deng_fx_updown_layout", DirectionGroup::UpDown},
                                                             {"deng_fx_inout_layout", DirectionGroup::InOut}};
    for (const auto& [name, group] : groups) {
        SetShown(name, layout.directionShown && layout.directionGroup == group);
        SetEnabled(name, layout.direction);
    }
    SetShown("light_direction_label", layout.directionShown);
    SetEnabled("light_direction_label", layout.direction);
    SetShown("lightcustom_layout", layout.customGroups && keyboard_ != nullptr);
    SetShown("light_combo_custommodeSelectLayout", layout.customGroups && keyboard_ != nullptr);
    SetShown("deng_same_mode", layout.sameLight && Host()->SynchronisationOffered());
}

void CLightControlUI::SetEnabled(const char* name, bool enabled) {
    if (auto* control = Find<QWidget>(name)) control->setEnabled(enabled);
}

void CLightControlUI::SetShown(const char* name, bool shown) {
    if (auto* control = Find<QWidget>(name)) control->setVisible(shown);
}

// ---- Changes ------------------------------------------------------------------------------------

void CLightControlUI::Change(const LightSettings& light) {
    if (!light_) return;
    // The change stores, saves, shows and posts the write; a profile that could not be saved
    // keeps the panel's value, as the light stays set on the device.
    light_->ChangeLight(light);
    view_ = ViewOfLight(light, kind_);
    Host()->LightChanged();
}

void CLightControlUI::ChangeColour(LedColour colour) {
    LightSettings light = CurrentLight();
    EditLightColour(light, colour);
    ShowColour(colour);
    if (auto* random = Find<QAbstractButton>("deng_7color_check")) {
        const QSignalBlocker blocker(random);
        random->setChecked(false);
    }
    Change(light);
}

void CLightControlUI::OnModeChosen(const TNotifyUI& msg, int) {
    if (msg.wParam < 0) return;
    LightSettings light = CurrentLight();
    EditLight(light, LightEdit::Mode, msg.wParam);
    // A new mode starts its effect; the custom key colours load their set onto the picture and
    // the keyboard.
    Change(light);
}

void CLightControlUI::OnCustomGroupChosen(const TNotifyUI& msg, int) {
    if (keyboard_ == nullptr || !keyboard_->SelectCustomLightGroup(msg.wParam)) return;
    Change(CurrentLight());
    keyboard_->LoadCustomLightGroup();
}

void CLightControlUI::OnLevelChanged(const TNotifyUI& msg, int) {
    auto* slider = qobject_cast<QSlider*>(msg.pSender.data());
    if (slider == nullptr) slider = Find<QSlider>(msg.sName);
    if (slider == nullptr) return;
    LightSettings light = CurrentLight();
    const LightEdit edit = msg.sName == "deng_light_slider" ? LightEdit::Brightness : LightEdit::Speed;
    if (EditLight(light, edit, slider->value())) Change(light);
}

void CLightControlUI::OnDirectionChosen(const TNotifyUI& msg, int) {
    if (msg.wParam == 0) return;  // the option that was left
    const auto direction = DirectionOfOption(msg.sName.toStdString());
    if (!direction) return;
    LightSettings light = CurrentLight();
    EditLight(light, LightEdit::Direction, *direction);
    Change(light);
}

void CLightControlUI::OnRandomColourChanged(const TNotifyUI& msg, int) {
    LightSettings light = CurrentLight();
    EditLight(light, LightEdit::RandomColour, msg.wParam != 0 ? 1 : 0);
    Change(light);
}

void CLightControlUI::OnColourEdited(const TNotifyUI& msg, int) {
    auto* edit = Find<QLineEdit>(msg.sName);
    if (edit == nullptr) return;
    const ColourEditValue value = ReadColourEdit(edit->text().toStdString());
    edit->setText(QString::fromStdString(value.text));
    LedColour colour = CurrentLight().colour;
    if (msg.sName.endsWith('R')) colour.c0 = value.value;
    else if (msg.sName.endsWith('G')) colour.c1 = value.value;
    else colour.c2 = value.value;
    ChangeColour(colour);
}

void CLightControlUI::OnPaletteColour(const TNotifyUI&, int) {
    if (auto* palette = Find<CColorPaletteUI>("deng_Color_Pallet")) ChangeColour(LedColourOf(palette->Colour()));
}

void CLightControlUI::OnColourOption(const TNotifyUI& msg, int) {
    const auto* option = Find<QWidget>(msg.sName);
    if (option == nullptr) return;
    const QColor colour(option->property("bkcolor").toString());
    if (colour.isValid()) ChangeColour(LedColourOf(colour));
}

void CLightControlUI::OnCustomFill(const TNotifyUI& msg, int) {
    if (keyboard_ == nullptr) return;
    keyboard_->FillCustomLightGroup(msg.sName == "custom_bright_color_btn");
}

void CLightControlUI::OnSameLight(const TNotifyUI&, int) { Host()->ApplySameLight(*Model()); }

bool CLightControlUI::PaintsKeys() const {
    return keyboard_ != nullptr && keyboard_->GetFunctionType() == 1 &&
           keyboard_->CurrentLight().mode == kKeyboardCustomLightMode;
}

void CLightControlUI::PaintKeys(const std::vector<int>& keyIndexes) {
    if (PaintsKeys() && !keyIndexes.empty()) keyboard_->PaintKeyColours(keyIndexes);
}

}  // namespace morvek::app
