#pragma once
// One HID interface as the device link uses it: the enumerated path list, and an opened
// interface with its attributes, capabilities, report items and abortable report I/O.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "devicelink/HidReportItem.h"
#include "platform/hid/HidBackend.h"
#include "platform/hid/ReportDescriptor.h"

namespace morvek {

// Attributes of an opened interface.
struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0; // firmware version shown by the update list
};

// Capabilities of the opened top-level collection.
struct HidCaps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    uint16_t featureReportLength = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
};

constexpr int kInfiniteTimeout = -1;

class HidInterfaceHandle {
public:
    explicit HidInterfaceHandle(hid::IHidBackend& backend);
    ~HidInterfaceHandle();
    HidInterfaceHandle(const HidInterfaceHandle&) = delete;
    HidInterfaceHandle& operator=(const HidInterfaceHandle&) = delete;

    // Fills the path list with every present HID interface; resets the cursor.
    bool EnumerateHidPaths();
    // The next path of the list, or nothing at its end.
    std::optional<std::string> NextPath();
    void FreePaths();
    size_t PathCount() const { return paths_.size(); }

    // Opens a path and fills the description. Aborts and closes a previous interface first.
    bool Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
    // Ends a waiting read or write at once, frees the description and closes the interface.
    void Close();
    bool IsOpen() const;

    // One report each way. timeoutMs may be kInfiniteTimeout for reads (ended by Close).
    // Return success; bytesTransferred (optional) receives the byte count.
    bool ReadReport(size_t length, uint8_t* buffer, int timeoutMs, size_t* bytesTransferred = nullptr);
    bool WriteReport(size_t length, const uint8_t* buffer, int timeoutMs, size_t* bytesTransferred = nullptr);
    bool SetOutputReport(size_t length, const uint8_t* buffer);

    bool IsReading() const;
    bool IsWriting() const;

    // The description of the opened interface. Copies, so that another thread may close
    // or reopen the interface meanwhile.
    std::string Path() const;
    HidAttributes Attributes() const;
    HidCaps Caps() const;
    uint16_t InterfaceNumber() const;
    uint16_t CollectionNumber() const;
    hid::HidCollectionCaps ParsedDescriptor() const;
    // Fresh report items of one kind (one per button capability and per value usage).
    std::vector<HidReportItem> ReportItems(hid::ReportKind kind) const;

private:
    std::shared_ptr<hid::IHidDevice> Device() const;

    hid::IHidBackend& backend_;

    std::vector<std::string> paths_;
    size_t cursor_ = 0;

    // Guards the device and its description; never held while waiting for I/O.
    mutable std::mutex deviceMutex_;
    std::shared_ptr<hid::IHidDevice> device_;
    std::string path_;
    hid::HidCollectionCaps parsed_;
    HidAttributes attributes_;
    HidCaps caps_;
    uint16_t interfaceNumber_ = 0;
    uint16_t collectionNumber_ = 0;

    std::atomic<bool> reading_{false};
    std::atomic<bool> writing_{false};
};

}  // namespace morvek
