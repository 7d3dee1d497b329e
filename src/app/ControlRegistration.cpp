#include "app/ContainerUI.h"
#include "app/ControlFactory.h"
#include "app/DeviceOptionUI.h"
#include "app/MpDevicePowerUI.h"
#include "app/controls/CChartViewUI.h"
#include "app/controls/CCircleProgressUI.h"
#include "app/controls/CColorPaletteUI.h"
#include "app/controls/CCloudShareListItemUI.h"
#include "app/controls/CComboEditContainerElementUI.h"
#include "app/controls/CComboEditListUI.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CHandImgButtonUI.h"
#include "app/controls/CHandImgSelectButtonUI.h"
#include "app/controls/CRedioMacroButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "app/controls/CWndUI.h"
#include "app/panels/CDeviceProfileUI.h"
#include "app/panels/CKeySetControlUI.h"
#include "app/panels/CKeyboardSystemUI.h"
#include "app/panels/CLightControlUI.h"
#include "app/panels/CMacroControlUI.h"
#include "app/panels/CMagicControlUI.h"
#include "app/panels/CMouseDpiUI.h"
#include "app/panels/CMousePointerUI.h"
#include "app/panels/CShootControlUI.h"
#include "app/panels/CVirtualSetControlUI.h"
#include "app/panels/CVoice6533ControlUI.h"

namespace morvek::app {

namespace {

CControlFactory::Creator Container(const char* className) {
    return [className](QWidget* parent) -> QWidget* { return new CContainerUI(className, parent); };
}

template <typename Control>
CControlFactory::Creator Make() {
    return [](QWidget* parent) -> QWidget* { return new Control(parent); };
}

}  // namespace

void RegisterCustomControls(CControlFactory& factory) {
    factory.RegistControl("CCircleProgressUI", Make<CCircleProgressUI>());
    factory.RegistControl("CChartViewUI", Make<CChartViewUI>());
    factory.RegistControl("CWndUI", Make<CWndUI>());
    factory.RegistControl("CSelectPanelUI", Make<CSelectPanelUI>());
    factory.RegistControl("CDeviceKeyButtonUI", Make<CDeviceKeyButtonUI>());
    factory.RegistControl("CCloudShareListItemUI", Make<CCloudShareListItemUI>());
    factory.RegistControl("CDeviceOptionUI", Make<CDeviceOptionUI>());
    factory.RegistControl("CMpDevicePowerUI", Make<CMpDevicePowerUI>());
    factory.RegistControl("CComboEditContainerElementUI", Make<CComboEditContainerElementUI>());
    factory.RegistControl("CComboEditListUI", Make<CComboEditListUI>());
    factory.RegistControl("CHandImgButtonUI", Make<CHandImgButtonUI>());
    factory.RegistControl("CHandImgSelectButtonUI", Make<CHandImgSelectButtonUI>());
    factory.RegistControl("CRedioMacroButtonUI", Make<CRedioMacroButtonUI>());
    factory.RegistControl("CColorPaletteUI", Make<CColorPaletteUI>());
    factory.RegistControl("CLightControlUI", Make<CLightControlUI>());
    factory.RegistControl("CMacroControlUI", Make<CMacroControlUI>());
    factory.RegistControl("CKeySetControlUI", Make<CKeySetControlUI>());
    factory.RegistControl("CKeyboardSystemUI", Make<CKeyboardSystemUI>());
    factory.RegistControl("CMouseDpiUI", Make<CMouseDpiUI>());
    factory.RegistControl("CMousePointerUI", Make<CMousePointerUI>());
    factory.RegistControl("CDeviceProfileUI", Make<CDeviceProfileUI>());
    factory.RegistControl("CShootControlUI", Make<CShootControlUI>());
    factory.RegistControl("CMagicControlUI", Make<CMagicControlUI>());
    factory.RegistControl("CVoice6533ControlUI", Make<CVoice6533ControlUI>());
    factory.RegistControl("CVirtualSetControlUI", Make<CVirtualSetControlUI>());
    factory.RegistControl("CTalvorenUSBDevice", Container("TalvorenUSBDevice"));
    factory.RegistControl("CTalvorenMousePadDevice", Container("TalvorenMousePadDevice"));
    factory.RegistControl("CTalvorenHS6533Device", Container("TalvorenHS6533Device"));
}

}  // namespace morvek::app
