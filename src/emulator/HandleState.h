#pragma once
// What an emulated device keeps for each opened handle: which collection it reads, how
// it was opened, whether it was aborted or lost its device, and its queue of input reports.

#include <chrono>
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
};

}  // namespace morvek::emulator
