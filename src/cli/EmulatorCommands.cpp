#include "cli/EmulatorCommands.h"

#include <json/json.h>

#include <chrono>
#include <cstdio>
#include <future>

#include "devicelink/DeviceEventReader.h"

namespace morvek::cli {
namespace {

// The emulated device behind a KIND word; the mouse may be the wired or the wireless one.
emulator::EmulatedDevice* FindEmulated(emulator::EmulatorBackend& backend, uint16_t kind) {
    switch (kind) {
        case kKindKeyboard: return backend.Find(emulator::EmulatedKind::Keyboard);
        case kKindMouse: {
            auto* wired = backend.Find(emulator::EmulatedKind::Mouse);
            return wired ? wired : backend.Find(emulator::EmulatedKind::WirelessMouse);
        }
        case kKindMousePad: return backend.Find(emulator::EmulatedKind::MousePad);
        case kKindHeadset: return backend.Find(emulator::EmulatedKind::Headset);
        default: return nullptr;
    }
}

std::string EventText(uint16_t code) {
    char text[64];
    if ((code & 0xFF00) == kEventKeyPressBase)
        std::snprintf(text, sizeof text, "0x%04x key %d pressed", code, code & 0xFF);
    else if ((code & 0xFF00) == kEventKeyReleaseBase)
        std::snprintf(text, sizeof text, "0x%04x key %d released", code, code & 0xFF);
    else if (code == kEventSyncRequest)
        std::snprintf(text, sizeof text, "0x%04x synchronisation request", code);
    else
        std::snprintf(text, sizeof text, "0x%04x", code);
    return text;
}

int RunDump(CommandContext& ctx, emulator::EmulatorBackend& backend) {
    Json::Value dump;
    if (ctx.args.size() == 1) {
        dump = backend.Dump();
    } else if (ctx.args.size() == 2) {
        const auto kind = KindFromWord(ctx.args[1]);
        if (!kind) return ctx.Usage("unknown KIND \"" + ctx.args[1] + "\"");
        emulator::EmulatedDevice* device = FindEmulated(backend, *kind);
        if (device == nullptr) return ctx.Fail("no emulated " + ctx.args[1]);
        dump[emulator::DumpKey(device->Kind())] = device->Dump();
    } else {
        return ctx.Usage("usage: emulator dump [KIND]");
    }
    Json::StyledWriter writer;
    ctx.out << writer.write(dump);
    return kExitOk;
}

// Sends one event report and shows it as the host's event reader decodes it.
int RunSendEvent(CommandContext& ctx, emulator::EmulatorBackend& backend) {
    if (ctx.args.size() != 3) return ctx.Usage("usage: emulator press|release KIND SLOT, emulator event KIND CODE");
    const std::string& verb = ctx.args[0];
    const auto kind = KindFromWord(ctx.args[1]);
    if (!kind) return ctx.Usage("unknown KIND \"" + ctx.args[1] + "\"");
    const long max = verb == "event" ? 0xFFFF : 0xFF;
    const auto number = ParseNumber(ctx.args[2], 0, max);
    if (!number) return ctx.Usage(verb == "event" ? "CODE is a number from 0 to 0xffff" : "SLOT is a number from 0 to 255");
    emulator::EmulatedDevice* emulated = FindEmulated(backend, *kind);
    if (emulated == nullptr) return ctx.Fail("no emulated " + ctx.args[1]);
    const auto device = ctx.session.FindDevice(*kind);
    if (!device || !device->event) return ctx.Fail("the " + ctx.args[1] + " has no event interface attached");

    CHidChannel eventChannel(backend);
    if (!eventChannel.Open(device->event->path)) return ctx.Fail("cannot open " + device->event->path);
    std::promise<uint16_t> received;
    auto future = received.get_future();
    std::atomic<bool> delivered{false};
    const auto deliver = [&](uint16_t code) {
        if (!delivered.exchange(true)) received.set_value(code);
    };
    DeviceEventHandlers handlers{
        [&](int) { deliver(kEventSyncRequest); },
        [&](int key, int phase) {
            deliver(static_cast<uint16_t>((phase == kKeyPhasePressed ? kEventKeyPressBase : kEventKeyReleaseBase) + key));
        }};
    DeviceEventReader reader(eventChannel, device->kind, handlers);
    reader.Start();

    const uint16_t code = verb == "press"     ? static_cast<uint16_t>(kEventKeyPressBase + *number)
                          : verb == "release" ? static_cast<uint16_t>(kEventKeyReleaseBase + *number)
                                              : static_cast<uint16_t>(*number);
    if (verb == "press") emulated->Press(static_cast<int>(*number));
    else if (verb == "release") emulated->Release(static_cast<int>(*number));
    else emulated->SendEvent(code);

    // Codes without a host reaction are not reported back; a short wait tells them apart.
    const bool reacted = future.wait_for(std::chrono::milliseconds(500)) == std::future_status::ready;
    reader.StopAndClose();
    ctx.out << "sent " << EventText(code) << "\n";
    ctx.out << (reacted ? "host reaction: " + EventText(future.get()) : std::string("host reaction: none")) << "\n";
    return kExitOk;
}

}  // namespace

int RunEmulator(CommandContext& ctx) {
    emulator::EmulatorBackend* backend = ctx.session.Emulator();
    if (backend == nullptr) return ctx.Usage("emulator commands need --emulate");
    if (ctx.args.empty()) return ctx.Usage("usage: emulator dump|press|release|event ...");
    const std::string& verb = ctx.args[0];
    if (verb == "dump") return RunDump(ctx, *backend);
    if (verb == "press" || verb == "release" || verb == "event") return RunSendEvent(ctx, *backend);
    return ctx.Usage("unknown emulator command \"" + verb + "\"");
}

}  // namespace morvek::cli
