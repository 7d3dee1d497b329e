#pragma once
// The device models of the window: each kind's model from the device model factory; a kind the
// factory has no model for gets the base model, which still streams frames and reads power.

#include "app/MainWnd.h"

namespace morvek::app {

CMainWnd::ModelFactoryMaker DeviceModels(hid::IHidBackend& backend);

}  // namespace morvek::app
