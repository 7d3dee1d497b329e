#include "app/DpiSetting.h"

#include <array>
#include <utility>

#include "platform/Trace.h"

namespace morvek::app {

DpiSetting::DpiSetting(std::string errorTrace) : errorTrace_(std::move(errorTrace)) {}

bool DpiSetting::IsAllowed(int dpi) {
    constexpr std::array<int, 7> kAllowed = {48, 72, 96, 120, 144, 168, 192};
    for (int allowed : kAllowed) {
        if (allowed == dpi) return true;
    }
    return false;
}

bool DpiSetting::Set(int dpi) {
    if (dpi == value_) return false;
    const int before = value_;
    if (IsAllowed(dpi)) {
        value_ = dpi;
    } else {
        Trace(errorTrace_);
        value_ = kDefault;
    }
    return value_ != before;
}

}  // namespace morvek::app
