#pragma once
// What an emulated device keeps for each opened handle: which collection it reads, how
// it was opened, whether it was aborted or lost its device, and its queue of input reports.
// Each handle has its own condition variable (used with the device's mutex), so a report for
// one handle wakes only the calls waiting on that handle: an event reader waiting for key
// events sleeps through the command traffic of the device's other interface.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/hid/HidBackend.h"

namespace morvek::emulator {

using Clock = std::chrono::steady_clock;

struct QueuedInputReport {
    Clock::time_point readyAt;  // the report is readable from then on
    std::vector<uint8_t> bytes;
};

struct HandleState {
    size_t interfaceIndex = 0;
    size_t collectionIndex = 0;
    hid::HidOpenMode mode;
    bool aborted = false;
    bool disconnected = false;
    std::deque<QueuedInputReport> input;
    // Notified when input arrives for it, or it is aborted or disconnected.
    std::condition_variable changed;
};

}  // namespace morvek::emulator
