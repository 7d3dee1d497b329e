#include "emulator/FactoryMemory.h"

#include <array>

#include "emulator/DeviceInterfaces.h"
#include "emulator/KeyboardMatrix.h"

namespace morvek::emulator {

namespace {

constexpr size_t kProfiles = 4;
constexpr uint8_t kPowered = 2;  // charging state "charged": a wired device on USB power

struct Rgb {
    uint8_t red, green, blue;
};
// Factory colour of the on-device profiles 0-3.
constexpr std::array<Rgb, kProfiles> kProfileColours = {{{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}}};

// The facts each kind reports in its information record.
struct Facts {
    uint8_t deviceType;  // byte 0: the host's device kind number
    uint8_t ledCount;    // byte 4
    uint8_t keySlots;    // byte 5
    uint8_t macroUnits;  // byte 6
    uint8_t dpiStep;     // byte 11
    uint16_t maxDpiSlider;
    uint16_t minDpi;
    // Not in the record: the mouse's shoot pattern memory, room for four 30-bullet patterns
    // of six events (40 + 4 x 720 bytes) with margin.
    size_t shootBytes = 0;
};

Facts FactsOf(EmulatedKind kind) {
    switch (kind) {
    case EmulatedKind::Keyboard: return {1, 126, 126, 32, 0, 0, 0};
    case EmulatedKind::Mouse: return {2, 19, 16, 16, 50, 320, 100, 4096};
    case EmulatedKind::WirelessMouse: return {6, 19, 16, 16, 50, 320, 100, 4096};
    case EmulatedKind::MousePad: return {3, 15, 0, 0, 0, 0, 0};
    case EmulatedKind::Headset: return {7, 13, 0, 0, 0, 0, 0};
    }
    return {};
}

void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

std::vector<uint8_t> InfoRecord(EmulatedKind kind, const Facts& facts) {
    std::vector<uint8_t> info(kInfoRecordSize, 0);
    info[0] = facts.deviceType;
    Put16(info, 1, InterfacesOf(kind).releaseNumber);
    info[3] = static_cast<uint8_t>(kProfiles);
    info[4] = facts.ledCount;
    info[kInfoKeySlots] = facts.keySlots;
    info[kInfoMacroUnits] = facts.macroUnits;
    info[kInfoDpiStep] = facts.dpiStep;
    Put16(info, kInfoMaxDpiSlider, facts.maxDpiSlider);
    Put16(info, kInfoMinDpi, facts.minDpi);
    return info;
}

// Light bytes shared by every settings block: mode 1, full brightness, middle speed (stored
// as 4 - level), direction 0, colour cycle on, then the profile's colour.
void PutLight(std::vector<uint8_t>& params, size_t at, size_t profile) {
    const Rgb colour = kProfileColours[profile];
    const std::array<uint8_t, 8> light = {1, 4, 2, 0, 1, colour.red, colour.green, colour.blue};
    std::copy(light.begin(), light.end(), params.begin() + static_cast<std::ptrdiff_t>(at));
}

// 25-byte keyboard blocks at profile x 25; the flags and polling option (bytes 19-22) start at 0.
std::vector<uint8_t> KeyboardParams() {
    std::vector<uint8_t> params(512, 0);
    for (size_t profile = 0; profile < kProfiles; ++profile) {
        PutLight(params, profile * 25 + 1, profile);
    }
    return params;
}

// Mouse settings blocks at profile x 128: light, polling option 0, stage 1 active, five
// enabled stages of 400-6400 DPI in the DPI step's units, the constant 1 and a 1920 x 1080 screen.
std::vector<uint8_t> MouseParams(uint8_t dpiStep) {
    constexpr std::array<uint16_t, 5> kStageDpi = {400, 800, 1600, 3200, 6400};
    constexpr std::array<Rgb, 5> kStageColours = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {255, 0, 255}}};
    std::vector<uint8_t> params(kProfiles * 128, 0);
    for (size_t profile = 0; profile < kProfiles; ++profile) {
        const size_t block = profile * 128;
        PutLight(params, block + 1, profile);
        params[block + 12] = 1;
        for (size_t stage = 0; stage < kStageDpi.size(); ++stage) {
            const size_t at = block + 14 + stage * 9;
            const auto steps = static_cast<uint16_t>(kStageDpi[stage] / dpiStep);
            params[at] = 1;
            params[at + 1] = 0;
            Put16(params, at + 2, steps);
            Put16(params, at + 4, steps);
            params[at + 6] = kStageColours[stage].red;
            params[at + 7] = kStageColours[stage].green;
            params[at + 8] = kStageColours[stage].blue;
        }
        params[block + 59] = 1;
        Put16(params, block + 60, 1920);
        Put16(params, block + 62, 1080);
    }
    return params;
}

// 21-byte light blocks (pad settings block, headset light head) at profile x 64.
std::vector<uint8_t> LightBlockParams() {
    std::vector<uint8_t> params(kProfiles * 64, 0);
    for (size_t profile = 0; profile < kProfiles; ++profile) {
        PutLight(params, profile * 64 + 1, profile);
    }
    return params;
}

void FillKeyboardTables(FirmwareMemory& memory) {
    const auto& functions = FactoryKeyFunctions();
    const auto& order = SlotMatrixIndex();
    memory.keyTable.resize(order.size() * 3);
    memory.keyAttr.resize(order.size());
    for (size_t slot = 0; slot < order.size(); ++slot) {
        const KeyFunction& function = functions[order[slot]];
        memory.keyTable[slot * 3] = function.type;
        memory.keyTable[slot * 3 + 1] = function.p1;
        memory.keyTable[slot * 3 + 2] = function.p2;
        memory.keyAttr[slot] = order[slot];  // the LED of a key sits at its matrix index
    }
}

// Ten buttons in the firmware's own slot order, then six spare slots that hold disabled keys.
void FillMouseTables(FirmwareMemory& memory, uint8_t slots) {
    constexpr std::array<KeyFunction, 10> kButtons = {{
        {0x10, 0x01, 0x00},  // left
        {0x10, 0x02, 0x00},  // right
        {0x10, 0x04, 0x00},  // middle
        {0x10, 0x08, 0x00},  // fourth (back)
        {0x10, 0x10, 0x00},  // fifth (forward)
        {0x13, 0x03, 0x00},  // DPI cycle
        {0xA0, 0x1B, 0x00},  // game mode
        {0x13, 0x01, 0x00},  // DPI up
        {0x13, 0x02, 0x00},  // DPI down
        {0x16, 0x90, 0x01},  // the firmware's own function 0x16
    }};
    memory.keyTable.assign(size_t{slots} * 3, 0);
    for (size_t slot = 0; slot < slots; ++slot) {
        const KeyFunction function = slot < kButtons.size() ? kButtons[slot] : KeyFunction{0x20, 0x00, 0x00};
        memory.keyTable[slot * 3] = function.type;
        memory.keyTable[slot * 3 + 1] = function.p1;
        memory.keyTable[slot * 3 + 2] = function.p2;
    }
    memory.keyAttr.assign(slots, 0xFF);  // no LED under the buttons
}

}  // namespace

FirmwareMemory FactoryMemory(EmulatedKind kind) {
    const Facts facts = FactsOf(kind);
    FirmwareMemory memory;
    memory.deviceInfo = InfoRecord(kind, facts);
    memory.macro.assign(size_t{facts.macroUnits} * 128, 0);
    memory.shoot.assign(facts.shootBytes, 0);
    memory.frame.assign(size_t{facts.ledCount} * 3, 0);
    memory.status = {100, kPowered, 0, 0, 0, 0};
    switch (kind) {
    case EmulatedKind::Keyboard:
        memory.params = KeyboardParams();
        FillKeyboardTables(memory);
        memory.lightTable.assign(size_t{facts.ledCount} * 3, 0);
        break;
    case EmulatedKind::Mouse:
    case EmulatedKind::WirelessMouse:
        memory.params = MouseParams(facts.dpiStep);
        FillMouseTables(memory, facts.keySlots);
        if (kind == EmulatedKind::WirelessMouse) {
            memory.status = {85, 0, 0, 0, 0, 0};  // on battery
        }
        break;
    case EmulatedKind::MousePad:
        memory.params = LightBlockParams();
        break;
    case EmulatedKind::Headset:
        memory.params = LightBlockParams();
        memory.frame.clear();  // its lights are set with output reports, not frames
        break;
    }
    return memory;
}

}  // namespace morvek::emulator
