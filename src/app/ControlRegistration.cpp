#include "app/ContainerUI.h"
#include "app/ControlFactory.h"

namespace morvek::app {

namespace {

CControlFactory::Creator Container(const char* className) {
    return [className](QWidget* parent) -> QWidget* { return new CContainerUI(className, parent); };
}

}  // namespace

void RegisterCustomControls(CControlFactory& factory) {
    factory.RegistControl("CLightControlUI", Container("LightControl"));
    factory.RegistControl("CMacroControlUI", Container("MacroControl"));
    factory.RegistControl("CKeySetControlUI", Container("KeySetControl"));
    factory.RegistControl("CDeviceProfileUI", Container("DeviceProfile"));
    factory.RegistControl("CShootControlUI", Container("ShootControl"));
    factory.RegistControl("CMagicControlUI", Container("MagicControl"));
    factory.RegistControl("CVoice6533ControlUI", Container("Voice6533Control"));
}

}  // namespace morvek::app
