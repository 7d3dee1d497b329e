#include "platform/hid/HidrawDevice.h"

#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <optional>

namespace morvek::hid {
namespace {

// hidraw hands out reports of at most this many bytes; HIDIOCSOUTPUT takes one byte less.
constexpr size_t kMaxReportBytes = 16384;
constexpr int kOutputReportTimeoutMs = 1000;

using Clock = std::chrono::steady_clock;

class Deadline {
public:
    explicit Deadline(int timeoutMs) {
        if (timeoutMs >= 0) end_ = Clock::now() + std::chrono::milliseconds(timeoutMs);
    }

    // Milliseconds for poll(): -1 without limit, rounded up so a wait never ends early.
    int RemainingMs() const {
        if (!end_) return -1;
        const auto left = *end_ - Clock::now();
        if (left <= Clock::duration::zero()) return 0;
        return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
    }

    bool Passed() const { return end_ && Clock::now() >= *end_; }

private:
    std::optional<Clock::time_point> end_;
};

enum class Wait { Ready, TimedOut, Aborted, Failed };

IoResult Result(IoStatus status, size_t bytes = 0) { return IoResult{status, bytes}; }

IoStatus StatusOf(Wait wait) {
    switch (wait) {
    case Wait::TimedOut: return IoStatus::TimedOut;
    case Wait::Aborted: return IoStatus::Aborted;
    case Wait::Ready:
    case Wait::Failed: break;
    }
    return IoStatus::Failed;
}

Wait WaitFor(int node, int abortEvent, short events, const Deadline& deadline) {
    for (;;) {
        pollfd fds[2] = {{node, events, 0}, {abortEvent, POLLIN, 0}};
        const int ready = ::poll(fds, 2, deadline.RemainingMs());
        if (ready < 0) {
            if (errno == EINTR) continue;
            return Wait::Failed;
        }
        if (fds[1].revents != 0) return Wait::Aborted;
        if ((fds[0].revents & events) != 0) return Wait::Ready;
        if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return Wait::Failed;
        if (deadline.Passed()) return Wait::TimedOut;
    }
}

bool Retryable(int error) { return error == EAGAIN || error == EINTR; }

}  // namespace

std::shared_ptr<HidrawDevice> HidrawDevice::Create(UniqueFd node, HidInterfaceInfo info,
                                                   std::vector<uint8_t> descriptor, ReportIdFilter filter,
                                                   HidrawAccess access) {
    UniqueFd abortEvent(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!node.Valid() || !abortEvent.Valid()) return nullptr;
    return std::shared_ptr<HidrawDevice>(new HidrawDevice(std::move(node), std::move(abortEvent), std::move(info),
                                                          std::move(descriptor), std::move(filter), access));
}

HidrawDevice::HidrawDevice(UniqueFd node, UniqueFd abortEvent, HidInterfaceInfo info, std::vector<uint8_t> descriptor,
                           ReportIdFilter filter, HidrawAccess access)
    : node_(std::move(node)),
      abortEvent_(std::move(abortEvent)),
      info_(std::move(info)),
      descriptor_(std::move(descriptor)),
      filter_(std::move(filter)),
      access_(access) {}

bool HidrawDevice::Owns(uint8_t reportId) const {
    return std::find(filter_.ownedIds.begin(), filter_.ownedIds.end(), reportId) != filter_.ownedIds.end();
}

IoResult HidrawDevice::Read(std::span<uint8_t> buffer, int timeoutMs) {
    if (aborted_) return Result(IoStatus::Aborted);
    if (!access_.read || buffer.empty()) return Result(IoStatus::Failed);

    const Deadline deadline(timeoutMs);
    std::array<uint8_t, kMaxReportBytes> report;
    for (;;) {
        const Wait wait = WaitFor(node_.Get(), abortEvent_.Get(), POLLIN, deadline);
        if (wait != Wait::Ready) return Result(StatusOf(wait));

        const ssize_t length = ::read(node_.Get(), report.data(), report.size());
        if (length < 0 && Retryable(errno)) continue;
        if (length <= 0) return Result(IoStatus::Failed);  // an error, or the device is gone

        const size_t bytes = static_cast<size_t>(length);
        if (filter_.usesReportIds) {
            if (!Owns(report[0])) continue;  // another collection's report
            if (bytes > buffer.size()) return Result(IoStatus::Failed);
            std::copy_n(report.begin(), bytes, buffer.begin());
            return Result(IoStatus::Ok, bytes);
        }
        if (bytes + 1 > buffer.size()) return Result(IoStatus::Failed);
        buffer[0] = 0;
        std::copy_n(report.begin(), bytes, buffer.begin() + 1);
        return Result(IoStatus::Ok, bytes + 1);
    }
}

IoResult HidrawDevice::Write(std::span<const uint8_t> report, int timeoutMs) {
    if (aborted_) return Result(IoStatus::Aborted);
    if (!access_.write || report.empty()) return Result(IoStatus::Failed);

    const Deadline deadline(timeoutMs);
    for (;;) {
        const Wait wait = WaitFor(node_.Get(), abortEvent_.Get(), POLLOUT, deadline);
        if (wait != Wait::Ready) return Result(StatusOf(wait));

        const ssize_t written = ::write(node_.Get(), report.data(), report.size());
        if (written < 0 && Retryable(errno)) continue;
        if (written != static_cast<ssize_t>(report.size())) return Result(IoStatus::Failed);
        return Result(IoStatus::Ok, report.size());
    }
}

bool HidrawDevice::SetOutputReport(std::span<const uint8_t> report) {
    if (aborted_ || !access_.write || report.empty() || report.size() >= kMaxReportBytes) return false;
#ifdef HIDIOCSOUTPUT
    std::vector<uint8_t> copy(report.begin(), report.end());
    if (::ioctl(node_.Get(), HIDIOCSOUTPUT(copy.size()), copy.data()) >= 0) return true;
    if (errno != ENOTTY) return false;
#endif
    // Kernels before 5.11 know no HIDIOCSOUTPUT: the interrupt pipe carries the report instead.
    return Write(report, kOutputReportTimeoutMs).ok();
}

void HidrawDevice::Abort() {
    aborted_ = true;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(abortEvent_.Get(), &one, sizeof one);
}

}  // namespace morvek::hid
