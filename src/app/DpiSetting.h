#pragma once
// The DPI a window works at. Only the usual values are taken (48, 72, 96, 120, 144, 168, 192);
// any other writes the window's error trace ("MSG_WND DPI SET ERROR", "MAIN_WND DPI SET
// ERROR", "SET_WND DPI SET ERROR") and falls back to 96.

#include <string>

namespace morvek::app {

class DpiSetting {
public:
    static constexpr int kDefault = 96;

    explicit DpiSetting(std::string errorTrace);

    static bool IsAllowed(int dpi);
    // True when the value changed (then the window applies it).
    bool Set(int dpi);
    int Value() const { return value_; }
    // The scale of sizes at this DPI (1.0 at 96).
    double Scale() const { return value_ / static_cast<double>(kDefault); }

private:
    std::string errorTrace_;
    int value_ = kDefault;
};

}  // namespace morvek::app
