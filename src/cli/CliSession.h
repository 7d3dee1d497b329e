#pragma once
// What one morvekctl call works with: the HID backend (the real HID stack or emulated
// devices), the devices found on it, and their command channels.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/GlobalOptions.h"
#include "devicelink/DeniedDeviceList.h"
#include "devicelink/DeviceSlotList.h"
#include "devicelink/HidChannel.h"
#include "emulator/EmulatorBackend.h"

namespace morvek::cli {

// A device found in the live device list: its command slot and, when present, its event slot.
struct AttachedDevice {
    uint16_t kind = 0;
    DeviceEntry command;
    std::optional<DeviceEntry> event;
    // The device did not answer when asked its kind (the mouse and the pad share their numbers),
    // so its kind is a guess.
    bool kindGuessed = false;
};

// The command line's word for a device kind (its row's: "keyboard", "mouse", "pad", "headset").
const char* KindWord(uint16_t kind);
// The device kind of a KIND word of the command line; nothing for other words.
std::optional<uint16_t> KindFromWord(const std::string& word);

class CliSession {
public:
    // Sets up the backend the options ask for (unknown --emulate words are skipped: the caller
    // checks them first); nothing, with error set, when the emulator state file cannot be read.
    // With backend given, the session works on it (the window carrying out a command for
    // morvekctl, on its own devices) and the emulator options are not used.
    static std::unique_ptr<CliSession> Create(const GlobalOptions& options, std::string& error,
                                              hid::IHidBackend* backend = nullptr);
    ~CliSession();

    hid::IHidBackend& Backend() { return *backend_; }
    // The emulated devices, or nullptr when the real HID stack is used.
    emulator::EmulatorBackend* Emulator() { return emulator_; }

    // Enumerates and matches every HID interface once; the devices in slot order.
    std::vector<AttachedDevice> Devices();
    std::optional<AttachedDevice> FindDevice(uint16_t kind);
    // The command interfaces Devices() saw but this user may not open (no udev rule).
    std::vector<DeviceEntry> DeniedDevices() const;
    // Why FindDevice found no device of kind, in words: none is attached, a device of the kind
    // is there but this user may not open it (with what to do), or a device that may be it did
    // not answer when asked its kind. From the devices the last scan found.
    std::string MissingDeviceText(uint16_t kind) const;
    // Opens a channel on the device's command interface, wireless for kind 6.
    bool OpenCommandChannel(const AttachedDevice& device, CHidChannel& channel);

    // The per-user data folder (holding "keyboard", "mouse", "MousePad", "HD") and the
    // read-only "DefaultData" folder, as the options and the environment say.
    const std::filesystem::path& DataDir() const { return dataDir_; }
    const std::filesystem::path& DefaultDataDir() const { return defaultDataDir_; }

    // Writes the emulated devices' memories back to the state file, when one was named.
    bool SaveEmulatorState(std::string& error);

private:
    CliSession() = default;

    std::unique_ptr<hid::IHidBackend> ownedBackend_;
    hid::IHidBackend* backend_ = nullptr;
    emulator::EmulatorBackend* emulator_ = nullptr;
    std::string emulatorState_;
    std::filesystem::path dataDir_;
    std::filesystem::path defaultDataDir_;
    std::unique_ptr<DeviceSlotList> slots_;
    std::vector<AttachedDevice> lastDevices_;
    DeniedDeviceList denied_;
};

}  // namespace morvek::cli
