#include "emulator/DeviceState.h"

#include <array>
#include <utility>

#include "emulator/HexText.h"

namespace morvek::emulator {

namespace {

using MemberOf = std::vector<uint8_t> FirmwareMemory::*;

constexpr std::array<std::pair<const char*, MemberOf>, 7> kStoredMemories = {{
    {"params", &FirmwareMemory::params},
    {"keyTable", &FirmwareMemory::keyTable},
    {"keyAttr", &FirmwareMemory::keyAttr},
    {"macro", &FirmwareMemory::macro},
    {"shoot", &FirmwareMemory::shoot},
    {"lightTable", &FirmwareMemory::lightTable},
    {"status", &FirmwareMemory::status},
}};

constexpr const char* kMacroHighWater = "macroHighWater";
constexpr const char* kShootHighWater = "shootHighWater";

}  // namespace

Json::Value StateOf(const FirmwareMemory& memory) {
    Json::Value state(Json::objectValue);
    for (const auto& [name, member] : kStoredMemories) {
        state[name] = ToHex(memory.*member);
    }
    state[kMacroHighWater] = Json::UInt64(memory.macroHighWater);
    state[kShootHighWater] = Json::UInt64(memory.shootHighWater);
    return state;
}

std::optional<FirmwareMemory> MemoryFromState(const Json::Value& state, const FirmwareMemory& current) {
    if (!state.isObject()) {
        return std::nullopt;
    }
    FirmwareMemory memory = current;
    for (const auto& [name, member] : kStoredMemories) {
        const Json::Value& text = state[name];
        if (!text.isString()) {
            return std::nullopt;
        }
        std::optional<std::vector<uint8_t>> bytes = FromHex(text.asString());
        if (!bytes || bytes->size() != (current.*member).size()) {
            return std::nullopt;
        }
        memory.*member = std::move(*bytes);
    }
    const Json::Value& highWater = state[kMacroHighWater];
    if (!highWater.isUInt64() || highWater.asUInt64() > memory.macro.size()) {
        return std::nullopt;
    }
    memory.macroHighWater = static_cast<size_t>(highWater.asUInt64());
    const Json::Value& shootHighWater = state[kShootHighWater];
    if (!shootHighWater.isUInt64() || shootHighWater.asUInt64() > memory.shoot.size()) {
        return std::nullopt;
    }
    memory.shootHighWater = static_cast<size_t>(shootHighWater.asUInt64());
    return memory;
}

}  // namespace morvek::emulator
