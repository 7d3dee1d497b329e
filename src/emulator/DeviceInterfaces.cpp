#include "emulator/DeviceInterfaces.h"

#include "emulator/ReportDescriptorWriter.h"

namespace morvek::emulator {

namespace {

using W = ReportDescriptorWriter;

constexpr uint16_t kGenericDesktopPage = 0x01;
constexpr uint16_t kKeyboardPage = 0x07;
constexpr uint16_t kLedPage = 0x08;
constexpr uint16_t kButtonPage = 0x09;

constexpr uint8_t kKeysReportId = 1;
constexpr uint8_t kSystemReportId = 2;
constexpr uint8_t kConsumerReportId = 3;
constexpr uint8_t kHeadsetConsumerReportId = 1;
constexpr uint8_t kHeadsetLightReportId = 0xFF;

// Interface 0 of the keyboard and the mouse pad: a boot keyboard without report ids.
InterfaceLayout BootKeyboardInterface() {
    W w;
    w.UsagePage(kGenericDesktopPage).Usage(0x06).BeginCollection(W::kApplication);
    w.UsagePage(kKeyboardPage).UsageMinimum(0xE0).UsageMaximum(0xE7);
    w.LogicalMinimum(0).LogicalMaximum(1).ReportSize(1).ReportCount(8).Input(W::kData | W::kVariable);
    w.ReportCount(1).ReportSize(8).Input(W::kConstant);
    w.ReportCount(5).ReportSize(1).UsagePage(kLedPage).UsageMinimum(1).UsageMaximum(5);
    w.Output(W::kData | W::kVariable);
    w.ReportCount(1).ReportSize(3).Output(W::kConstant);
    w.ReportCount(6).ReportSize(8).LogicalMinimum(0).LogicalMaximum(0xFF);
    w.UsagePage(kKeyboardPage).UsageMinimum(0).UsageMaximum(0xFF).Input(W::kData);
    w.EndCollection();
    return w.Finish(0);
}

// Interface 0 of the mice: five buttons, 16-bit motion and a wheel, no report ids.
InterfaceLayout BootMouseInterface() {
    W w;
    w.UsagePage(kGenericDesktopPage).Usage(0x02).BeginCollection(W::kApplication);
    w.Usage(0x01).BeginCollection(W::kPhysical);
    w.UsagePage(kButtonPage).UsageMinimum(1).UsageMaximum(5);
    w.LogicalMinimum(0).LogicalMaximum(1).ReportSize(1).ReportCount(5).Input(W::kData | W::kVariable);
    w.ReportSize(3).ReportCount(1).Input(W::kConstant);
    w.UsagePage(kGenericDesktopPage).Usage(0x30).Usage(0x31);
    w.LogicalMinimum(-32767).LogicalMaximum(32767).ReportSize(16).ReportCount(2);
    w.Input(W::kData | W::kVariable | W::kRelative);
    w.Usage(0x38).LogicalMinimum(-127).LogicalMaximum(127).ReportSize(8).ReportCount(1);
    w.Input(W::kData | W::kVariable | W::kRelative);
    w.EndCollection();
    w.EndCollection();
    return w.Finish(0);
}

void ConsumerEventField(W& w) {
    w.UsageMinimum(0).UsageMaximum(kHighestEventCode);
    w.LogicalMinimum(0).LogicalMaximum(kHighestEventCode).ReportSize(16).ReportCount(1).Input(W::kData);
}

void VendorCommandReports(W& w) {
    w.ReportId(kCommandReportId).Usage(0x01);
    w.LogicalMinimum(0).LogicalMaximum(0xFF).ReportSize(8).ReportCount(63).Input(W::kData | W::kVariable);
    w.Usage(0x02).Output(W::kData | W::kVariable);
}

// The control interface of the keyboard, the mice and the pad (interface 1; interface 2 on the
// wireless mouse's receiver): an N-key keyboard (1), system control (2), consumer control with
// the event reports (3) and the vendor command collection (4).
InterfaceLayout ControlInterface(uint8_t interfaceNumber = 1) {
    W w;
    w.UsagePage(kGenericDesktopPage).Usage(0x06).BeginCollection(W::kApplication).ReportId(kKeysReportId);
    w.UsagePage(kKeyboardPage).UsageMinimum(0xE0).UsageMaximum(0xE7);
    w.LogicalMinimum(0).LogicalMaximum(1).ReportSize(1).ReportCount(8).Input(W::kData | W::kVariable);
    w.UsageMinimum(0x00).UsageMaximum(0x9F).ReportCount(160).Input(W::kData | W::kVariable);
    w.EndCollection();

    w.UsagePage(kGenericDesktopPage).Usage(0x80).BeginCollection(W::kApplication).ReportId(kSystemReportId);
    w.UsageMinimum(0x81).UsageMaximum(0x83);
    w.LogicalMinimum(0).LogicalMaximum(1).ReportSize(1).ReportCount(3).Input(W::kData | W::kVariable);
    w.ReportCount(5).Input(W::kConstant);
    w.EndCollection();

    w.UsagePage(kConsumerUsagePage).Usage(kConsumerUsage).BeginCollection(W::kApplication);
    w.ReportId(kConsumerReportId);
    ConsumerEventField(w);
    w.EndCollection();

    w.UsagePage(kVendorUsagePage).Usage(kVendorUsage).BeginCollection(W::kApplication);
    VendorCommandReports(w);
    w.EndCollection();
    return w.Finish(interfaceNumber);
}

// Interface 3 of the headset (0-2 are audio): one consumer-control collection with the
// media keys, the command reports and the 17-byte light output reports.
InterfaceLayout HeadsetInterface() {
    W w;
    w.UsagePage(kConsumerUsagePage).Usage(kConsumerUsage).BeginCollection(W::kApplication);
    w.ReportId(kHeadsetConsumerReportId);
    ConsumerEventField(w);
    w.UsagePage(kVendorUsagePage);
    VendorCommandReports(w);
    w.ReportId(kHeadsetLightReportId).Usage(0x03).ReportCount(16).Output(W::kData | W::kVariable);
    w.EndCollection();
    return w.Finish(3);
}

}  // namespace

DeviceInterfaces InterfacesOf(EmulatedKind kind) {
    DeviceInterfaces device;
    switch (kind) {
    case EmulatedKind::Keyboard:
        device.vendorId = 0x0C45;
        device.productId = 0x764E;
        device.releaseNumber = 0x0105;
        device.interfaces = {BootKeyboardInterface(), ControlInterface()};
        break;
    case EmulatedKind::Mouse:
        device.releaseNumber = 0x0203;
        device.interfaces = {BootMouseInterface(), ControlInterface()};
        break;
    case EmulatedKind::WirelessMouse:
        device.releaseNumber = 0x0211;
        device.interfaces = {BootMouseInterface(), ControlInterface(kReceiverControlInterface)};
        break;
    case EmulatedKind::MousePad:
        device.releaseNumber = 0x0102;
        device.interfaces = {BootKeyboardInterface(), ControlInterface()};
        break;
    case EmulatedKind::Headset:
        device.releaseNumber = 0x0100;
        device.interfaces = {HeadsetInterface()};
        device.eventInterface = 0;
        device.eventReportId = kHeadsetConsumerReportId;
        return device;
    }
    device.eventInterface = 1;
    device.eventReportId = kConsumerReportId;
    return device;
}

}  // namespace morvek::emulator
