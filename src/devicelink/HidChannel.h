#pragma once
// CHidChannel: the transport between a device model and one HID interface. It exchanges one
// 64-byte command report and its answer with time-outs, serialises its users with three
// locks (command or light lock first, io lock inside a transfer) and offers the device command set.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "devicelink/DeviceInfoRecord.h"
#include "devicelink/HidCommandReport.h"
#include "devicelink/HidInterfaceHandle.h"
#include "devicelink/ResultCodes.h"

namespace morvek {

class CHidChannel {
public:
    static constexpr uint16_t kMaxBlockSize = 512;
    static constexpr int kTimeoutMs = 1000;
    static constexpr int kWirelessTimeoutMs = 5000;

    explicit CHidChannel(hid::IHidBackend& backend);
    ~CHidChannel();
    CHidChannel(const CHidChannel&) = delete;
    CHidChannel& operator=(const CHidChannel&) = delete;

    // Opens the interface read/write, shared; the caller then sets the wireless flag.
    bool Open(const std::string& path);
    // Clears "opened", then closes the interface, which ends a waiting read or write at once.
    void Close();
    bool IsOpen() const { return opened_.load() != 0; }

    bool SetBlockSize(uint16_t n);
    uint16_t BlockSize() const { return blockSize_.load(); }
    uint8_t ChunkSize() const { return chunkSize_; }
    bool IsBusy() const { return busy_.load(std::memory_order_relaxed); }

    void SetWireless(bool wireless) { wireless_ = wireless ? 1 : 0; }
    bool IsWireless() const { return wireless_.load() != 0; }
    void SetSynchronised(bool on) { synchronised_ = on ? 1 : 0; }
    bool IsSynchronised() const { return synchronised_.load() != 0; }

    HidInterfaceHandle& Interface() { return interface_; }

    // Command sequences. While a sequence is open, the first command the device does not answer
    // at all (the request not taken, or no answer in time) ends it: every later command of the
    // sequence fails at once with kResultNoAnswer without reaching the device, so a device that
    // stopped answering costs one command's time-outs, not those of every step. A refusal
    // (status 0xFF or 0xFE) is an answer and ends nothing. Sequences nest; the outermost one
    // counts. The device models open one per device task (CommandSequence).
    void BeginSequence();
    void EndSequence();
    // The open (or last) sequence met a command that got no answer at all.
    bool SequenceUnanswered() const { return unanswered_.load(); }
    // The result of the last command report exchanged (its answer's status included), so that a
    // caller told only "failed" can say what happened: no answer, or a refusal.
    int LastCommandResult() const { return lastResult_.load(); }

    // One exchange with the echo check (at most two reads): 1, 0 or -1. The request is cut
    // or zero-padded to 64 bytes; the answer buffer receives up to answerLength bytes.
    int Transfer(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength);
    // One exchange without echo check, busy flag or trace (light frames).
    int TransferRaw(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength);
    // Drops the answers waiting on this channel that no request of its own asked for (another
    // opener of the same device talked to it meanwhile); the number dropped.
    int DiscardPendingInput();

    // The command set. All return the result codes of ResultCodes.h.
    int BeginConfig();
    int EndConfig();
    int EnterSoftwareLight();
    int ReadDeviceInfo(DeviceInfoRecord& record);
    int ReadKeyTable(uint8_t* buffer);
    int WriteKeyTable(const uint8_t* bytes, int tableIndex);
    int ReadKeyAttrTable(uint8_t* buffer);
    int WriteMacroData(const uint8_t* bytes, size_t length);
    int WriteMacroDataDirect(const uint8_t* bytes, size_t length);
    int WriteLightTable(const uint8_t* bytes, size_t length, int tableIndex, int tableStride);
    int SendLightFrame(const uint8_t* bytes, size_t length);
    int ReadParams(uint8_t* buffer, size_t length, uint32_t startOffset);
    int WriteParams(const uint8_t* bytes, size_t length, uint32_t startOffset);
    // length above 56 is refused with kResultRefused without touching the device.
    int ReadStatus(uint8_t* buffer, size_t length, uint32_t offset);
    bool QueryLink();

private:
    enum class Lock { Command, Light, None };

    int Timeout() const { return IsWireless() ? kWirelessTimeoutMs : kTimeoutMs; }
    std::mutex* LockFor(Lock lock);
    // One command report under the given lock; the command result of its answer.
    int Exchange(const std::array<uint8_t, 64>& request, std::array<uint8_t, 64>& answer, Lock lock);
    // A single-report command without data: status only.
    int SimpleCommand(uint8_t command);
    // Chunked write and read; offsetBase is added to each chunk's position.
    int ChunkedWrite(uint8_t command, const uint8_t* bytes, size_t length, uint32_t offsetBase, size_t chunk,
                     Lock lock);
    int ChunkedRead(uint8_t command, uint8_t* buffer, size_t length, uint32_t offsetBase, Lock lock);

    std::atomic<uint16_t> blockSize_{512};
    std::atomic<bool> busy_{false};
    std::atomic<int> opened_{0};
    std::atomic<int> synchronised_{0};
    HidInterfaceHandle interface_;
    std::mutex ioLock_;
    std::mutex commandLock_;
    std::mutex lightLock_;
    std::atomic<int> wireless_{0};
    std::atomic<int> sequenceDepth_{0};
    std::atomic<bool> unanswered_{false};
    std::atomic<int> lastResult_{kResultSuccess};
    const uint8_t chunkSize_ = 56;
};

// Opens a command sequence on a channel for the life of the object.
class CommandSequence {
public:
    explicit CommandSequence(CHidChannel& channel) : channel_(channel) { channel_.BeginSequence(); }
    ~CommandSequence() { channel_.EndSequence(); }
    CommandSequence(const CommandSequence&) = delete;
    CommandSequence& operator=(const CommandSequence&) = delete;

private:
    CHidChannel& channel_;
};

// The result of a command report from the transport result and the answer's status byte.
int CommandResult(int transportResult, const uint8_t* answer);

}  // namespace morvek
