#pragma once
// Which tabs a device page shows for a function type: the page's two tab layouts follow the
// function the user works on (keys, lights, macros, ...). The view applies the result.

#include <optional>

namespace morvek {

inline constexpr const char* kFunctionSwitchName = "device_function_switch";
inline constexpr const char* kKeyFunctionSwitchName = "device_key_function_switch";

struct FunctionTabs {
    int functionTab = 0;                // tab of "device_function_switch"
    std::optional<int> keyFunctionTab;  // tab of "device_key_function_switch"; empty: left as it is

    bool operator==(const FunctionTabs&) const = default;
};

// classNumber is the device class number of the model (DeviceClassNumber).
FunctionTabs FunctionTabsFor(int functionType, int classNumber);

}  // namespace morvek
