// The device command set, built on CHidChannel::Transfer: data longer than one report
// travels in chunks of at most the chunk size, each one report under its lock.

#include <chrono>
#include <thread>

#include "devicelink/HidChannel.h"
#include "devicelink/HidCommandReport.h"
#include "platform/Trace.h"

namespace morvek {

std::mutex* CHidChannel::LockFor(Lock lock) {
    switch (lock) {
        case Lock::Command: return &commandLock_;
        case Lock::Light: return &lightLock_;
        case Lock::None: return nullptr;
    }
    return nullptr;
}

int CHidChannel::Exchange(const CommandReport& request, CommandReport& answer, Lock lock) {
    int result;
    if (std::mutex* m = LockFor(lock)) {
        std::lock_guard guard(*m);
        result = Transfer(request.data(), request.size(), answer.data(), answer.size());
    } else {
        result = Transfer(request.data(), request.size(), answer.data(), answer.size());
    }
    result = CommandResult(result, answer.data());
    lastResult_ = result;
    return result;
}

int CHidChannel::SimpleCommand(uint8_t command) {
    if (!IsOpen()) return kResultNoAnswer;
    CommandReport answer{};
    return Exchange(BuildCommandReport(command, 0, 0), answer, Lock::Command);
}

int CHidChannel::ChunkedWrite(uint8_t command, const uint8_t* bytes, size_t length, uint32_t offsetBase,
                              size_t chunk, Lock lock) {
    if (!IsOpen()) return kResultNoAnswer;
    for (size_t p = 0; p < length; p += chunk) {
        const size_t n = std::min(chunk, length - p);
        const CommandReport request = BuildCommandReport(command, static_cast<uint8_t>(n),
                                                         offsetBase + static_cast<uint32_t>(p),
                                                         std::span<const uint8_t>(bytes + p, n));
        CommandReport answer{};
        const int result = Exchange(request, answer, lock);
        if (result != kResultSuccess) return result;
    }
    return kResultSuccess;
}

int CHidChannel::ChunkedRead(uint8_t command, uint8_t* buffer, size_t length, uint32_t offsetBase, Lock lock) {
    if (!IsOpen()) return kResultNoAnswer;
    const size_t chunk = chunkSize_;
    for (size_t p = 0; p < length; p += chunk) {
        const size_t n = std::min(chunk, length - p);
        const CommandReport request =
            BuildCommandReport(command, static_cast<uint8_t>(n), offsetBase + static_cast<uint32_t>(p));
        CommandReport answer{};
        const int result = Exchange(request, answer, lock);
        if (result != kResultSuccess) return result;
        std::copy_n(answer.begin() + kPayloadOffset, n, buffer + p);
    }
    return kResultSuccess;
}

int CHidChannel::BeginConfig() { return SimpleCommand(kCmdBeginConfig); }

int CHidChannel::EndConfig() {
    // The device needs a short pause after the last configuration report.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return SimpleCommand(kCmdEndConfig);
}

int CHidChannel::EnterSoftwareLight() { return SimpleCommand(kCmdEnterSoftwareLight); }

int CHidChannel::ReadDeviceInfo(DeviceInfoRecord& record) {
    return ChunkedRead(kCmdReadDeviceInfo, record.bytes.data(), record.bytes.size(), 0, Lock::Command);
}

int CHidChannel::ReadKeyTable(uint8_t* buffer) {
    return ChunkedRead(kCmdReadKeyTable, buffer, BlockSize(), 0, Lock::Command);
}

int CHidChannel::WriteKeyTable(const uint8_t* bytes, int tableIndex) {
    if (tableIndex != 0) return kResultBadTableIndex;
    return ChunkedWrite(kCmdWriteKeyTable, bytes, BlockSize(), static_cast<uint32_t>(tableIndex) * 512u,
                        chunkSize_, Lock::Command);
}

int CHidChannel::ReadKeyAttrTable(uint8_t* buffer) {
    return ChunkedRead(kCmdReadKeyAttrTable, buffer, BlockSize() / 3u, 0, Lock::Command);
}

int CHidChannel::WriteMacroData(const uint8_t* bytes, size_t length) {
    return ChunkedWrite(kCmdWriteMacroData, bytes, length, 0, chunkSize_, Lock::Command);
}

int CHidChannel::WriteMacroDataDirect(const uint8_t* bytes, size_t length) {
    // Always 56-byte chunks, whatever the channel's chunk size; only the io lock is taken.
    return ChunkedWrite(kCmdWriteMacroDirect, bytes, length, 0, kMaxPayload, Lock::None);
}

int CHidChannel::WriteLightTable(const uint8_t* bytes, size_t length, int tableIndex, int tableStride) {
    const uint32_t base = static_cast<uint32_t>(tableIndex) * static_cast<uint32_t>(tableStride);
    return ChunkedWrite(kCmdWriteLightTable, bytes, length, base, chunkSize_, Lock::Light);
}

int CHidChannel::SendLightFrame(const uint8_t* bytes, size_t length) {
    if (!IsOpen()) return kResultNoAnswer;
    const size_t chunk = chunkSize_;
    for (size_t p = 0; p < length; p += chunk) {
        const size_t n = std::min(chunk, length - p);
        // Frames never queue behind configuration traffic: a chunk is dropped while a transfer runs.
        if (IsBusy()) {
            Trace("放弃灯光数据");
            continue;
        }
        if (IsWireless()) continue;
        const CommandReport request = BuildCommandReport(kCmdLightFrame, static_cast<uint8_t>(n),
                                                         static_cast<uint32_t>(p),
                                                         std::span<const uint8_t>(bytes + p, n));
        CommandReport answer{};
        int result;
        {
            std::lock_guard guard(lightLock_);
            result = TransferRaw(request.data(), request.size(), answer.data(), answer.size());
        }
        result = CommandResult(result, answer.data());
        if (result != kResultSuccess) return result;
    }
    return kResultSuccess;
}

int CHidChannel::ReadParams(uint8_t* buffer, size_t length, uint32_t startOffset) {
    return ChunkedRead(kCmdReadParams, buffer, length, startOffset, Lock::Command);
}

int CHidChannel::WriteParams(const uint8_t* bytes, size_t length, uint32_t startOffset) {
    return ChunkedWrite(kCmdWriteParams, bytes, length, startOffset, chunkSize_, Lock::Command);
}

int CHidChannel::ReadStatus(uint8_t* buffer, size_t length, uint32_t offset) {
    // One answer carries at most 56 payload bytes.
    if (length > kMaxPayload) return kResultRefused;
    if (!IsOpen()) return kResultNoAnswer;
    CommandReport answer{};
    const int result =
        Exchange(BuildCommandReport(kCmdReadStatus, static_cast<uint8_t>(length), offset), answer, Lock::Command);
    if (result == kResultSuccess) std::copy_n(answer.begin() + kPayloadOffset, length, buffer);
    return result;
}

bool CHidChannel::QueryLink() {
    if (!IsOpen()) return false;
    CommandReport answer{};
    return Exchange(BuildCommandReport(kCmdQueryLink, 0, 0), answer, Lock::Command) == kResultSuccess &&
           answer[kPayloadOffset] == 0xFF;
}

}  // namespace morvek
