#include "devicelink/HidChannel.h"

#include <algorithm>
#include <cstring>

#include "devicelink/HidCommandReport.h"
#include "platform/Trace.h"

namespace morvek {
namespace {

CommandReport ToWorkBuffer(const uint8_t* request, size_t length) {
    CommandReport work{};
    if (request != nullptr) std::memcpy(work.data(), request, std::min(length, kReportSize));
    return work;
}

void TraceReport(const char* title, const uint8_t* report) {
    if (!TraceEnabled()) return;
    Trace(title);
    Trace(FormatTraceLine(report));
    Trace(FormatTraceLine(report + 32));
}

void CopyAnswer(const CommandReport& read, uint8_t* answer, size_t answerLength) {
    if (answer != nullptr) std::memcpy(answer, read.data(), std::min(answerLength, kReportSize));
}

}  // namespace

int CommandResult(int transportResult, const uint8_t* answer) {
    if (transportResult != kResultSuccess) return transportResult;
    if (answer[kByteStatus] == 0xFF) return kResultStatusFF;
    if (answer[kByteStatus] == 0xFE) return kResultStatusFE;
    return kResultSuccess;
}

CHidChannel::CHidChannel(hid::IHidBackend& backend) : interface_(backend) {}

CHidChannel::~CHidChannel() { Close(); }

bool CHidChannel::Open(const std::string& path) {
    opened_ = 0;
    std::lock_guard io(ioLock_);
    if (!interface_.Open(path, true, true, true, false)) return false;
    opened_ = 1;
    return true;
}

void CHidChannel::Close() {
    opened_ = 0;
    interface_.Close();
}

bool CHidChannel::SetBlockSize(uint16_t n) {
    if (n > kMaxBlockSize) return false;
    blockSize_ = n;
    return true;
}

void CHidChannel::BeginSequence() {
    if (sequenceDepth_.fetch_add(1) == 0) unanswered_ = false;
}

void CHidChannel::EndSequence() {
    if (sequenceDepth_.load() > 0) sequenceDepth_.fetch_sub(1);
}

int CHidChannel::Transfer(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength) {
    const bool inSequence = sequenceDepth_.load() > 0;
    if (inSequence && unanswered_.load()) {
        Trace("not sent: the device did not answer an earlier command of this sequence");
        return kResultNoAnswer;
    }
    busy_.store(true, std::memory_order_relaxed);
    int result = kResultNoAnswer;
    if (IsOpen()) {
        const CommandReport work = ToWorkBuffer(request, requestLength);
        TraceReport("命令", work.data());
        const int timeout = Timeout();
        bool written;
        {
            std::lock_guard io(ioLock_);
            written = interface_.WriteReport(kReportSize, work.data(), timeout);
        }
        if (!written) {
            result = kResultWriteFailed;
        } else {
            CommandReport read{};
            bool ok;
            {
                std::lock_guard io(ioLock_);
                ok = interface_.ReadReport(kReportSize, read.data(), timeout);
                // An answer for another command (a stale one) is skipped once.
                if (read[kByteCommand] != work[kByteCommand]) {
                    read.fill(0);
                    ok = interface_.ReadReport(kReportSize, read.data(), timeout);
                }
            }
            result = ok ? kResultSuccess : kResultNoAnswer;
            TraceReport("返回", read.data());
            CopyAnswer(read, answer, answerLength);
        }
        if (result != kResultSuccess && inSequence) unanswered_ = true;
    }
    busy_.store(false, std::memory_order_relaxed);
    return result;
}

int CHidChannel::DiscardPendingInput() {
    if (!IsOpen()) return 0;
    // The kernel keeps at most 64 reports per opener; a few more reads cover reports arriving now.
    constexpr int kMaxDiscarded = 80;
    CommandReport read{};
    int dropped = 0;
    std::lock_guard io(ioLock_);
    while (dropped < kMaxDiscarded && interface_.ReadReport(kReportSize, read.data(), 0)) ++dropped;
    if (dropped > 0) Trace("dropped " + std::to_string(dropped) + " answers meant for another opener");
    return dropped;
}

int CHidChannel::TransferRaw(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerLength) {
    if (!IsOpen()) return kResultNoAnswer;
    const CommandReport work = ToWorkBuffer(request, requestLength);
    {
        std::lock_guard io(ioLock_);
        if (!interface_.WriteReport(kReportSize, work.data(), kTimeoutMs)) return kResultWriteFailed;
    }
    CommandReport read{};
    bool ok;
    {
        std::lock_guard io(ioLock_);
        ok = interface_.ReadReport(kReportSize, read.data(), kTimeoutMs);
    }
    CopyAnswer(read, answer, answerLength);
    return ok ? kResultSuccess : kResultNoAnswer;
}

}  // namespace morvek
