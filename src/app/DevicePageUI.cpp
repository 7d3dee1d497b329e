#include "app/DevicePageUI.h"

#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/IndexedName.h"
#include "app/MpDevicePowerUI.h"
#include "app/ResourceManager.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "app/panels/CDeviceProfileUI.h"
#include "app/panels/DevicePanelUI.h"
#include "devicelink/FunctionTabs.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "devices/mouse/TalvorenMouseDevice.h"

namespace morvek::app {

namespace {

constexpr const char* kLogoTooltip = "logo";
constexpr const char* kSecondRowPrefix = "light_0_";

}  // namespace

CDevicePageUI::CDevicePageUI(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

CDevicePageUI::~CDevicePageUI() { Unbind(); }

void CDevicePageUI::Unbind() {
    for (CDevicePanelUI* panel : findChildren<CDevicePanelUI*>()) panel->Unbind();
    if (model_ != nullptr && model_->View() == this) {
        model_->SetView(nullptr);
        model_->SetPictureShown(true);
    }
    model_ = nullptr;
}

void CDevicePageUI::Bind(CTalvorenUSBDevice* model, QWidget* content, CMpDevicePowerUI* power) {
    model_ = model;
    power_ = power;
    if (content != nullptr) {
        content_ = content;
        layout()->addWidget(content);
    }
    lightButtons_.assign(static_cast<size_t>(model->LightCount()), nullptr);
    keyButtons_.assign(static_cast<size_t>(model->KeyCount()), nullptr);
    mirrorButtons_.clear();
    for (CDeviceKeyButtonUI* button : findChildren<CDeviceKeyButtonUI*>()) {
        if (button->toolTip() == QLatin1String(kLogoTooltip) && !lightButtons_.empty()) {
            mirrorButtons_.emplace_back(button, 0);
            logoButton_ = button;
            continue;
        }
        const auto indexed = SplitIndexedName(button->objectName());
        if (!indexed || indexed->index < 0) continue;
        const auto index = static_cast<size_t>(indexed->index);
        if (indexed->prefix.compare("light_", Qt::CaseInsensitive) == 0 && index < lightButtons_.size())
            lightButtons_[index] = button;
        else if (indexed->prefix.compare("key_", Qt::CaseInsensitive) == 0 && index < keyButtons_.size())
            keyButtons_[index] = button;
        else if (indexed->prefix.compare(kSecondRowPrefix, Qt::CaseInsensitive) == 0 && index < lightButtons_.size())
            mirrorButtons_.emplace_back(button, index);
    }
    pictures_.clear();
    for (CSelectPanelUI* picture : findChildren<CSelectPanelUI*>()) pictures_.emplace_back(picture);
    model->SetView(this);
    model->SetPictureShown(IsOnScreen());
}

void CDevicePageUI::SetupPanels(IPanelHost& host) {
    if (model_ == nullptr) return;
    // The profile bar chooses the profile the other panels show.
    QList<CDevicePanelUI*> panels = findChildren<CDevicePanelUI*>();
    std::stable_partition(panels.begin(), panels.end(),
                          [](CDevicePanelUI* panel) { return qobject_cast<CDeviceProfileUI*>(panel) != nullptr; });
    for (CDevicePanelUI* panel : panels) panel->Setup(*model_, host);
}

CDeviceKeyButtonUI* CDevicePageUI::LightButton(int index) const {
    if (index < 0 || index >= static_cast<int>(lightButtons_.size())) return nullptr;
    return lightButtons_[static_cast<size_t>(index)];
}

CDeviceKeyButtonUI* CDevicePageUI::KeyButton(int index) const {
    if (index < 0 || index >= static_cast<int>(keyButtons_.size())) return nullptr;
    return keyButtons_[static_cast<size_t>(index)];
}

void CDevicePageUI::Refresh() {
    // Each control repaints itself when what it shows changes; the picture follows the frames.
    for (CDevicePanelUI* panel : findChildren<CDevicePanelUI*>()) panel->ShowModel();
    ShowLogoToolTip();
}

bool CDevicePageUI::IsOnScreen() const { return isVisible() && !window()->isMinimized(); }

QString CDevicePageUI::LogoToolTip() const {
    const auto* mouse = dynamic_cast<const CTalvorenMouseDevice*>(model_);
    if (mouse == nullptr) return {};
    const MouseLogoTooltip tip = mouse->LogoTooltip();
    const CResourceManager& resources = CResourceManager::GetInstance();
    QString text = QString::fromStdString(tip.title) + "\n";
    for (const KeyLabelPart& part : tip.parts) {
        const QString piece = QString::fromStdString(part.text);
        text += part.isLabelId ? resources.Text(piece) : piece;
    }
    return text;
}

void CDevicePageUI::ShowLogoToolTip() {
    if (logoButton_ == nullptr) return;
    const QString tip = LogoToolTip();
    if (tip.isEmpty()) return;
    logoButton_->setToolTip(tip);
    logoButton_->setAccessibleName(tip);
}

void CDevicePageUI::ShowLightPreview(const std::vector<LedPreview>& previews) {
    keptPreview_ = previews;
    if (IsOnScreen()) ShowKeptPreview();
}

void CDevicePageUI::ShowKeptPreview() {
    if (!keptPreview_) return;
    const std::vector<LedPreview> previews = std::move(*keptPreview_);
    keptPreview_.reset();
    // The frame's repaints are painted together at its end, with no event of their own.
    for (const QPointer<CSelectPanelUI>& picture : pictures_) {
        if (picture) picture->HoldRepaints();
    }
    const size_t count = std::min(previews.size(), lightButtons_.size());
    for (size_t i = 0; i < count; ++i) {
        if (lightButtons_[i] != nullptr)
            lightButtons_[i]->SetLightDisplay(previews[i].colour, previews[i].brightness, true);
    }
    for (const auto& [button, index] : mirrorButtons_) {
        if (index < previews.size()) button->SetLightDisplay(previews[index].colour, previews[index].brightness, true);
    }
    for (const QPointer<CSelectPanelUI>& picture : pictures_) {
        if (picture) picture->RepaintHeld();
    }
}

void CDevicePageUI::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window is known once the page is shown in it; restoring it from the task bar shows
    // the kept frame.
    if (watchedWindow_ != window()) {
        if (watchedWindow_ != nullptr) watchedWindow_->removeEventFilter(this);
        watchedWindow_ = window();
        watchedWindow_->installEventFilter(this);
    }
    FollowScreen();
}

void CDevicePageUI::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    FollowScreen();
}

bool CDevicePageUI::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_ && event->type() == QEvent::WindowStateChange) FollowScreen();
    return QWidget::eventFilter(watched, event);
}

void CDevicePageUI::FollowScreen() {
    const bool onScreen = IsOnScreen();
    if (model_ != nullptr) model_->SetPictureShown(onScreen);
    if (onScreen) ShowKeptPreview();
}

void CDevicePageUI::ShowPowerStatus(const PowerIndicatorState& state) {
    if (power_ != nullptr) power_->Apply(state);
}

void CDevicePageUI::ShowFunctionTabs(const FunctionTabs& tabs) {
    if (auto* function = findChild<QStackedWidget*>(kFunctionSwitchName)) function->setCurrentIndex(tabs.functionTab);
    if (tabs.keyFunctionTab) {
        if (auto* keyFunction = findChild<QStackedWidget*>(kKeyFunctionSwitchName))
            keyFunction->setCurrentIndex(*tabs.keyFunctionTab);
    }
    if (model_ == nullptr) return;
    const int functionType = model_->GetFunctionType();
    for (CDevicePanelUI* panel : findChildren<CDevicePanelUI*>()) panel->ShowFunctionType(functionType);
}

}  // namespace morvek::app
