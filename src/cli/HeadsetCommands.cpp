// The headset's commands: its panels' sound settings (headset ...) and its model commands
// (apply, read-profile), each doing what the headset page does for the same change, and what a
// light change prints.

#include "cli/HeadsetCommands.h"

#include <json/json.h>

#include <string>
#include <vector>

#include "cli/GlobalOptions.h"
#include "cli/ModelCommands.h"
#include "cli/LightOptions.h"
#include "devices/headset/TalvorenHS6533Device.h"

namespace morvek::cli {
namespace {

constexpr const char* kHeadsetUsage =
    "usage: headset eq PRESET (1-12, 13 the user equaliser) | headset band BAND VALUE (band 1-10, -20 to 20)\n"
    "       headset eq-save NAME [B1 .. B10] | headset eq-delete\n"
    "       headset mic on|off|LEVEL | headset monitor on|off|LEVEL (level 0-100) | headset voice on|off|TYPE (1-4)\n"
    "       headset surround on|off | headset room on|off | headset environment N (0-5) | headset room-size N (0-100)";
constexpr long kLowestGain = -20;
constexpr long kHighestGain = 20;
constexpr const char* kNameTakenText = "Another equaliser already has this name.";
constexpr const char* kAudioIdleText =
    "the headset's audio library is not available (libosConfLib.so or an audio device is missing); "
    "the change is kept in the profile only";

CTalvorenHS6533Device* OpenHeadset(ModelCommandContext& ctx, int& exitCode) {
    auto* headset = ctx.ModelAs<CTalvorenHS6533Device>();
    if (headset == nullptr) exitCode = ctx.ExitCode();
    return headset;
}

Json::Value StateJson(const CTalvorenHS6533Device& headset) {
    const HeadsetSystemValues words = headset.Words();
    const HeadsetPanel panel = headset.Panel();
    Json::Value v;
    v["audio"] = headset.AudioActive() ? "active" : "idle";
    v["eqType"] = words[kWordEqType];
    for (int band : panel.sliders) v["bands"].append(band);
    v["userEqualisers"] = Json::Value(Json::arrayValue);
    for (const std::string& name : headset.UserEqNames()) v["userEqualisers"].append(name);
    v["userEqualiser"] = panel.customSelection;
    v["microphone"] = words[kWordMicInSelect] != 0 ? "on" : "off";
    v["microphoneLevel"] = words[kWordMicInValue];
    v["monitor"] = words[kWordMonitorSelect] != 0 ? "on" : "off";
    v["monitorLevel"] = words[kWordMonitorValue];
    v["voiceChanger"] = words[kWordMagicEnable] != 0 ? "on" : "off";
    v["voice"] = words[kWordMagicType];
    const HeadsetSurround surround = headset.Surround();
    v["surround"] = surround.surroundOn ? "on" : "off";
    v["room"] = surround.roomOn ? "on" : "off";
    v["environment"] = surround.environment;
    v["roomSize"] = surround.roomSize;
    return v;
}

void PrintState(ModelCommandContext& ctx, const CTalvorenHS6533Device& headset) {
    const Json::Value v = StateJson(headset);
    std::ostream& out = ctx.cli.out;
    if (ctx.cli.json) {
        out << Json::StyledWriter().write(v);
        return;
    }
    std::string bands;
    for (const Json::Value& b : v["bands"]) bands += (bands.empty() ? "" : " ") + std::to_string(b.asInt());
    std::string names;
    for (Json::ArrayIndex i = 0; i < v["userEqualisers"].size(); ++i) {
        const bool chosen = int(i) == v["userEqualiser"].asInt();
        names += std::string(names.empty() ? "" : ", ") + (chosen ? "*" : "") + v["userEqualisers"][i].asString();
    }
    out << "audio            " << v["audio"].asString() << "\n"
        << "equaliser        " << (v["eqType"].asInt() == 13 ? "user" : "preset " + std::to_string(v["eqType"].asInt()))
        << "\n"
        << "bands            " << bands << "\n"
        << "user equalisers  " << names << "\n"
        << "microphone       " << v["microphone"].asString() << ", level " << v["microphoneLevel"].asInt() << "\n"
        << "monitor          " << v["monitor"].asString() << ", level " << v["monitorLevel"].asInt() << "\n"
        << "voice changer    " << v["voiceChanger"].asString() << ", voice " << v["voice"].asInt() << "\n"
        << "7.1 surround     " << v["surround"].asString() << "\n"
        << "room effect      " << v["room"].asString() << ", environment " << v["environment"].asInt() << ", size "
        << v["roomSize"].asInt() << "\n";
}

// The end of a panel change: saved, shown, and the library reached (or a clear failure).
int Finish(ModelCommandContext& ctx, CTalvorenHS6533Device& headset, HeadsetChange change, bool libraryTookIt = true) {
    if (change == HeadsetChange::BadValue) return ctx.cli.Usage(kHeadsetUsage);
    PrintState(ctx, headset);
    if (change == HeadsetChange::NotSaved) return ctx.cli.Fail("cannot write the headset's profile file");
    if (!headset.AudioActive()) return ctx.cli.Fail(kAudioIdleText);
    if (!libraryTookIt) return ctx.cli.Fail("the audio library did not take the change (it could not keep the value)");
    return kExitOk;
}

// on, off or a level 0-100.
struct SwitchOrLevel {
    std::optional<bool> on;
    std::optional<int> level;
};
std::optional<SwitchOrLevel> ParseSwitchOrLevel(const std::string& text, long highest) {
    if (text == "on") return SwitchOrLevel{true, std::nullopt};
    if (text == "off") return SwitchOrLevel{false, std::nullopt};
    const auto level = ParseNumber(text, 0, highest);
    if (!level) return std::nullopt;
    return SwitchOrLevel{std::nullopt, static_cast<int>(*level)};
}

// mic and monitor: a switch is toggled only when it is not already where asked.
int RunLevelPath(ModelCommandContext& ctx, CTalvorenHS6533Device& headset, const SwitchOrLevel& request,
                 bool microphone) {
    const size_t selectWord = microphone ? kWordMicInSelect : kWordMonitorSelect;
    const size_t valueWord = microphone ? kWordMicInValue : kWordMonitorValue;
    if (request.level) {
        const HeadsetChange change =
            microphone ? headset.SetMicrophoneLevel(*request.level) : headset.SetMonitorLevel(*request.level);
        return Finish(ctx, headset, change, headset.Words()[valueWord] == *request.level);
    }
    const bool muted = microphone ? headset.MicrophoneMuted() : headset.MonitorMuted();
    HeadsetChange change = HeadsetChange::Done;
    if (muted == *request.on) change = microphone ? headset.ToggleMicrophone() : headset.ToggleMonitor();
    return Finish(ctx, headset, change, (headset.Words()[selectWord] != 0) == *request.on);
}

int RunEqSave(ModelCommandContext& ctx, CTalvorenHS6533Device& headset, const std::vector<std::string>& args) {
    if (args.size() != 2 && args.size() != 2 + CHs6533Profiledata::kBandCount) return ctx.cli.Usage(kHeadsetUsage);
    std::vector<int> bands;
    for (size_t i = 2; i < args.size(); ++i) {
        const auto gain = ParseNumber(args[i], kLowestGain, kHighestGain);
        if (!gain) return ctx.cli.Usage("band values are numbers from -20 to 20, not \"" + args[i] + "\"");
        bands.push_back(static_cast<int>(*gain));
    }
    // The bands given are moved on the sliders first, as the user moves them before saving.
    for (size_t b = 0; b < bands.size(); ++b) headset.MoveBandSlider(static_cast<int>(b), bands[b]);
    bool saved = false;
    switch (headset.SaveUserEq(args[1], &saved)) {
    case EqSaveResult::NameTaken: return ctx.cli.Fail(kNameTakenText);
    case EqSaveResult::Refused:
        return ctx.cli.Fail(args[1].empty() ? "no user equaliser is chosen to save under an empty name"
                                            : "the headset keeps at most 20 user equalisers");
    case EqSaveResult::Saved: break;
    }
    return Finish(ctx, headset, saved ? HeadsetChange::Done : HeadsetChange::NotSaved);
}

int RunHeadsetCommand(ModelCommandContext& ctx, const std::vector<std::string>& args) {
    const std::string& what = args[0];
    int exitCode = kExitFailed;
    if (what == "eq" && args.size() == 2) {
        const auto preset = ParseNumber(args[1], 1, CHs6533Profiledata::kCustomEqType);
        if (!preset) return ctx.cli.Usage("PRESET is a number from 1 to 13, not \"" + args[1] + "\"");
        CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
        if (headset == nullptr) return exitCode;
        const HeadsetChange change = *preset == CHs6533Profiledata::kCustomEqType ? headset->SelectUserEqOption()
                                                                                  : headset->SelectEqPreset(int(*preset));
        return Finish(ctx, *headset, change, headset->LibraryTookLastChange());
    }
    if (what == "band" && args.size() == 3) {
        const auto band = ParseNumber(args[1], 1, CHs6533Profiledata::kBandCount);
        const auto gain = ParseNumber(args[2], kLowestGain, kHighestGain);
        if (!band || !gain) return ctx.cli.Usage("BAND is 1-10 and VALUE -20 to 20\n" + std::string(kHeadsetUsage));
        CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
        if (headset == nullptr) return exitCode;
        const HeadsetChange change = headset->MoveBandSlider(int(*band) - 1, int(*gain));
        const int result = Finish(ctx, *headset, change, headset->LibraryTookLastChange());
        if (result == kExitOk && !ctx.cli.json) {
            ctx.cli.out << "(the band is in the library; save it with headset eq-save to keep it in the profile)\n";
        }
        return result;
    }
    if (what == "eq-save" && args.size() >= 2) {
        CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
        return headset == nullptr ? exitCode : RunEqSave(ctx, *headset, args);
    }
    if (what == "eq-delete" && args.size() == 1) {
        CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
        if (headset == nullptr) return exitCode;
        const HeadsetChange change = headset->DeleteUserEq();
        if (change == HeadsetChange::BadValue) return ctx.cli.Fail("no user equaliser is chosen");
        PrintState(ctx, *headset);
        return change == HeadsetChange::Done ? kExitOk : ctx.cli.Fail("cannot write the headset's profile file");
    }
    if ((what == "mic" || what == "monitor") && args.size() == 2) {
        const auto request = ParseSwitchOrLevel(args[1], HeadsetSoundSettings::kMaxLevel);
        if (!request) return ctx.cli.Usage(what + " takes on, off or a level from 0 to 100, not \"" + args[1] + "\"");
        CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
        return headset == nullptr ? exitCode : RunLevelPath(ctx, *headset, *request, what == "mic");
    }
    if (what == "voice" && args.size() == 2) {
        const auto request = ParseSwitchOrLevel(args[1], HeadsetSoundSettings::kVoiceCount);
        if (!request || (request->level && *request->level < 1))
            return ctx.cli.Usage("voice takes on, off or a voice from 1 to 4, not \"" + args[1] + "\"");
        CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
        if (headset == nullptr) return exitCode;
        if (headset->AudioActive() && !headset->HasVoiceChanger())
            return ctx.cli.Fail("this headset has no voice changer");
        const HeadsetChange change =
            request->on ? headset->SetVoiceChanger(*request->on) : headset->SelectVoice(*request->level);
        return Finish(ctx, *headset, change, headset->LibraryTookLastChange());
    }
    if ((what == "surround" || what == "room") && args.size() == 2 && (args[1] == "on" || args[1] == "off")) {
        CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
        if (headset == nullptr) return exitCode;
        const bool on = args[1] == "on";
        return Finish(ctx, *headset, what == "surround" ? headset->SetSurround(on) : headset->SetRoomEffect(on));
    }
    if ((what == "environment" || what == "room-size") && args.size() == 2) {
        const bool environment = what == "environment";
        const auto value = ParseNumber(args[1], 0, environment ? kSurroundEnvironmentCount - 1 : kMaxRoomSize);
        if (!value) return ctx.cli.Usage(what + (environment ? " takes 0 to 5" : " takes 0 to 100") + ", not \"" +
                                         args[1] + "\"");
        CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
        if (headset == nullptr) return exitCode;
        return Finish(ctx, *headset,
                      environment ? headset->SetEnvironment(int(*value)) : headset->SetRoomSize(int(*value)));
    }
    return ctx.cli.Usage(kHeadsetUsage);
}

int ApplyHeadset(ModelCommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.cli.Usage("usage: apply headset");
    int exitCode = kExitFailed;
    CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
    if (headset == nullptr) return exitCode;
    return RunProfileSelection(ctx, *headset);
}

void ShowHeadset(ModelCommandContext& ctx) {
    const auto* headset = ctx.ModelAs<CTalvorenHS6533Device>();
    if (headset == nullptr) return;
    if (ctx.cli.json) {
        Json::Value v;
        AddLightMembers(v, headset->CurrentLight());
        ctx.cli.out << Json::StyledWriter().write(v);
        return;
    }
    PrintLightLines(ctx.cli.out, headset->CurrentLight());
}

int ReadProfileHeadset(ModelCommandContext& ctx) {
    if (!ctx.args.empty()) return ctx.cli.Usage("usage: read-profile headset");
    int exitCode = kExitFailed;
    CTalvorenHS6533Device* headset = OpenHeadset(ctx, exitCode);
    if (headset == nullptr) return exitCode;
    int active = -1;
    const int read = OnDevice(*headset, [headset, &active] { return headset->ReadLightHead(active); });
    if (read != kResultSuccess) return ctx.cli.Fail("reading the headset's light head: " + ctx.Describe(read));
    const HeadsetLightHead::Bytes head = headset->LightHead().Held();
    if (ctx.cli.json) {
        Json::Value v;
        v["activeProfile"] = active;
        for (uint8_t b : head) v["head"].append(b);
        ctx.cli.out << Json::StyledWriter().write(v);
        return kExitOk;
    }
    ctx.cli.out << "active profile  " << active << "\n"
                << "effect          " << int(head[1]) << "\n"
                << "brightness      " << int(head[2]) << "\n"
                << "speed           " << int(head[3]) << "\n"
                << "direction       " << int(head[4]) << "\n"
                << "random          " << int(head[5]) << "\n"
                << "colour          " << ColourText({head[6], head[7], head[8]}) << "\n";
    return kExitOk;
}

}  // namespace

int RunHeadset(CommandContext& ctx) {
    if (ctx.args.empty()) return ctx.Usage(kHeadsetUsage);
    ModelCommandContext modelCtx(ctx, kKindHeadset, ctx.args);
    return RunHeadsetCommand(modelCtx, ctx.args);
}

ModelKindCommands HeadsetModelCommands() {
    return {.kind = kKindHeadset, .apply = ApplyHeadset, .readProfile = ReadProfileHeadset, .showLight = ShowHeadset};
}

}  // namespace morvek::cli
