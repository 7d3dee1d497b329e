#include "devicelink/FunctionTabs.h"

#include <array>

#include "devicelink/DeviceTables.h"

namespace morvek {
namespace {

enum class Devices { Any, KeyboardOrMouse, Others };

constexpr int kKeep = -1;

struct TabRow {
    int functionType;
    Devices devices;
    int functionTab;
    int keyFunctionTab;  // kKeep: unchanged
};

constexpr std::array<TabRow, 8> kTabRows = {{
    {2, Devices::Any, 0, 1},
    {6, Devices::Any, 0, 1},
    {3, Devices::Any, 1, kKeep},
    {8, Devices::Any, 1, kKeep},
    {4, Devices::KeyboardOrMouse, 3, kKeep},
    {4, Devices::Others, 0, 2},
    {7, Devices::Any, 0, 2},
    {5, Devices::Any, 2, kKeep},
}};

// Every other function type shows the first tab of both layouts.
constexpr FunctionTabs kOtherTypes = {0, 0};

bool Applies(Devices devices, int classNumber) {
    const bool keyboardOrMouse = classNumber == kClassKeyboard || classNumber == kClassMouse;
    switch (devices) {
        case Devices::KeyboardOrMouse: return keyboardOrMouse;
        case Devices::Others: return !keyboardOrMouse;
        case Devices::Any: break;
    }
    return true;
}

}  // namespace

FunctionTabs FunctionTabsFor(int functionType, int classNumber) {
    for (const TabRow& row : kTabRows) {
        if (row.functionType == functionType && Applies(row.devices, classNumber)) {
            FunctionTabs tabs{row.functionTab, std::nullopt};
            if (row.keyFunctionTab != kKeep) {
                tabs.keyFunctionTab = row.keyFunctionTab;
            }
            return tabs;
        }
    }
    return kOtherTypes;
}

}  // namespace morvek
