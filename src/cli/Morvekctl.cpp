#include "cli/Morvekctl.h"

#include <functional>

#include "cli/CommandContext.h"
#include "cli/CustomLightCommands.h"
#include "cli/DeviceCommands.h"
#include "cli/EmulatorCommands.h"
#include "cli/HeadsetCommands.h"
#include "cli/MacroCommands.h"
#include "cli/ModelCommands.h"
#include "cli/MouseCommands.h"
#include "cli/OwningWindow.h"
#include "cli/ProfileCommands.h"
#include "cli/ShootCommands.h"
#include "cli/SyncCommands.h"
#include "cli/UpdateCommands.h"
#include "platform/Paths.h"
#include "platform/Trace.h"
#include "profiles/ProfileFiles.h"

namespace morvek::cli {
namespace {

struct CommandEntry {
    const char* name;
    const char* synopsis;
    std::function<int(CommandContext&)> run;
};

const std::vector<CommandEntry>& Commands() {
    static const std::vector<CommandEntry> commands = {
        {"devices", "devices                      the attached devices and their interfaces", RunDevices},
        {"info", "info KIND                    the device information record", RunInfo},
        {"key-table", "key-table KIND               the device key table, one slot a line", RunKeyTable},
        {"power", "power KIND                   the power status record", RunPower},
        {"profile", "profile list|add|delete|copy|reset --kind KIND\n"
                    "  profile rename NAME|select INDEX|import FILE|export FILE --kind KIND\n"
                    "                               the profile list of a device kind",
         RunProfile},
        {"macro", "macro list|add|delete|show|download --kind KIND\n"
                  "  macro rename NAME|select INDEX|import FILE|export FILE --kind KIND\n"
                  "  macro event move INDEX up|down|top|bottom|delete INDEX|all|delay INDEX MS --kind KIND\n"
                  "  macro event insert POSITION ACTION [DISTANCE] --kind KIND\n"
                  "                               the macros of the keyboard or the mouse",
         RunMacro},
        {"shoot", "shoot show GUN BULLET, shoot set GUN BULLET X Y DELAY [--left|--right] [--up|--down]\n"
                  "  shoot reset GUN, shoot import GUN FILE, shoot export GUN FILE, shoot download\n"
                  "                               the shoot patterns of the mouse",
         RunShoot},
        {"apply", "apply KIND                   the profile-selection sequence: settings, macros, key table",
         RunApply},
        {"light", "light KIND [--mode N] [--brightness L] [--speed S] [--direction D] [--random 0|1]\n"
                  "  [--colour RRGGBB]           change the light settings as the light panel does",
         RunLight},
        {"custom-light", "custom-light keyboard [--group N] [--colour RRGGBB] [--fill on|off] [--paint KEY[,KEY...]]\n"
                         "                               the keyboard's custom key colours (mode 38) as the light panel edits them",
         RunCustomLight},
        {"key", "key KIND KEYINDEX TYPE P1 P2  store one key assignment in the profile\n"
                "  key KIND --write             write the macros and the key table to the device",
         RunKey},
        {"system", "system keyboard [--polling N] [--wflag 0|1] [--6key 0|1] [--winlock 0|1] [--repeat N]\n"
                   "  [--repeat-delay N]           keyboard system settings as the system tab does",
         RunSystem},
        {"headset", "headset eq PRESET, headset band BAND VALUE, headset eq-save NAME [B1 .. B10]\n"
                    "  headset eq-delete, headset mic|monitor on|off|LEVEL, headset voice on|off|TYPE\n"
                    "  headset surround|room on|off, headset environment 0-5, headset room-size 0-100\n"
                    "                               the headset's sound settings as its panels change them",
         RunHeadset},
        {"read-profile", "read-profile KIND           the device's settings block in use, stored in the profile",
         RunReadProfile},
        {"sync", "sync KIND                    every attached device takes the light of KIND's effect", RunSync},
        {"dpi", "dpi STAGE VALUE              set a DPI stage of the mouse (VALUE in DPI)", RunDpi},
        {"dpi-enable", "dpi-enable STAGE 0|1         switch a DPI stage of the mouse on or off", RunDpiEnable},
        {"polling", "polling N                    the mouse's polling option (0-4)", RunPolling},
        {"pointer", "pointer [--speed N] [--precision 0|1] [--double-click N] [--scroll N] [--scroll-page 0|1]\n"
                    "                               pointer values kept in the mouse's profile",
         RunPointer},
        {"udev-rules", "udev-rules                   the udev rule file giving the seat's user access to the devices",
         RunUdevRules},
        {"update", "update check [--json] [--endpoint URL]\n"
                   "  update download N [--endpoint URL]\n"
                   "                               ask the update service about the devices and this program;\n"
                   "                               download row N of the check into the cache folder",
         RunUpdate},
        {"emulator", "emulator dump [KIND]         the emulated devices' memories as JSON\n"
                     "  emulator press|release KIND SLOT, emulator event KIND CODE\n"
                     "                               make an emulated device send an event report",
         RunEmulator},
    };
    return commands;
}

void PrintUsage(std::ostream& os) {
    os << "usage: morvekctl [GLOBAL OPTIONS] COMMAND [ARGUMENTS]\n\n"
          "global options:\n"
          "  --data-dir DIR           per-user data folder\n"
          "  --default-data DIR       read-only DefaultData folder\n"
          "  --emulate LIST           emulated devices: keyboard,mouse,wireless-mouse,pad,headset\n"
          "  --emulator-state FILE    load the emulated memories from FILE, save them back at exit\n"
          "  --emulator-latency MS    each report takes MS milliseconds each way\n"
          "  --emulator-link-down     the emulated wireless mouse is out of its receiver's reach\n"
          "  --emulator-fault FAULT   every emulated device shows FAULT: silent, stale[:N],\n"
          "                           status-ff, status-fe, vanish[:N], denied (may be given again)\n"
          "  --trace                  print every command report and answer to standard error\n"
          "  --json                   machine-readable output\n"
          "  -h, --help, --version\n\n"
          "KIND is keyboard, mouse, pad or headset.\n"
          "While the morvek window runs it owns the devices: it carries out the commands that\n"
          "talk to them (not with --emulate) and its pages show the change.\n\n"
          "commands:\n";
    for (const CommandEntry& c : Commands()) os << "  " << c.synopsis << "\n";
}

int RunCommandLine(hid::IHidBackend* windowBackend, const std::vector<std::string>& args, std::ostream& out,
                   std::ostream& err) {
    std::string error;
    const auto options = ParseGlobalOptions(args, error);
    if (!options) {
        err << "morvekctl: " << error << "\n";
        PrintUsage(err);
        return kExitUsage;
    }
    if (options->help) {
        PrintUsage(out);
        return kExitOk;
    }
    if (options->version) {
        out << "morvekctl " << MORVEK_VERSION << "\n";
        return kExitOk;
    }
    if (options->words.empty()) {
        err << "morvekctl: no command given\n";
        PrintUsage(err);
        return kExitUsage;
    }
    const std::string& name = options->words[0];
    const auto& commands = Commands();
    const auto entry = std::find_if(commands.begin(), commands.end(), [&](const auto& c) { return name == c.name; });
    if (entry == commands.end()) {
        err << "morvekctl: unknown command \"" << name << "\"\n";
        PrintUsage(err);
        return kExitUsage;
    }

    for (const std::string& word : options->emulate) {
        if (!emulator::ParseEmulatedKind(word)) {
            err << "morvekctl: --emulate: unknown device \"" << word
                << "\" (keyboard, mouse, wireless-mouse, pad, headset)\n";
            return kExitUsage;
        }
    }

    // One owner per device: while the window runs, it carries out what talks to the devices.
    if (windowBackend == nullptr && options->emulate.empty() && CommandTalksToDevices(options->words)) {
        const OwnerRequest request{args, UserDataFolder(options->dataDir), DefaultDataFolder(options->defaultDataDir)};
        if (const auto status = RunInOwningWindow(request, out, err)) return *status;
    }

    if (options->trace) SetTraceEnabled(true);
    auto session = CliSession::Create(*options, error, windowBackend);
    if (!session) {
        err << "morvekctl: " << error << "\n";
        return kExitFailed;
    }
    // What writes of an earlier call left when it was killed goes first.
    if (windowBackend == nullptr) {
        for (const auto& path : CleanUpInterruptedWrites(session->DataDir())) Trace("removed " + path.string());
    }
    CommandContext ctx{*session, {options->words.begin() + 1, options->words.end()}, out, err, options->json};
    const int status = entry->run(ctx);
    if (!session->SaveEmulatorState(error)) {
        err << "morvekctl: " << error << "\n";
        return status == kExitOk ? kExitFailed : status;
    }
    return status;
}

}  // namespace

int RunMorvekctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCommandLine(nullptr, args, out, err);
}

int RunMorvekctlOn(hid::IHidBackend& backend, const std::vector<std::string>& args, std::ostream& out,
                   std::ostream& err) {
    return RunCommandLine(&backend, args, out, err);
}

bool CommandTalksToDevices(const std::vector<std::string>& words) {
    if (words.empty()) return false;
    const std::string& name = words[0];
    const std::string sub = words.size() > 1 ? words[1] : "";
    if (name == "macro" || name == "shoot") return sub == "download";
    if (name == "update") return sub == "check";
    for (const char* device : {"devices", "info", "key-table", "power", "apply", "light", "custom-light", "key",
                               "system", "headset", "read-profile", "sync", "dpi", "dpi-enable", "polling", "pointer"})
        if (name == device) return true;
    return false;
}

}  // namespace morvek::cli
