// The keyboard's model commands: apply, key, system and read-profile, each doing what the
// keyboard page does for the same change, and what a light change prints.

#include <json/json.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "cli/LightOptions.h"
#include "cli/ModelCommands.h"
#include "devicelink/DeviceTables.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "devices/keys/KeyFunctionType.h"
#include "devices/keys/KeyIndex.h"
#include "devices/keys/KeyLabels.h"
#include "devices/lighting/KeyboardLightEdits.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "macros/MacroKeyFixup.h"

namespace morvek::cli {
namespace {

constexpr const char* kKeyUsage = "usage: key keyboard KEYINDEX TYPE P1 P2, key keyboard --write";
constexpr const char* kSystemUsage =
    "usage: system keyboard [--polling N] [--wflag 0|1] [--6key 0|1] [--winlock 0|1] [--repeat N] [--repeat-delay N]";

std::string Hex2(unsigned v) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x", v & 0xFFu);
    return text;
}

CTalvorenKeyboardDevice* OpenKeyboard(ModelCommandContext& ctx, int& exitCode) {
    auto* keyboard = ctx.ModelAs<CTalvorenKeyboardDevice>();
    if (keyboard == nullptr) exitCode = ctx.ExitCode();
    return keyboard;
}

void PrintSettings(ModelCommandContext& ctx, const LightSettings& light, const KeyboardSystemSettings& system) {
    std::ostream& out = ctx.cli.out;
    if (ctx.cli.json) {
        Json::Value v;
        AddLightMembers(v, light);
        v["customGroup"] = CustomLightGroupOf(light);
        v["polling"] = system.pollingRate;
        v["wflag"] = system.wFlag;
        v["6key"] = system.key6Flag;
        v["winlock"] = system.winLock;
        v["repeat"] = system.repeatRate;
        v["repeatDelay"] = system.repeatDelay;
        Json::StyledWriter writer;
        out << writer.write(v);
        return;
    }
    PrintLightLines(out, light);
    out << "custom group  " << int(CustomLightGroupOf(light)) << "\n"
        << "polling       " << system.pollingRate << "\n"
        << "wflag         " << system.wFlag << "\n"
        << "6key          " << system.key6Flag << "\n"
        << "winlock       " << system.winLock << "\n"
        << "repeat        " << system.repeatRate << "\n"
        << "repeat delay  " << system.repeatDelay << "\n";
}

void ShowKeyboard(ModelCommandContext& ctx) {
    if (const auto* keyboard = ctx.ModelAs<CTalvorenKeyboardDevice>())
        PrintSettings(ctx, keyboard->CurrentLight(), keyboard->SystemSettings());
}

int ApplyKeyboard(ModelCommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.cli.Usage("usage: apply keyboard");
    int exitCode = kExitFailed;
    CTalvorenKeyboardDevice* keyboard = OpenKeyboard(ctx, exitCode);
    if (keyboard == nullptr) return exitCode;
    return RunProfileSelection(ctx, *keyboard);
}

// Types a keyboard key can be given from the key panel (the DPI and gun keys are the mouse's).
bool IsKeyboardPanelType(uint8_t type) {
    static constexpr uint8_t kTypes[] = {kKeyTypeMouseButton, kKeyTypeSwing,   kKeyTypeWheel,
                                         kKeyTypeRapidFire,   kKeyTypeKeyboard, kKeyTypeConsumer,
                                         kKeyTypeSystem,      kKeyTypeMacroRepeatMode, kKeyTypeMacroRepeatCount};
    return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

int KeyKeyboard(ModelCommandContext& ctx) {
    int exitCode = kExitUsage;
    if (ctx.args.size() == 1 && ctx.args[0] == "--write") {
        CTalvorenKeyboardDevice* keyboard = OpenKeyboard(ctx, exitCode);
        if (keyboard == nullptr) return exitCode;
        return WriteKeysAsPanel(ctx, *keyboard, "cannot write the profile file " + keyboard->ProfileDocumentPath().string());
    }
    if (ctx.args.size() != 4) return ctx.cli.Usage(kKeyUsage);
    const auto key = ParseNumber(ctx.args[0], 0, kKeyCount - 1);
    if (!key) return ctx.cli.Usage("KEYINDEX must be a number from 0 to 125, not \"" + ctx.args[0] + "\"");
    if (std::find(kBuiltInKeys.begin(), kBuiltInKeys.end(), *key) != kBuiltInKeys.end())
        return ctx.cli.Usage("key " + ctx.args[0] + " is a built-in key (FN, M1-M6) and keeps its function");
    const auto parsed = ParseKeyAssignmentWords(ctx, exitCode);
    if (!parsed) return exitCode;
    const KeyAssignment assignment = *parsed;
    if (!IsKeyboardPanelType(assignment.type))
        return ctx.cli.Usage("type 0x" + Hex2(assignment.type) + " cannot be given to a keyboard key");

    CTalvorenKeyboardDevice* keyboard = OpenKeyboard(ctx, exitCode);
    if (keyboard == nullptr) return exitCode;
    const size_t macroCount = keyboard->MacroNames().size();
    if ((assignment.type == kKeyTypeMacroRepeatMode || assignment.type == kKeyTypeMacroRepeatCount) &&
        assignment.p1 >= macroCount)
        return ctx.cli.Fail("there is no macro " + std::to_string(assignment.p1) + " (the list holds " +
                            std::to_string(macroCount) + ")");
    keyboard->SelectKey(static_cast<int>(*key));
    KeyListEntry entry = keyboard->KeyList()[static_cast<size_t>(*key)];
    entry.current = assignment;
    keyboard->StoreKeyAssignment(entry);
    if (!keyboard->SaveProfileDocument())
        return ctx.cli.Fail("cannot write the profile file " + keyboard->ProfileDocumentPath().string());
    const auto identity = [](std::string_view id) { return std::string(id); };
    ctx.cli.out << "key " << *key << ": " << KeyAssignmentText(assignment) << " "
                << keyboard->KeyLabels()[static_cast<size_t>(*key)].label.Text(identity) << "\n";
    return kExitOk;
}

int SystemKeyboard(ModelCommandContext& ctx) {
    int exitCode = kExitUsage;
    const auto options = OptionPairs(ctx, kSystemUsage, exitCode);
    if (!options) return exitCode;
    static const std::vector<std::tuple<std::string, KeyboardSystemField, long>> kFields = {
        {"--polling", KeyboardSystemField::PollingRate, kKeyboardSystemOptionCount - 1},
        {"--wflag", KeyboardSystemField::WFlag, 1},
        {"--6key", KeyboardSystemField::Key6Flag, 1},
        {"--winlock", KeyboardSystemField::WinLock, 1},
        {"--repeat", KeyboardSystemField::RepeatRate, 0xFFFF},
        {"--repeat-delay", KeyboardSystemField::RepeatDelay, kKeyboardSystemOptionCount - 1},
    };
    std::vector<CTalvorenKeyboardDevice::SystemChange> changes;
    for (const auto& [name, text] : *options) {
        const auto found = std::find_if(kFields.begin(), kFields.end(), [&](const auto& f) { return std::get<0>(f) == name; });
        if (found == kFields.end()) return ctx.cli.Usage("unknown option " + name + "\n" + kSystemUsage);
        const long max = std::get<2>(*found);
        const auto value = ParseNumber(text, 0, max);
        if (!value) return ctx.cli.Usage(name + " takes a number from 0 to " + std::to_string(max) + ", not \"" + text + "\"");
        changes.emplace_back(std::get<1>(*found), static_cast<int>(*value));
    }

    CTalvorenKeyboardDevice* keyboard = OpenKeyboard(ctx, exitCode);
    if (keyboard == nullptr) return exitCode;
    bool saved = false;
    std::optional<int> written;
    if (!keyboard->ChangeSystemSettings(changes, saved, [&written](int result) { written = result; }))
        return ctx.cli.Fail("the keyboard refused these system settings");
    PrintSettings(ctx, keyboard->CurrentLight(), keyboard->SystemSettings());
    if (!written) {
        if (!saved) return ctx.cli.Fail("cannot write the profile file " + keyboard->ProfileDocumentPath().string());
        if (!ctx.cli.json) ctx.cli.out << "(repeat rate and delay stay on this computer)\n";
        return kExitOk;
    }
    return FinishPanelChange(ctx, saved, *written, keyboard->ProfileDocumentPath().string());
}

int ReadProfileKeyboard(ModelCommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.cli.Usage("usage: read-profile keyboard");
    int exitCode = kExitFailed;
    CTalvorenKeyboardDevice* keyboard = OpenKeyboard(ctx, exitCode);
    if (keyboard == nullptr) return exitCode;
    const int read = OnDevice(*keyboard, [keyboard] { return keyboard->ReadSettingsBlock(); });
    if (read != kResultSuccess) return ctx.cli.Fail("reading the keyboard's settings: " + ctx.Describe(read));
    if (!keyboard->SaveProfileDocument())
        return ctx.cli.Fail("cannot write the profile file " + keyboard->ProfileDocumentPath().string());
    PrintSettings(ctx, keyboard->CurrentLight(), keyboard->SystemSettings());
    return kExitOk;
}

}  // namespace

ModelKindCommands KeyboardModelCommands() {
    return {.kind = kKindKeyboard,
            .apply = ApplyKeyboard,
            .key = KeyKeyboard,
            .system = SystemKeyboard,
            .readProfile = ReadProfileKeyboard,
            .showLight = ShowKeyboard};
}

}  // namespace morvek::cli
