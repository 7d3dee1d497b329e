#include "devicelink/DeviceTables.h"

#include "devicelink/DeviceKinds.h"

namespace morvek {
namespace {

DeviceEntry Row(uint16_t vid, uint16_t pid, uint16_t mi, uint16_t col, uint16_t kind, uint16_t role,
                uint16_t usagePage, uint16_t usage) {
    DeviceEntry e;
    e.vendorId = vid;
    e.productId = pid;
    e.interfaceNumber = mi;
    e.collectionNumber = col;
    e.kind = kind;
    e.role = role;
    e.usagePage = usagePage;
    e.usage = usage;
    return e;
}

// Rows 0-6 are the product family's; rows 7 and 8 are the wireless mouse's receiver (kind 6),
// found by its control interface.
const std::array<DeviceEntry, 9>& MatchRows() {
    static const std::array<DeviceEntry, 9> rows = {
        Row(0x0C45, 0x764E, 1, 4, kKindKeyboard, kRoleCommand, kVendorUsagePage, kVendorUsage),
        Row(0x0C45, 0x764E, 1, 3, kKindKeyboard, kRoleEvent, kConsumerUsagePage, kConsumerUsage),
        Row(0x0000, 0x0000, 1, 4, kKindMouse, kRoleCommand, kVendorUsagePage, kVendorUsage),
        Row(0x0000, 0x0000, 1, 3, kKindMouse, kRoleEvent, kConsumerUsagePage, kConsumerUsage),
        Row(0x0000, 0x0000, 1, 4, kKindMousePad, kRoleCommand, kVendorUsagePage, kVendorUsage),
        Row(0x0000, 0x0000, 1, 3, kKindMousePad, kRoleEvent, kConsumerUsagePage, kConsumerUsage),
        Row(0x0000, 0x0000, 3, 0, kKindHeadset, kRoleCommand, kConsumerUsagePage, kConsumerUsage),
        Row(0x0000, 0x0000, kReceiverControlInterface, 4, kKindWirelessMouse, kRoleCommand, kVendorUsagePage,
            kVendorUsage),
        Row(0x0000, 0x0000, kReceiverControlInterface, 3, kKindWirelessMouse, kRoleEvent, kConsumerUsagePage,
            kConsumerUsage),
    };
    return rows;
}

constexpr const char* kListEntryLayout = "XML\\CustomControlXML\\DeviceOption.xml";

constexpr std::array<DevicePageTemplate, 4> kPageTemplates = {{
    {.listEntryLayout = kListEntryLayout,
     .headerName = "tab_header_device",
     .powerContainer = "device_power_switch",
     .kindName = "mouse",
     .classNumber = kClassMouse,
     .vendorId = 0,
     .productId = 0,
     .kind = kKindMouse,
     .role = kRoleCommand,
     .pageLayout = "XML\\DeviceXml\\mousedevice.xml",
     .lightConfigName = "velko_light",
     .lightPointCount = 6,
     .keyCount = 7,
     .powerIndicatorStyle = 0,
     .extraSetting = -1},
    {.listEntryLayout = kListEntryLayout,
     .headerName = "tab_header_device",
     .powerContainer = "device_power_switch",
     .kindName = "keyboard",
     .classNumber = kClassKeyboard,
     .vendorId = 0x0C45,
     .productId = 0x764E,
     .kind = kKindKeyboard,
     .role = kRoleCommand,
     .pageLayout = "XML\\DeviceXml\\keyboarddevice.xml",
     .lightConfigName = "velko_light",
     .lightPointCount = 126,
     .keyCount = 126,
     .powerIndicatorStyle = 0,
     .extraSetting = -1},
    {.listEntryLayout = kListEntryLayout,
     .headerName = "tab_header_device",
     .powerContainer = "device_power_switch",
     .kindName = "MousePad",
     .classNumber = kClassMousePad,
     .vendorId = 0,
     .productId = 0,
     .kind = kKindMousePad,
     .role = kRoleCommand,
     .pageLayout = "XML\\DeviceXml\\mousepaddevice.xml",
     .lightConfigName = "velko_light",
     .lightPointCount = 15,
     .keyCount = 0,
     .powerIndicatorStyle = 0,
     .extraSetting = -1},
    {.listEntryLayout = kListEntryLayout,
     .headerName = "tab_header_device",
     .powerContainer = "device_power_switch",
     .kindName = "HD",
     .classNumber = kClassHeadset,
     .vendorId = 0,
     .productId = 0,
     .kind = kKindHeadset,
     .role = kRoleCommand,
     .pageLayout = "XML\\DeviceXml\\hs6533device.xml",
     .lightConfigName = "velko_light",
     .lightPointCount = 13,
     .keyCount = 0,
     .powerIndicatorStyle = 0,
     .extraSetting = -1},
}};

}  // namespace

std::span<const DeviceEntry> InterfaceMatchTable() { return MatchRows(); }

std::span<const DevicePageTemplate> DevicePageTemplates() { return kPageTemplates; }

std::array<UpdateIdentity, 4> UpdateIdentities() {
    return {{
        {1, 1, 0, "MORVEK", "MVKPAD", "MP2", "MP2", ""},
        {1, 1, 0, "MORVEK", "MVKKB", "K764E", "Morvek gaming keyboard", ""},
        {2, 1, 0, "MORVEK", "MVKMOUSE", "L37", "L37", ""},
        {0, 1, 0, "MORVEK", "ALL", "APP", "AP", "1.0.0.1"},
    }};
}

int FindMatchRow(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role) {
    const auto rows = InterfaceMatchTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        const DeviceEntry& r = rows[i];
        if (r.vendorId == vendorId && r.productId == productId && r.kind == kind && r.role == role)
            return static_cast<int>(i);
    }
    return -1;
}

int FindPageTemplate(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role) {
    kind = ListKindOf(kind);
    for (size_t i = 0; i < kPageTemplates.size(); ++i) {
        const DevicePageTemplate& t = kPageTemplates[i];
        if (t.vendorId == vendorId && t.productId == productId && t.kind == kind && t.role == role)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace morvek
