#pragma once
// The power status record of a device (6 bytes, read with CHidChannel::ReadStatus from offset
// 0) and what the power indicator shows for it (what CMpDevicePowerUI::ShowPowerStatus displays),
// as a pure function: the indicator control only applies the result.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "devicelink/DeviceKinds.h"

namespace morvek {

inline constexpr size_t kPowerRecordSize = 6;
using PowerRecord = std::array<uint8_t, kPowerRecordSize>;

// Byte positions of the record.
inline constexpr size_t kPowerByteLevel = 0;     // battery level in percent
inline constexpr size_t kPowerByteCharging = 1;  // 0 on battery, 1 charging, 2 charged
inline constexpr size_t kPowerByteWireless = 3;  // the host puts the channel's wireless flag here
inline constexpr size_t kPowerBytePhone = 5;     // mouse pad: 1 iPhone, 2 Samsung, 3 other

// Control names of the indicator (class "MpDevicePower").
inline constexpr const char* kPowerValueControl = "device_power_value";
inline constexpr const char* kPowerWirelessLogoControl = "device_wuxian_logo";
inline constexpr const char* kPowerProgressControl = "device_Power_progress";
inline constexpr const char* kPowerStatusControl = "device_power_status";
inline constexpr const char* kPowerPhoneControl = "device_phone_type";
inline constexpr const char* kPowerLayoutControl = "device_power_Layout";

// What the indicator shows. An empty optional leaves that part of the indicator as it is.
struct PowerIndicatorState {
    int levelBarValue = 0;                      // "device_Power_progress": 100 - level
    std::string valueText;                      // "device_power_value": the level and "%"
    std::optional<bool> wirelessLogoVisible;    // "device_wuxian_logo", kind 2 only
    std::optional<bool> levelBarVisible;        // charging states 0, 1, 2 only
    std::optional<std::string> statusImage;     // "device_power_status", charging states 0, 1, 2 only
    std::optional<std::string> phoneName;       // "device_phone_type" control text, kind 3 only
    std::optional<std::string> phoneImage;      // its image, kind 3 only

    bool operator==(const PowerIndicatorState&) const = default;
};

// The indicator's reading of a record of any length (copied into a zero-padded buffer, so
// missing bytes read 0). indicatorKind is the kind the indicator was given: 2 mouse (wireless
// logo), 3 mouse pad (phone image); a wireless mouse (kind 6) shows as kind 2.
PowerIndicatorState DecodePowerStatus(std::span<const uint8_t> record, int indicatorKind);

// The kind a device's power indicator is given: its list kind (a wireless mouse's is the mouse).
constexpr int PowerIndicatorKind(int deviceKind) { return ListKindOf(static_cast<uint16_t>(deviceKind)); }

}  // namespace morvek
