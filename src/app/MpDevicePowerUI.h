#pragma once
// CMpDevicePowerUI: the power indicator of a device (class "MpDevicePower", built from
// "XML\CustomControlXML\MpDevicePower.xml"). It shows a power status record as
// DecodePowerStatus reads it: "device_power_value" the level text, "device_Power_progress" the
// level bar (100 - level), "device_wuxian_logo" the wireless logo (mice), "device_power_status"
// the charging picture, "device_phone_type" the phone on a mouse pad's charging surface.
// Pictures are skin names such as "file='power/powered.png'"; the control keeps that text in its
// "image" property and shows the picture from the skin folder.

#include <QWidget>

#include <cstdint>
#include <span>

#include "devicelink/PowerStatus.h"

namespace morvek::app {

class CMpDevicePowerUI final : public QWidget {
    Q_OBJECT
public:
    explicit CMpDevicePowerUI(QWidget* parent = nullptr);

    // The kind of its device (a wireless mouse shows as a mouse) and the interface role.
    void SetKind(int deviceKind, int role);
    int Kind() const { return kind_; }
    int Role() const { return role_; }

    // A record of any length, zero-padded.
    void ShowPowerStatus(std::span<const uint8_t> bytes);
    void Apply(const PowerIndicatorState& state);

private:
    int kind_ = 0;
    int role_ = 0;
};

// The picture of a skin image text ("file='power/power.png'" gives "skin:power/power.png").
QString SkinImagePath(const QString& imageText);

}  // namespace morvek::app
