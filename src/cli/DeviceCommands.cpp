#include "cli/DeviceCommands.h"

#include <json/json.h>

#include <cstdio>
#include <vector>

#include "devicelink/DeviceKinds.h"
#include "devicelink/HidInterfaceHandle.h"
#include "devicelink/PowerStatus.h"
#include "devicelink/ResultCodes.h"
#include "devicelink/UdevRules.h"
#include "emulator/HexText.h"

namespace morvek::cli {
namespace {

bool IsWireless(uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    return row != nullptr && row->wireless;
}

std::string Hex4(uint16_t v) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", v);
    return text;
}

void PrintJson(std::ostream& out, const Json::Value& value) {
    Json::StyledWriter writer;
    out << writer.write(value);
}

// The device named by the single KIND argument of a command.
std::optional<AttachedDevice> FindKindArgument(CommandContext& ctx, int& exitCode) {
    if (ctx.args.size() != 1) {
        exitCode = ctx.Usage("this command takes one KIND (keyboard, mouse, pad, headset)");
        return std::nullopt;
    }
    const auto kind = KindFromWord(ctx.args[0]);
    if (!kind) {
        exitCode = ctx.Usage("unknown KIND \"" + ctx.args[0] + "\" (keyboard, mouse, pad, headset)");
        return std::nullopt;
    }
    auto device = ctx.session.FindDevice(*kind);
    if (!device) {
        exitCode = ctx.Fail(ctx.session.MissingDeviceText(*kind));
        return std::nullopt;
    }
    return device;
}

// The device of the single KIND argument with its command channel opened; on a wireless link
// the receiver must report the device when needsLink is set. Nothing, with exitCode set, when a
// step fails.
std::optional<AttachedDevice> OpenKindDevice(CommandContext& ctx, CHidChannel& channel, bool needsLink,
                                             int& exitCode) {
    auto device = FindKindArgument(ctx, exitCode);
    if (!device) return std::nullopt;
    if (!ctx.session.OpenCommandChannel(*device, channel)) {
        exitCode = ctx.Fail("cannot open " + device->command.path + " (is it in use, or missing permissions?)");
        return std::nullopt;
    }
    if (needsLink && channel.IsWireless() && !channel.QueryLink()) {
        exitCode = ctx.Fail(DescribeDeviceResult(channel, kResultNoAnswer, ctx.args[0]));
        return std::nullopt;
    }
    return device;
}

bool ReadInfoRecord(CommandContext& ctx, CHidChannel& channel, DeviceInfoRecord& record, int& exitCode) {
    const int result = channel.ReadDeviceInfo(record);
    if (result == kResultSuccess) return true;
    exitCode = ctx.Fail("reading the device information: " + DescribeDeviceResult(channel, result, ctx.args[0]));
    return false;
}

}  // namespace

uint16_t FirmwareVersion(hid::IHidBackend& backend, const std::string& path) {
    HidInterfaceHandle probe(backend);
    if (!probe.Open(path, true, false, true, false)) return 0;
    return probe.Attributes().versionNumber;
}

std::string DescribeResult(int result) {
    switch (result) {
        case kResultSuccess: return "done";
        case kResultNoAnswer: return "the device did not answer";
        case kResultWriteFailed: return "the device did not take the request";
        case kResultRefused: return "the request was refused before sending";
        case kResultStatusFF: return "the device refused the request (status 0xff)";
        case kResultStatusFE: return "the device refused the request (status 0xfe)";
        case kResultBadTableIndex: return "only key table 0 can be written";
        default: return "the device command failed (" + std::to_string(result) + ")";
    }
}

std::string DescribeDeviceResult(const CHidChannel& channel, int result, const std::string& device) {
    if (result == kResultSuccess) return DescribeResult(result);
    const std::string the = "the " + (device.empty() ? std::string("device") : device);
    if (channel.SequenceUnanswered() || result == kResultWriteFailed) {
        return channel.IsWireless() ? "the receiver of the wireless mouse does not answer" : the + " does not answer";
    }
    // A step that only says "no answer" may have ended at a refusal (a link check refused).
    const int last = channel.LastCommandResult();
    const int shown =
        result == kResultNoAnswer && (last == kResultStatusFF || last == kResultStatusFE) ? last : result;
    if (shown == kResultStatusFF) return the + " refused the request (status 0xff)";
    if (shown == kResultStatusFE) return the + " refused the request (status 0xfe)";
    if (result == kResultNoAnswer && channel.IsWireless() && channel.IsOpen())
        return "the wireless mouse does not answer its receiver (out of reach or off)";
    return DescribeResult(result);
}

int RunDevices(CommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.Usage("devices takes no arguments");
    const auto devices = ctx.session.Devices();
    Json::Value list(Json::arrayValue);
    for (const AttachedDevice& d : devices) {
        const uint16_t firmware = FirmwareVersion(ctx.session.Backend(), d.command.path);
        if (ctx.json) {
            Json::Value row;
            row["kind"] = KindWord(d.kind);
            row["wireless"] = IsWireless(d.kind);
            row["vendorId"] = Hex4(d.command.vendorId);
            row["productId"] = Hex4(d.command.productId);
            row["firmware"] = Hex4(firmware);
            row["accessible"] = true;
            row["command"] = d.command.path;
            row["event"] = d.event ? Json::Value(d.event->path) : Json::Value(Json::nullValue);
            row["kindGuessed"] = d.kindGuessed;
            list.append(row);
            continue;
        }
        ctx.out << KindWord(d.kind) << "  " << Hex4(d.command.vendorId) << ":" << Hex4(d.command.productId)
                << "  firmware " << Hex4(firmware) << "\n";
        if (d.kindGuessed) ctx.out << "  (it did not answer when asked its kind: the kind is a guess)\n";
        ctx.out << "  command  " << d.command.path << "\n";
        ctx.out << "  event    " << (d.event ? d.event->path : std::string("(not present)")) << "\n";
    }
    // Devices that are there but that this user may not open are listed with what to do.
    const std::vector<DeviceEntry> denied = ctx.session.DeniedDevices();
    for (const DeviceEntry& d : denied) {
        if (ctx.json) {
            Json::Value row;
            row["kind"] = KindWord(d.kind);
            row["wireless"] = IsWireless(d.kind);
            row["vendorId"] = Hex4(d.vendorId);
            row["productId"] = Hex4(d.productId);
            row["accessible"] = false;
            row["command"] = d.path;
            row["hint"] = AccessDeniedHint();
            list.append(row);
            continue;
        }
        ctx.out << KindWord(d.kind) << "  " << Hex4(d.vendorId) << ":" << Hex4(d.productId) << "  not accessible\n";
        ctx.out << "  command  " << d.path << "\n";
        ctx.out << "  " << AccessDeniedHint() << "\n";
    }
    if (ctx.json) PrintJson(ctx.out, list);
    else if (devices.empty() && denied.empty()) ctx.out << "no devices attached\n";
    return kExitOk;
}

int RunInfo(CommandContext& ctx) {
    int exitCode = kExitOk;
    CHidChannel channel(ctx.session.Backend());
    const CommandSequence sequence(channel);
    DeviceInfoRecord record;
    if (!OpenKindDevice(ctx, channel, true, exitCode) || !ReadInfoRecord(ctx, channel, record, exitCode))
        return exitCode;
    const std::string hex = emulator::ToHex(record.bytes);
    if (ctx.json) {
        Json::Value v;
        v["record"] = hex;
        v["keySlots"] = record.KeySlotCount();
        v["macroMemoryBytes"] = record.MacroMemoryBytes();
        v["dpiStep"] = record.DpiStep();
        v["maxDpiSlider"] = record.MaxDpiSlider();
        v["minDpi"] = record.MinDpi();
        PrintJson(ctx.out, v);
        return kExitOk;
    }
    ctx.out << "record          " << hex << "\n";
    ctx.out << "key slots       " << int(record.KeySlotCount()) << "\n";
    ctx.out << "macro memory    " << record.MacroMemoryBytes() << " bytes\n";
    ctx.out << "dpi step        " << int(record.DpiStep()) << "\n";
    ctx.out << "max dpi slider  " << record.MaxDpiSlider() << "\n";
    ctx.out << "min dpi         " << record.MinDpi() << "\n";
    return kExitOk;
}

int RunKeyTable(CommandContext& ctx) {
    int exitCode = kExitOk;
    CHidChannel channel(ctx.session.Backend());
    const CommandSequence sequence(channel);
    DeviceInfoRecord record;
    if (!OpenKindDevice(ctx, channel, true, exitCode) || !ReadInfoRecord(ctx, channel, record, exitCode))
        return exitCode;
    const size_t slots = record.KeySlotCount();
    if (slots == 0) return ctx.Fail("the " + ctx.args[0] + " has no key table");
    if (!channel.SetBlockSize(static_cast<uint16_t>(slots * 3)))
        return ctx.Fail("the device reports " + std::to_string(slots) + " key slots, more than a key table holds");
    std::vector<uint8_t> table(slots * 3);
    int result = channel.ReadKeyTable(table.data());
    if (result == kResultSuccess) result = channel.EndConfig();
    if (result != kResultSuccess)
        return ctx.Fail("reading the key table: " + DescribeDeviceResult(channel, result, ctx.args[0]));
    if (ctx.json) {
        Json::Value v;
        v["slots"] = static_cast<Json::UInt>(slots);
        v["keyTable"] = emulator::ToHex(table);
        PrintJson(ctx.out, v);
        return kExitOk;
    }
    for (size_t s = 0; s < slots; ++s) {
        char line[32];
        std::snprintf(line, sizeof line, "%3zu  %02x %02x %02x\n", s, table[s * 3], table[s * 3 + 1],
                      table[s * 3 + 2]);
        ctx.out << line;
    }
    return kExitOk;
}

int RunPower(CommandContext& ctx) {
    int exitCode = kExitOk;
    CHidChannel channel(ctx.session.Backend());
    const CommandSequence sequence(channel);
    // The power status is read without a link check, as the power indicator does.
    const auto device = OpenKindDevice(ctx, channel, false, exitCode);
    if (!device) return exitCode;
    PowerRecord record{};
    const int result = channel.ReadStatus(record.data(), record.size(), 0);
    if (result != kResultSuccess)
        return ctx.Fail("reading the power status: " + DescribeDeviceResult(channel, result, ctx.args[0]));
    // As the power indicator shows it: byte 3 carries the channel's wireless flag.
    record[kPowerByteWireless] = channel.IsWireless() ? 1 : 0;
    const PowerIndicatorState shown = DecodePowerStatus(record, PowerIndicatorKind(device->kind));
    static constexpr const char* kCharging[] = {"on battery", "charging", "charged"};
    const uint8_t charging = record[kPowerByteCharging];
    const std::string chargingText = charging < 3 ? kCharging[charging] : "unknown (" + std::to_string(charging) + ")";
    if (ctx.json) {
        Json::Value v;
        v["record"] = emulator::ToHex(record);
        v["level"] = record[kPowerByteLevel];
        v["charging"] = chargingText;
        v["wireless"] = channel.IsWireless();
        if (shown.phoneName) v["phone"] = *shown.phoneName;
        PrintJson(ctx.out, v);
        return kExitOk;
    }
    ctx.out << "record    " << emulator::ToHex(record) << "\n";
    ctx.out << "level     " << shown.valueText << "\n";
    ctx.out << "charging  " << chargingText << "\n";
    ctx.out << "wireless  " << (channel.IsWireless() ? "yes" : "no") << "\n";
    if (shown.phoneName) ctx.out << "phone     " << *shown.phoneName << "\n";
    return kExitOk;
}

}  // namespace morvek::cli

namespace morvek::cli {

int RunUdevRules(CommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.Usage("udev-rules takes no arguments");
    ctx.out << UdevRules();
    return kExitOk;
}

}  // namespace morvek::cli
