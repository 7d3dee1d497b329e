#pragma once
// The command interpreter of an emulated device: executes one command report on the
// device's memories and builds its answer. Not thread-safe; its device serialises it.

#include <cstdint>
#include <vector>

#include "emulator/CommandReport.h"
#include "emulator/EmulatedKind.h"
#include "emulator/FirmwareMemory.h"

namespace morvek::emulator {

class Firmware {
public:
    explicit Firmware(EmulatedKind kind);

    // Any request gets an answer; status 0xFF for an unknown command, a bad checksum or
    // a length or offset outside the addressed memory, which then stays untouched.
    CommandReport Execute(const CommandReport& request);

    const FirmwareMemory& Memory() const { return memory_; }
    // Replaces the stored memories (a loaded state); the sizes must be those of this kind.
    // The information record stays the firmware's own.
    void RestoreMemory(const FirmwareMemory& memory);
    void SetPowerStatus(uint8_t batteryPercent, uint8_t chargingState, uint8_t phoneType);

    bool ConfigOpen() const { return configOpen_; }
    bool SoftwareLight() const { return softwareLight_; }
    uint64_t FrameCount() const { return frames_; }

    // Power lost: the configuration session, host light control and the frame buffer end;
    // the stored memories stay.
    void PowerCycle();

private:
    CommandReport ReadFrom(const CommandReport& request, const std::vector<uint8_t>& memory) const;
    CommandReport WriteTo(const CommandReport& request, std::vector<uint8_t>& memory);
    // A write that also moves the memory's high-water mark.
    CommandReport WriteTracked(const CommandReport& request, std::vector<uint8_t>& memory, size_t& highWater);

    FirmwareMemory memory_;
    bool configOpen_ = false;
    bool softwareLight_ = false;
    uint64_t frames_ = 0;
};

}  // namespace morvek::emulator
