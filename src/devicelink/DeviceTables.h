#pragma once
// The built-in device tables: which HID interfaces belong to which device kind and role,
// what page each kind gets, and which identity each product reports to the update service.
// They are data: a new product is a new row.

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace morvek {

// Device kinds as stored in DeviceEntry::kind.
enum DeviceKind : uint16_t {
    kKindKeyboard = 1,
    kKindMouse = 2,
    kKindMousePad = 3,
    kKindWirelessMouse = 6, // a mouse behind a receiver: handled as a mouse with the wireless flag
    kKindHeadset = 7,
};

// Interface roles.
constexpr uint16_t kRoleCommand = 0x00;
constexpr uint16_t kRoleEvent = 0xFF;

// Device class numbers handed to the device models.
enum DeviceClassNumber : int { kClassKeyboard = 0, kClassMouse = 1, kClassMousePad = 2, kClassHeadset = 3 };

// The wireless mouse's receiver carries its command and event collections on this interface,
// which tells it apart from a wired mouse with the same ids.
constexpr uint16_t kReceiverControlInterface = 2;

constexpr uint16_t kVendorUsagePage = 0xFF1C;
constexpr uint16_t kVendorUsage = 0x92;
constexpr uint16_t kConsumerUsagePage = 0x000C;
constexpr uint16_t kConsumerUsage = 0x01;

// One row of the interface match table and, with the same layout, one slot of the live device list.
struct DeviceEntry {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0;
    uint16_t kind = 0;
    uint16_t role = 0;
    uint16_t present = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t linked = 0;
    uint16_t linkIndex = 0;
    std::string path;

    bool operator==(const DeviceEntry&) const = default;
};

struct DevicePageTemplate {
    const char* listEntryLayout;
    const char* headerName;
    const char* powerContainer;
    const char* kindName;      // also the device's data folder name
    int classNumber;           // DeviceClassNumber
    uint16_t vendorId;
    uint16_t productId;
    uint16_t kind;
    uint16_t role;
    const char* pageLayout;
    const char* lightConfigName;
    int lightPointCount;
    int keyCount;
    int powerIndicatorStyle;
    int extraSetting;
};

struct UpdateIdentity {
    int hexVersion;    // 1 or 2: version shown as four hexadecimal digits; 0: decimal
    int keyNumber;
    int version;       // filled at run time
    std::string projectCode;
    std::string productCode;
    std::string modelCode;
    std::string name;
    std::string versionText;
};

inline constexpr const char* kPowerIndicatorLayout = "XML\\CustomControlXML\\MpDevicePower.xml";

std::span<const DeviceEntry> InterfaceMatchTable();
std::span<const DevicePageTemplate> DevicePageTemplates();
// A fresh copy of the update identity rows (versions 0); the caller fills in the versions.
std::array<UpdateIdentity, 4> UpdateIdentities();

// Index of the first match row with these four values, or -1.
int FindMatchRow(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role);
// Index of the first page template with these four values, or -1. A kind is looked up as its
// list kind (DeviceKinds.h: the wireless mouse as the mouse).
int FindPageTemplate(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role);

}  // namespace morvek
