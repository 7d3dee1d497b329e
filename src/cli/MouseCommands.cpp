// The mouse's commands: the DPI stages, the polling option and the pointer values as the mouse
// page sets them, and apply, key and read-profile for the mouse and what a light change prints.

#include "cli/MouseCommands.h"

#include <json/json.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/GlobalOptions.h"
#include "cli/LightOptions.h"
#include "cli/ModelCommands.h"
#include "devicelink/DeviceTables.h"
#include "devices/keys/KeyFunctionType.h"
#include "devices/keys/KeyLabels.h"
#include "devices/mouse/TalvorenMouseDevice.h"
#include "macros/ShootFile.h"

namespace morvek::cli {
namespace {

constexpr const char* kDpiUsage = "usage: dpi STAGE VALUE (STAGE 0-4, VALUE in DPI)";
constexpr const char* kDpiEnableUsage = "usage: dpi-enable STAGE 0|1 (STAGE 0-4)";
constexpr const char* kPollingUsage = "usage: polling N (N 0-4)";
constexpr const char* kPointerUsage =
    "usage: pointer [--speed N] [--precision 0|1] [--double-click N] [--scroll N] [--scroll-page 0|1]";
constexpr const char* kKeyUsage =
    "usage: key mouse KEYINDEX TYPE P1 P2 (KEYINDEX a logical button 0-9), key mouse --write";
constexpr long kHalfWordMax = 0xFFFF;
// Typed DPI values beyond this are refused by the command line before the page's clamping.
constexpr long kTypedDpiMax = 1000000;

// Once the mouse is open: its profile even when the configuration read did not get through,
// and the screen size the mouse holds, which the block keeps (the command line has no screen
// of its own).
void SettleMouse(CTalvorenUSBDevice& model) {
    auto* mouse = dynamic_cast<CTalvorenMouseDevice*>(&model);
    if (mouse == nullptr) return;
    if (!mouse->DpiFacts()) {
        // The configuration read did not get through (a wireless mouse out of reach): the
        // profile is loaded as the profile bar loads it when the page is set up.
        mouse->LoadProfile();
        mouse->RefreshPage();
    }
    uint8_t active = 0;
    OnDevice(*mouse, [mouse, &active] { return mouse->ReadDeviceProfileBlock(active); });
}

CTalvorenMouseDevice* OpenMouse(ModelCommandContext& ctx, int& exitCode) {
    auto* mouse = ctx.ModelAs<CTalvorenMouseDevice>();
    if (mouse == nullptr) exitCode = ctx.ExitCode();
    return mouse;
}

void PrintMouse(ModelCommandContext& ctx, const CTalvorenMouseDevice& mouse) {
    const MouseDpiPage page = mouse.DpiPage();
    const std::vector<DpiStageRecord> stages = mouse.Stages();
    const MouseLightRecord light = mouse.LightRecord();
    const MouseSystemWords words = mouse.SystemWords();
    const uint8_t step = mouse.DpiFacts() ? mouse.DpiFacts()->step : 0;
    std::ostream& out = ctx.cli.out;
    if (ctx.cli.json) {
        Json::Value v;
        for (size_t n = 0; n < stages.size() && n < size_t(kMouseStageCount); ++n) {
            Json::Value s;
            s["enabled"] = stages[n].enable != 0;
            s["steps"] = stages[n].dpiX;
            s["dpi"] = uint32_t{stages[n].dpiX} * step;
            v["stages"].append(s);
        }
        v["currentStage"] = mouse.CurrentStage();
        v["polling"] = mouse.PollingIndex();
        v["pointerSpeed"] = words[0] >> 16;
        v["doubleClick"] = words[0] & 0xFFFF;
        v["precision"] = words[1] & 0xFFFF;
        v["scrollPage"] = words[1] >> 16;
        v["scrollLines"] = words[2] & 0xFFFF;
        v["mode"] = light.Effect();
        v["brightness"] = light.Brightness();
        v["speed"] = light.Speed();
        v["direction"] = light.Direction();
        v["random"] = light.MultiColour();
        v["colour"] = ColourText({light.bytes[5], light.bytes[6], light.bytes[7]});
        Json::StyledWriter writer;
        out << writer.write(v);
        return;
    }
    for (size_t n = 0; n < stages.size() && n < size_t(kMouseStageCount); ++n) {
        const DpiStageRow& row = page.Row(static_cast<int>(n));
        out << "stage " << n << "       " << (stages[n].enable ? "on " : "off") << " " << row.edit << " DPI"
            << (row.current ? " (current)" : "") << "\n";
    }
    out << "polling       " << int(mouse.PollingIndex()) << "\n"
        << "pointer speed " << (words[0] >> 16) << "\n"
        << "double click  " << (words[0] & 0xFFFF) << "\n"
        << "precision     " << (words[1] & 0xFFFF) << "\n"
        << "scroll page   " << (words[1] >> 16) << "\n"
        << "scroll lines  " << (words[2] & 0xFFFF) << "\n"
        << "mode          " << int(light.Effect()) << "\n"
        << "brightness    " << int(light.Brightness()) << "\n"
        << "speed         " << int(light.Speed()) << "\n"
        << "direction     " << int(light.Direction()) << "\n"
        << "random        " << int(light.MultiColour()) << "\n"
        << "colour        " << ColourText({light.bytes[5], light.bytes[6], light.bytes[7]}) << "\n";
}

void ShowMouse(ModelCommandContext& ctx) {
    if (const auto* mouse = ctx.ModelAs<CTalvorenMouseDevice>()) PrintMouse(ctx, *mouse);
}

// The end of a page change: what the mouse page shows now, then the settings write's result.
int FinishChange(ModelCommandContext& ctx, CTalvorenMouseDevice& mouse, MouseEditStatus status,
                 std::optional<int> written) {
    switch (status) {
    case MouseEditStatus::kDone: break;
    case MouseEditStatus::kNotSaved: return ctx.cli.Fail("cannot write the mouse's profile file");
    case MouseEditStatus::kBadStage: return ctx.cli.Usage("STAGE must be 0 to 4");
    case MouseEditStatus::kBadValue: return ctx.cli.Fail("the value is outside what the mouse takes");
    case MouseEditStatus::kNoDeviceFacts:
        // The configuration read did not get through: say why (no answer, a refusal, out of reach).
        if (mouse.CommandChannel().IsWireless() || mouse.CommandChannel().SequenceUnanswered() ||
            mouse.CommandChannel().LastCommandResult() != kResultSuccess)
            return ctx.cli.Fail(ctx.Describe(kResultNoAnswer) + ", so no DPI can be set");
        return ctx.cli.Fail("the mouse's DPI range could not be read, so no DPI can be set");
    case MouseEditStatus::kZeroDpiStep:
        return ctx.cli.Fail("the mouse reports a DPI step of 0, so no DPI can be set");
    }
    PrintMouse(ctx, mouse);
    if (!written) return kExitOk;
    if (!ctx.cli.json) ctx.cli.out << "write settings: " << ctx.Describe(*written) << "\n";
    if (*written != kResultSuccess) return ctx.cli.Fail("writing the settings: " + ctx.Describe(*written));
    return kExitOk;
}

// A page command on the mouse: run opens the mouse and makes the change.
template <class Change>
int RunOnMouse(CommandContext& cli, std::vector<std::string> args, Change change) {
    ModelCommandContext ctx(cli, kKindMouse, std::move(args));
    int exitCode = kExitFailed;
    CTalvorenMouseDevice* mouse = OpenMouse(ctx, exitCode);
    if (mouse == nullptr) return exitCode;
    std::optional<int> written;
    const MouseEditStatus status = change(*mouse, [&written](int result) { written = result; });
    return FinishChange(ctx, *mouse, status, written);
}

std::optional<int> Stage(const std::string& text) {
    const auto stage = ParseNumber(text, 0, kMouseStageCount - 1);
    if (!stage) return std::nullopt;
    return static_cast<int>(*stage);
}

int ApplyMouse(ModelCommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.cli.Usage("usage: apply mouse");
    int exitCode = kExitFailed;
    CTalvorenMouseDevice* mouse = OpenMouse(ctx, exitCode);
    if (mouse == nullptr) return exitCode;
    return RunProfileSelection(ctx, *mouse);
}

// Why the mouse refused an assignment, in words.
std::string KeyRefusal(KeyAssignmentStatus status, const KeyAssignment& a, long button, size_t macroCount) {
    switch (status) {
    case KeyAssignmentStatus::kDone: break;
    case KeyAssignmentStatus::kNoKey: return "the mouse's profile holds no entry for button " + std::to_string(button);
    case KeyAssignmentStatus::kRefusedType:
        return "function type " + KeyAssignmentText(a) + " cannot be given to a mouse button";
    case KeyAssignmentStatus::kNoSuchDpiFunction:
        return "the DPI functions are (0x13, 1, 0) up, (0x13, 2, 0) down and (0x13, 3, 0) cycle, not " +
               KeyAssignmentText(a);
    case KeyAssignmentStatus::kNoSuchMacro:
        return "there is no macro " + std::to_string(a.p1) + " (the list holds " + std::to_string(macroCount) + ")";
    case KeyAssignmentStatus::kNoSuchRepeatMode:
        return "the macro repeat modes are 0 to 3 (0x71 plays a macro a given number of times), not " +
               std::to_string(a.p2);
    case KeyAssignmentStatus::kNoSuchShootPattern:
        return "there is no shoot pattern " + std::to_string(a.p1) + " (the mouse holds 0 to " +
               std::to_string(ShootFile::kGunCount - 1) + ")";
    }
    return {};
}

// The label of a button's function; the key labels know no gun key, so it is named here.
std::string ButtonLabel(const KeyAssignment& a, const std::vector<std::string>& macros) {
    if (a.type == kKeyTypeGunKey) return "shoot pattern " + std::to_string(a.p1);
    return KeyLabelFor(a, macros).Text([](std::string_view id) { return std::string(id); });
}

int KeyMouse(ModelCommandContext& ctx) {
    int exitCode = kExitUsage;
    if (ctx.args.size() == 1 && ctx.args[0] == "--write") {
        CTalvorenMouseDevice* mouse = OpenMouse(ctx, exitCode);
        if (mouse == nullptr) return exitCode;
        return WriteKeysAsPanel(ctx, *mouse, "cannot write the mouse's profile file");
    }
    if (ctx.args.size() != 4) return ctx.cli.Usage(kKeyUsage);
    const auto button = ParseNumber(ctx.args[0], 0, long{MouseButtonMap::kButtonCount} - 1);
    if (!button) return ctx.cli.Usage("KEYINDEX is a logical button of the mouse, 0 to 9, not \"" + ctx.args[0] + "\"");
    const auto assignment = ParseKeyAssignmentWords(ctx, exitCode);
    if (!assignment) return exitCode;

    CTalvorenMouseDevice* mouse = OpenMouse(ctx, exitCode);
    if (mouse == nullptr) return exitCode;
    mouse->ReloadMacroList();
    const std::vector<std::string> macros = mouse->Names().macroNames;
    const std::vector<KeyListEntry> keys = mouse->KeyList();
    mouse->SelectKey(static_cast<int>(*button));
    KeyListEntry entry = size_t(*button) < keys.size() ? keys[size_t(*button)] : KeyListEntry{};
    entry.current = *assignment;
    const KeyAssignmentStatus status = mouse->ActiveKey() == *button ? mouse->StoreKeyAssignment(entry)
                                                                : KeyAssignmentStatus::kNoKey;
    if (status != KeyAssignmentStatus::kDone) return ctx.cli.Fail(KeyRefusal(status, *assignment, *button, macros.size()));
    if (!mouse->SaveProfileDocument()) return ctx.cli.Fail("cannot write the mouse's profile file");
    ctx.cli.out << "button " << *button << ": " << KeyAssignmentText(*assignment) << " "
                << ButtonLabel(*assignment, macros) << "\n";
    return kExitOk;
}

int ReadProfileMouse(ModelCommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.cli.Usage("usage: read-profile mouse");
    int exitCode = kExitFailed;
    CTalvorenMouseDevice* mouse = OpenMouse(ctx, exitCode);
    if (mouse == nullptr) return exitCode;
    uint8_t active = 0;
    const int read = OnDevice(*mouse, [mouse, &active] { return mouse->SyncFromDevice(active); });
    if (read != kResultSuccess) return ctx.cli.Fail("reading the mouse's settings: " + ctx.Describe(read));
    if (!ctx.cli.json) ctx.cli.out << "active profile " << int(active) << "\n";
    PrintMouse(ctx, *mouse);
    return kExitOk;
}

}  // namespace

int RunDpi(CommandContext& ctx) {
    if (ctx.args.size() != 2) return ctx.Usage(kDpiUsage);
    const auto stage = Stage(ctx.args[0]);
    if (!stage) return ctx.Usage("STAGE must be 0 to 4, not \"" + ctx.args[0] + "\"\n" + kDpiUsage);
    const std::string value = ctx.args[1];
    // Decimal only: the stage reads the value as the edit box does, so "0x640" would be 0.
    if (!ParseDecimal(value, 0, kTypedDpiMax))
        return ctx.Usage("VALUE is a decimal DPI from 0 to " + std::to_string(kTypedDpiMax) + ", not \"" + value + "\"");
    return RunOnMouse(ctx, {}, [&](CTalvorenMouseDevice& mouse, CTalvorenMouseDevice::WriteDone done) {
        return mouse.CommitStageEdit(*stage, value, std::move(done));
    });
}

int RunDpiEnable(CommandContext& ctx) {
    if (ctx.args.size() != 2) return ctx.Usage(kDpiEnableUsage);
    const auto stage = Stage(ctx.args[0]);
    const auto on = ParseNumber(ctx.args[1], 0, 1);
    if (!stage || !on) return ctx.Usage(kDpiEnableUsage);
    ModelCommandContext modelCtx(ctx, kKindMouse, {});
    int exitCode = kExitFailed;
    CTalvorenMouseDevice* mouse = OpenMouse(modelCtx, exitCode);
    if (mouse == nullptr) return exitCode;
    // The page greys out the last ticked stage: it cannot be switched off.
    if (*on == 0 && !mouse->DpiPage().Row(*stage).checkEnabled)
        return ctx.Fail("stage " + ctx.args[0] + " is the last enabled stage and stays on");
    std::optional<int> written;
    const MouseEditStatus status =
        mouse->SetStageEnabled(*stage, *on != 0, [&written](int result) { written = result; });
    return FinishChange(modelCtx, *mouse, status, written);
}

int RunPolling(CommandContext& ctx) {
    if (ctx.args.size() != 1) return ctx.Usage(kPollingUsage);
    const auto option = ParseNumber(ctx.args[0], 0, kMousePollingOptionCount - 1);
    if (!option) return ctx.Usage(kPollingUsage);
    return RunOnMouse(ctx, {}, [&](CTalvorenMouseDevice& mouse, CTalvorenMouseDevice::WriteDone done) {
        return mouse.SelectPollingOption(static_cast<int>(*option), std::move(done));
    });
}

int RunPointer(CommandContext& ctx) {
    ModelCommandContext modelCtx(ctx, kKindMouse, ctx.args);
    int exitCode = kExitUsage;
    const auto options = OptionPairs(modelCtx, kPointerUsage, exitCode);
    if (!options) return exitCode;
    std::vector<std::pair<std::string, uint16_t>> changes;
    for (const auto& [name, text] : *options) {
        const bool flag = name == "--precision" || name == "--scroll-page";
        if (!flag && name != "--speed" && name != "--double-click" && name != "--scroll")
            return ctx.Usage("unknown option " + name + "\n" + kPointerUsage);
        const long max = flag ? 1 : kHalfWordMax;
        const auto value = ParseNumber(text, 0, max);
        if (!value) return ctx.Usage(name + " takes a number from 0 to " + std::to_string(max) + ", not \"" + text + "\"");
        changes.emplace_back(name, static_cast<uint16_t>(*value));
    }
    CTalvorenMouseDevice* mouse = OpenMouse(modelCtx, exitCode);
    if (mouse == nullptr) return exitCode;
    MouseEditStatus status = MouseEditStatus::kDone;
    for (const auto& [name, value] : changes) {
        if (name == "--speed") status = mouse->SetPointerSpeed(value);
        else if (name == "--double-click") status = mouse->SetDoubleClickTime(value);
        else if (name == "--precision") status = mouse->SetPointerPrecision(value != 0);
        else if (name == "--scroll") status = mouse->SetScrollLines(value);
        else status = mouse->SetScrollPage(value != 0, static_cast<uint16_t>(mouse->SystemWords()[2] & 0xFFFF));
        if (status != MouseEditStatus::kDone) break;
    }
    const int result = FinishChange(modelCtx, *mouse, status, std::nullopt);
    if (result == kExitOk && !ctx.json) ctx.out << "(pointer values stay in the profile; the mouse does not take them)\n";
    return result;
}

ModelKindCommands MouseModelCommands() {
    return {.kind = kKindMouse,
            .apply = ApplyMouse,
            .key = KeyMouse,
            .readProfile = ReadProfileMouse,
            .showLight = ShowMouse,
            .afterOpen = SettleMouse};
}

}  // namespace morvek::cli
