#pragma once
// How an emulated device misbehaves: a per-report delay and the faults a host must survive.

#include <cstdint>
#include <string>

namespace morvek::emulator {

struct FaultPlan {
    // Every report takes this long each way: a write completes after it, and the answer
    // becomes readable the same time later. 1 ms models a full-speed USB link.
    int latencyMs = 0;
    // Command reports are accepted but never executed nor answered.
    bool silent = false;
    // The next n answered commands are each preceded by an answer for another command code.
    int staleAnswers = 0;
    // 0: answers carry their real status; 0xFF or 0xFE: every command is refused with it.
    uint8_t forcedStatus = 0;
    // After this many more command reports the device is unplugged: the last one is executed
    // but never answered. -1: never. Counts down as reports arrive.
    int vanishAfterReports = -1;
    // Wireless mouse only: the receiver stays but the mouse is out of reach; the link query
    // answers "no mouse" and every other command goes unanswered.
    bool linkDown = false;
    // The device is present but this user may not open it (no udev rule): every Open fails
    // as permission denied.
    bool accessDenied = false;
};

// The faults a command line may give (morvekctl --emulator-fault, morvek --demo with
// --emulator-fault): "silent", "stale[:N]" (N answers, 1 when not given), "status-ff",
// "status-fe", "vanish[:N]" (unplugged at the N-th following report, 0 at once when not given),
// "denied" (present, but this user may not open it).
inline constexpr const char* kFaultWords = "silent, stale[:N], status-ff, status-fe, vanish[:N], denied";

// Adds the fault a word names to plan. False, with error set, for another word or a bad N.
bool AddFaultWord(const std::string& word, FaultPlan& plan, std::string& error);

}  // namespace morvek::emulator
