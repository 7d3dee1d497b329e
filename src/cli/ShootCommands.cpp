#include "cli/ShootCommands.h"

#include <json/json.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "devicelink/DeviceTables.h"
#include "macros/MacroEvent.h"
#include "macros/ShootEditor.h"
#include "macros/ShootImage.h"
#include "profiles/ProfileFiles.h"

namespace morvek::cli {
namespace {

constexpr const char* kShootUsage =
    "usage: shoot show GUN BULLET, shoot set GUN BULLET X Y DELAY [--left|--right] [--up|--down],\n"
    "       shoot reset GUN, shoot import GUN FILE, shoot export GUN FILE, shoot download\n"
    "       (GUN 0-3, BULLET 0-29, X and Y 0-255, DELAY 0-65535 ms)";

struct ShootCommand {
    std::string action;
    std::vector<std::string> operands;
    std::optional<bool> left;  // --left / --right; unset keeps the bullet's direction
    std::optional<bool> up;    // --up / --down
};

// Number of operands each action takes; -1 for an unknown action.
int OperandCount(const std::string& action) {
    if (action == "show") return 2;
    if (action == "set") return 5;
    if (action == "reset") return 1;
    if (action == "import" || action == "export") return 2;
    if (action == "download") return 0;
    return -1;
}

bool SetDirection(std::optional<bool>& direction, bool value) {
    if (direction && *direction != value) return false;
    direction = value;
    return true;
}

std::optional<ShootCommand> ParseShootCommand(CommandContext& ctx, int& exitCode) {
    if (ctx.args.empty()) {
        exitCode = ctx.Usage(kShootUsage);
        return std::nullopt;
    }
    ShootCommand command{ctx.args[0], {}, std::nullopt, std::nullopt};
    const int operandCount = OperandCount(command.action);
    if (operandCount < 0) {
        exitCode = ctx.Usage("unknown shoot command \"" + command.action + "\"\n" + kShootUsage);
        return std::nullopt;
    }
    for (size_t i = 1; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        bool consistent = true;
        if (a == "--json") ctx.json = true;
        else if (a == "--left" && command.action == "set") consistent = SetDirection(command.left, true);
        else if (a == "--right" && command.action == "set") consistent = SetDirection(command.left, false);
        else if (a == "--up" && command.action == "set") consistent = SetDirection(command.up, true);
        else if (a == "--down" && command.action == "set") consistent = SetDirection(command.up, false);
        else if (a.rfind("--", 0) == 0) {
            exitCode = ctx.Usage("unknown option " + a + "\n" + kShootUsage);
            return std::nullopt;
        } else {
            command.operands.push_back(a);
        }
        if (!consistent) {
            exitCode = ctx.Usage("give one of --left and --right, and one of --up and --down");
            return std::nullopt;
        }
    }
    if (static_cast<int>(command.operands.size()) != operandCount) {
        exitCode = ctx.Usage(kShootUsage);
        return std::nullopt;
    }
    return command;
}

// The numbered operands, each within its range; nothing (with the usage error given) otherwise.
std::optional<std::vector<int>> Numbers(CommandContext& ctx, const ShootCommand& c, size_t count, int& exitCode) {
    static const struct {
        const char* name;
        long max;
    } kRanges[] = {{"GUN", ShootFile::kGunCount - 1},
                   {"BULLET", ShootFile::kBulletCount - 1},
                   {"X", ShootFile::kMaxDistance},
                   {"Y", ShootFile::kMaxDistance},
                   {"DELAY", kMaxMacroDelayMs}};
    std::vector<int> numbers;
    for (size_t i = 0; i < count; ++i) {
        const auto n = ParseNumber(c.operands[i], 0, kRanges[i].max);
        if (!n) {
            exitCode = ctx.Usage(std::string(kRanges[i].name) + " is a number from 0 to " +
                                 std::to_string(kRanges[i].max) + ", not \"" + c.operands[i] + "\"");
            return std::nullopt;
        }
        numbers.push_back(static_cast<int>(*n));
    }
    return numbers;
}

void PrintBullet(CommandContext& ctx, int gun, int bullet, const BulletStep& s) {
    if (ctx.json) {
        Json::Value v;
        v["gun"] = gun;
        v["bullet"] = bullet;
        v["x"] = s.x;
        v["y"] = s.y;
        v["delay"] = s.delay;
        v["horizontal"] = s.left ? "left" : "right";
        v["vertical"] = s.up ? "up" : "down";
        ctx.out << Json::StyledWriter().write(v);
        return;
    }
    ctx.out << "gun " << gun << " bullet " << bullet << ": x " << s.x << (s.left ? " left" : " right") << ", y "
            << s.y << (s.up ? " up" : " down") << ", delay " << s.delay << " ms\n";
}

// Why a gun has no pattern to show, change or send, and how it gets one.
std::string NoPatternText(const ShootEditor& editor, int gun) {
    const std::string n = std::to_string(gun);
    return "gun " + n + " has no shoot pattern: " + editor.UserFile(gun).string() +
           " is missing or damaged (\"shoot reset " + n + "\" or \"shoot import " + n + " FILE\" gives it one)";
}

int Failed(CommandContext& ctx, const ShootEditor& editor, ShootStatus status, const std::string& file) {
    switch (status) {
        case ShootStatus::WriteFailed:
            return ctx.Fail("cannot write " + (file.empty() ? editor.UserFile(editor.CurrentGun()).string() : file));
        case ShootStatus::NoDefault:
            return ctx.Fail("there is no default pattern " + editor.DefaultFile(editor.CurrentGun()).string());
        case ShootStatus::DamagedDefault:
            return ctx.Fail("the default pattern " + editor.DefaultFile(editor.CurrentGun()).string() +
                            " is damaged; gun " + std::to_string(editor.CurrentGun()) + " keeps what it has");
        case ShootStatus::NotAShootFile: return ctx.Fail(file + " is not a shoot pattern (one with an \"Events\" list)");
        case ShootStatus::NoFile: return ctx.Fail(NoPatternText(editor, editor.CurrentGun()));
        case ShootStatus::OutOfRange:
        case ShootStatus::Ok: break;
    }
    return ctx.Fail("the shoot pattern operation failed");
}

int Download(CommandContext& ctx, const ShootEditor& editor, const std::filesystem::path& folder) {
    // Checked before any device is looked for: an image of empty patterns would clear the mouse's.
    if (const auto gun = UnreadableShootPattern(folder)) return ctx.Fail(NoPatternText(editor, *gun));
    const auto device = ctx.session.FindDevice(kKindMouse);
    if (!device) return ctx.Fail(ctx.session.MissingDeviceText(kKindMouse));
    CHidChannel channel(ctx.session.Backend());
    const CommandSequence sequence(channel);
    if (!ctx.session.OpenCommandChannel(*device, channel))
        return ctx.Fail("cannot open " + device->command.path + " (is it in use, or missing permissions?)");
    const int result = DownloadShootPatterns(channel, folder);
    if (result == kResultRefused) return ctx.Fail("the shoot patterns are too large for the mouse");
    if (result == kShootPatternUnreadable) {
        return ctx.Fail(NoPatternText(editor, UnreadableShootPattern(folder).value_or(0)));
    }
    if (result != kResultSuccess)
        return ctx.Fail("downloading the shoot patterns: " + DescribeDeviceResult(channel, result, "mouse"));
    ctx.out << "downloaded the shoot patterns\n";
    return kExitOk;
}

// Runs an action on the set-up editor; n holds its checked numbers.
int RunAction(CommandContext& ctx, ShootEditor& editor, const ShootCommand& c, const std::vector<int>& n,
              const std::filesystem::path& folder) {
    if (c.action == "download") return Download(ctx, editor, folder);
    editor.SelectGun(n[0]);
    if ((c.action == "show" || c.action == "set") && editor.CheckUserFile(n[0]) != ShootStatus::Ok)
        return Failed(ctx, editor, ShootStatus::NoFile, "");
    if (c.action == "show") {
        PrintBullet(ctx, n[0], n[1], editor.SelectBullet(n[1]));
        return kExitOk;
    }
    if (c.action == "set") {
        BulletStep step = editor.SelectBullet(n[1]);
        step.x = n[2];
        step.y = n[3];
        step.delay = n[4];
        step.left = c.left.value_or(step.left);
        step.up = c.up.value_or(step.up);
        const ShootStatus status = editor.SaveBullet(n[0], n[1], step);
        if (status != ShootStatus::Ok) return Failed(ctx, editor, status, "");
        PrintBullet(ctx, n[0], n[1], editor.LoadBullet(n[0], n[1]));
        return kExitOk;
    }
    const std::string file = c.operands.size() > 1 ? c.operands[1] : std::string();
    ShootStatus status = ShootStatus::Ok;
    if (c.action == "reset") status = editor.ResetGun(n[0]);
    else if (c.action == "import") status = editor.ImportGun(file);
    else status = editor.ExportGun(file);
    if (status != ShootStatus::Ok) return Failed(ctx, editor, status, file);
    if (c.action == "reset") ctx.out << "gun " << n[0] << " has its default pattern again\n";
    else if (c.action == "import") ctx.out << "imported " << file << " as the pattern of gun " << n[0] << "\n";
    else ctx.out << "exported the pattern of gun " << n[0] << " to " << file << "\n";
    return kExitOk;
}

}  // namespace

int RunShoot(CommandContext& ctx) {
    int exitCode = kExitOk;
    const auto command = ParseShootCommand(ctx, exitCode);
    if (!command) return exitCode;
    const std::string& action = command->action;
    const size_t numbered = action == "show" ? 2 : action == "set" ? 5 : action == "download" ? 0 : 1;
    const auto numbers = Numbers(ctx, *command, numbered, exitCode);
    if (!numbers) return exitCode;
    // The patterns live in the mouse's folder; a gun without one gets its default first.
    const std::filesystem::path folder = ProfileFolder(ctx.session.DataDir(), kKindMouse);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) return ctx.Fail("cannot make the folder " + folder.string() + ": " + ec.message());
    ShootEditor editor;
    editor.SetUserFolder(folder);
    editor.SetDefaultFolder(ctx.session.DefaultDataDir());
    const ShootStatus init = editor.InitShootData();
    for (const auto& kept : editor.DamagedFilesKept())
        ctx.err << "morvekctl: a damaged shoot pattern was kept as " << kept.string() << "\n";
    if (init == ShootStatus::WriteFailed) return ctx.Fail("cannot write the shoot patterns in " + folder.string());
    return RunAction(ctx, editor, *command, *numbers, folder);
}

}  // namespace morvek::cli
