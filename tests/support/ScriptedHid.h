#pragma once
// A scripted HID backend for tests: devices whose answers come from a responder function,
// which record every report and time-out asked for, and which fail on request. A read with
// no answer pending times out at once (recording the time-out), so time-out paths stay fast.

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/hid/HidBackend.h"

namespace morvek::test {

using Bytes = std::vector<uint8_t>;

// A descriptor with one vendor collection (0xFF1C/0x92, report id 4, 63 bytes each way).
Bytes VendorCollectionDescriptor();
// A descriptor with one consumer collection (0x0C/0x01, report id 3, one 16-bit usage array field).
Bytes ConsumerCollectionDescriptor();

class ScriptedHidDevice : public hid::IHidDevice {
public:
    using Responder = std::function<std::vector<Bytes>(const Bytes& written)>;

    ScriptedHidDevice(hid::HidInterfaceInfo info, Bytes descriptor);

    const hid::HidInterfaceInfo& Info() const override { return info_; }
    std::vector<uint8_t> ReportDescriptor() const override { return descriptor_; }
    hid::IoResult Write(std::span<const uint8_t> report, int timeoutMs) override;
    hid::IoResult Read(std::span<uint8_t> buffer, int timeoutMs) override;
    bool SetOutputReport(std::span<const uint8_t> report) override;
    void Abort() override;
    // A new open of the same device starts un-aborted, as a new handle would.
    void Reopen();

    // Answers queued for each written report (default: an echo of the request with status 0).
    void SetResponder(Responder responder);
    // Queues an input report as if the device sent it on its own.
    void Push(Bytes report);
    void SetFailWrites(bool fail);
    // Reads wait (instead of timing out at once) until an answer, Abort, or release.
    void SetBlockingReads(bool blocking);

    std::vector<Bytes> Writes() const;
    std::vector<int> WriteTimeouts() const;
    std::vector<int> ReadTimeouts() const;
    size_t WaitingReaders() const;
    bool Aborted() const;

private:
    hid::HidInterfaceInfo info_;
    Bytes descriptor_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    Responder responder_;
    std::deque<Bytes> pending_;
    bool failWrites_ = false;
    bool blockingReads_ = false;
    bool aborted_ = false;
    size_t waitingReaders_ = 0;
    std::vector<Bytes> writes_;
    std::vector<int> writeTimeouts_;
    std::vector<int> readTimeouts_;
};

class ScriptedHidBackend : public hid::IHidBackend {
public:
    std::shared_ptr<ScriptedHidDevice> Add(hid::HidInterfaceInfo info, Bytes descriptor);
    void Remove(const std::string& path);
    void SetRefuseOpen(const std::string& path, bool refuse);
    void SetEnumerationFails(bool fails) { enumerationFails_ = fails; }
    int OpenCount(const std::string& path) const;

    bool Enumerate(std::vector<hid::HidInterfaceInfo>& out) override;
    std::shared_ptr<hid::IHidDevice> Open(const std::string& path, hid::HidOpenMode mode) override;
    bool Exists(const std::string& path) override;

private:
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<ScriptedHidDevice>> devices_;
    std::map<std::string, bool> refused_;
    std::map<std::string, int> opens_;
    bool enumerationFails_ = false;
};

// An interface description with the given path; vendor/product/usage filled from the arguments.
hid::HidInterfaceInfo InterfaceInfo(const std::string& path, uint16_t vid, uint16_t pid, uint16_t usagePage,
                                    uint16_t usage);

}  // namespace morvek::test
