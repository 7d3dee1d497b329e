#include "app/panels/CMousePointerUI.h"

#include <QAbstractButton>
#include <QSignalBlocker>
#include <QSlider>

#include "app/NotifyPump.h"
#include "app/panels/PanelRoutes.h"
#include "devices/Capabilities.h"
#include "devices/IDpiStages.h"

namespace morvek::app {
namespace {

constexpr const char* kSpeed = "pointer_speed_slider";
constexpr const char* kDoubleClick = "double_click_slider";
constexpr const char* kScroll = "scroll_speed_slider";
constexpr const char* kPrecision = "pointer_precision_check";
constexpr const char* kScrollPage = "scrolls_page_check";

uint16_t Low(uint32_t word) { return static_cast<uint16_t>(word & 0xFFFF); }
uint16_t High(uint32_t word) { return static_cast<uint16_t>(word >> 16); }

}  // namespace

CMousePointerUI::CMousePointerUI(QWidget* parent) : CDevicePanelUI(kSkinName, parent) {}

void CMousePointerUI::AddRoutes(PanelRoutes& routes) {
    using P = CMousePointerUI;
    routes.Names<P>("valuechanged", {kSpeed, kScroll, kDoubleClick}, "mouse_pointer", &P::OnSliderChanged);
    routes.Names<P>("selectchanged", {kPrecision, kScrollPage}, "mouse_pointer", &P::OnCheckChanged);
}

void CMousePointerUI::OnSetup() {
    dpi_ = CapabilityOf<IDpiStages>(*Model());
    OnShowModel();
}

void CMousePointerUI::OnUnbind() { dpi_ = nullptr; }

void CMousePointerUI::OnShowModel() {
    if (dpi_ == nullptr) return;
    const MouseSystemWords words = dpi_->SystemWords();
    const std::pair<const char*, uint16_t> sliders[] = {
        {kSpeed, High(words[0])}, {kDoubleClick, Low(words[0])}, {kScroll, Low(words[2])}};
    for (const auto& [name, value] : sliders) {
        auto* slider = Find<QSlider>(name);
        if (slider == nullptr || slider->isSliderDown()) continue;
        const QSignalBlocker blocker(slider);
        slider->setValue(value);
    }
    const std::pair<const char*, bool> checks[] = {{kPrecision, Low(words[1]) != 0}, {kScrollPage, High(words[1]) != 0}};
    for (const auto& [name, on] : checks) {
        if (auto* check = Find<QAbstractButton>(name)) {
            const QSignalBlocker blocker(check);
            check->setChecked(on);
        }
    }
}

void CMousePointerUI::OnSliderChanged(const TNotifyUI& msg, int) {
    if (dpi_ == nullptr) return;
    const auto value = static_cast<uint16_t>(msg.wParam);
    if (msg.sName == kSpeed) dpi_->SetPointerSpeed(value);
    if (msg.sName == kDoubleClick) dpi_->SetDoubleClickTime(value);
    // Scrolling by lines unticks the page option.
    if (msg.sName == kScroll) dpi_->SetScrollLines(value);
    OnShowModel();
}

void CMousePointerUI::OnCheckChanged(const TNotifyUI& msg, int) {
    if (dpi_ == nullptr) return;
    if (msg.sName == kPrecision) dpi_->SetPointerPrecision(msg.wParam != 0);
    if (msg.sName == kScrollPage) {
        const auto* scroll = Find<QSlider>(kScroll);
        dpi_->SetScrollPage(msg.wParam != 0, static_cast<uint16_t>(scroll ? scroll->value() : 0));
    }
    OnShowModel();
}

}  // namespace morvek::app
