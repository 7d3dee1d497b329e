#include "cli/MacroCommands.h"

#include <json/json.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "cli/MacroEventCommands.h"
#include "devicelink/DeviceKinds.h"
#include "macros/MacroDeleteFlow.h"
#include "macros/MacroDownload.h"
#include "macros/MacroEvent.h"
#include "macros/MacroListModel.h"
#include "profiles/ProfileFiles.h"

namespace morvek::cli {
namespace {

constexpr const char* kMacroUsage =
    "usage: macro list|add|delete|show|download --kind KIND, macro rename NAME --kind KIND,\n"
    "       macro import FILE|export FILE --kind KIND, macro select INDEX --kind KIND,\n"
    "       macro event move|delete|delay|insert ... --kind KIND (the selected macro's events)\n"
    "       (KIND is keyboard or mouse)";

struct MacroCommand {
    std::string action;
    uint16_t kind = 0;
    std::string operand;
    int index = -1;  // select
};

// Number of operands each action takes; -1 for an unknown action.
int OperandCount(const std::string& action) {
    for (const char* a : {"list", "add", "delete", "show", "download"}) {
        if (action == a) return 0;
    }
    for (const char* a : {"rename", "import", "export", "select"}) {
        if (action == a) return 1;
    }
    return -1;
}

std::optional<MacroCommand> ParseMacroCommand(CommandContext& ctx, int& exitCode) {
    if (ctx.args.empty()) {
        exitCode = ctx.Usage(kMacroUsage);
        return std::nullopt;
    }
    MacroCommand command{ctx.args[0], 0, {}, -1};
    const int operandCount = OperandCount(command.action);
    if (operandCount < 0) {
        exitCode = ctx.Usage("unknown macro command \"" + command.action + "\"\n" + kMacroUsage);
        return std::nullopt;
    }
    std::vector<std::string> operands;
    for (size_t i = 1; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "--kind") {
            if (i + 1 >= ctx.args.size()) {
                exitCode = ctx.Usage("--kind needs a KIND (keyboard or mouse)");
                return std::nullopt;
            }
            const auto kind = KindFromWord(ctx.args[++i]);
            if (!kind || !FindDeviceKind(*kind)->hasMacros) {
                exitCode = ctx.Usage("only the keyboard and the mouse have macros, not \"" + ctx.args[i] + "\"");
                return std::nullopt;
            }
            command.kind = *kind;
        } else if (a == "--json") {
            ctx.json = true;
        } else if (a.rfind("--", 0) == 0) {
            exitCode = ctx.Usage("unknown option " + a + "\n" + kMacroUsage);
            return std::nullopt;
        } else {
            operands.push_back(a);
        }
    }
    if (command.kind == 0) {
        exitCode = ctx.Usage("macro " + command.action + " needs --kind KIND (keyboard or mouse)");
        return std::nullopt;
    }
    if (static_cast<int>(operands.size()) != operandCount) {
        exitCode = ctx.Usage(kMacroUsage);
        return std::nullopt;
    }
    if (!operands.empty()) command.operand = operands[0];
    if ((command.action == "import" || command.action == "export") && command.operand.empty()) {
        exitCode = ctx.Usage("macro " + command.action + " needs a FILE name");
        return std::nullopt;
    }
    if (command.action == "select") {
        const auto index = ParseNumber(command.operand, 0, 1000000);
        if (!index) {
            exitCode = ctx.Usage("INDEX must be a number from 0, not \"" + command.operand + "\"");
            return std::nullopt;
        }
        command.index = static_cast<int>(*index);
    }
    return command;
}

// The English text of the messages the window shows through text keys.
std::string EnglishText(const char* key) {
    const std::string k = key;
    if (k == "message_text_5") return "Another macro already has this name.";
    if (k == "message_text_5_1") return "The macro name cannot be empty.";
    if (k == "message_text_5_2") return "The macro name cannot contain spaces.";
    if (k == "message_text_7") return "The macros could not be downloaded to the device.";
    if (k == "message_text_16") return "The macros do not fit into the device's memory: remove %d events.";
    return k;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string SelectedName(const MacroListModel& model) {
    const int s = model.GetSelectedMacro();
    return s >= 0 ? model.Macros()[static_cast<size_t>(s)].name : std::string();
}

int Failed(CommandContext& ctx, const MacroListModel& model, MacroStatus status, const std::string& action,
           const std::string& operand) {
    switch (status) {
        case MacroStatus::NameEmpty: return ctx.Fail(EnglishText("message_text_5_1"));
        case MacroStatus::NameHasBlank: return ctx.Fail(EnglishText("message_text_5_2"));
        case MacroStatus::NameTaken: return ctx.Fail(EnglishText("message_text_5"));
        case MacroStatus::NoSelection: return ctx.Fail("no macro is selected (macro select INDEX)");
        case MacroStatus::LimitReached:
            return ctx.Fail("there are already " + std::to_string(MacroListModel::kMaxMacros) +
                            " macros; delete one first");
        case MacroStatus::OutOfRange:
            return ctx.Fail("there is no macro " + operand + " (the list holds " +
                            std::to_string(model.Macros().size()) + ")");
        case MacroStatus::WriteFailed:
            if (action == "export") return ctx.Fail("cannot write " + operand);
            return ctx.Fail("cannot write the files in " + model.Folder().string());
        case MacroStatus::ListNotAFile:
            return ctx.Fail(MacroListFile(model.Folder()).Path().string() +
                            " is not a regular file (a folder or a special file stands in its place)");
        case MacroStatus::NoMacroFile:
            return ctx.Fail("the file of macro " + Quoted(SelectedName(model)) + " cannot be used");
        case MacroStatus::NotAMacroFile:
            return ctx.Fail(operand + " is not a macro file (one with an \"Events\" list)");
        case MacroStatus::Ok: break;
    }
    return ctx.Fail("the macro operation failed");
}

void PrintList(CommandContext& ctx, const MacroListModel& model, uint16_t kind) {
    const auto& macros = model.Macros();
    const int selected = model.GetSelectedMacro();
    if (ctx.json) {
        Json::Value v;
        v["kind"] = KindWord(kind);
        v["selected"] = selected;
        v["macros"] = Json::Value(Json::arrayValue);
        for (size_t i = 0; i < macros.size(); ++i) {
            Json::Value row;
            row["index"] = static_cast<Json::UInt>(i);
            row["name"] = macros[i].name;
            row["guid"] = macros[i].guid;
            row["selected"] = static_cast<int>(i) == selected;
            v["macros"].append(row);
        }
        ctx.out << Json::StyledWriter().write(v);
        return;
    }
    for (size_t i = 0; i < macros.size(); ++i)
        ctx.out << (static_cast<int>(i) == selected ? "* " : "  ") << i << "  " << macros[i].name << "\n";
}

std::string Hex2(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", value & 0xFF);
    return text;
}

// One event as a user reads it: what is pressed or moved, and how.
std::string DescribeEvent(const MacroEvent& e) {
    const std::string press = e.down ? "down" : "up";
    switch (e.type) {
        case kMacroEventKey: return "key " + Hex2(e.button) + " " + press;
        case kMacroEventModifier: return "modifier " + Hex2(e.button) + " " + press;
        case kMacroEventMouseButton: return "mouse button " + Hex2(e.button) + " " + press;
        case kMacroEventMoveHorizontal: return std::string("move ") + (e.down ? "left " : "right ") + std::to_string(e.button);
        case kMacroEventMoveVertical: return std::string("move ") + (e.down ? "up " : "down ") + std::to_string(e.button);
        default: return "mouse event " + std::to_string(e.type) + " " + Hex2(e.button) + " " + press;
    }
}

int Show(CommandContext& ctx, const MacroListModel& model) {
    const int s = model.GetSelectedMacro();
    if (s < 0) return Failed(ctx, model, MacroStatus::NoSelection, "show", "");
    const MacroInfo& macro = model.Macros()[static_cast<size_t>(s)];
    if (ctx.json) {
        Json::Value v;
        v["index"] = s;
        v["name"] = macro.name;
        v["guid"] = macro.guid;
        v["events"] = Json::Value(Json::arrayValue);
        for (const MacroAction& action : model.Actions()) v["events"].append(action.event);
        ctx.out << Json::StyledWriter().write(v);
        return kExitOk;
    }
    ctx.out << s << "  " << macro.name << "  (" << model.Actions().size() << " events)\n";
    for (size_t i = 0; i < model.Actions().size(); ++i) {
        const MacroAction& action = model.Actions()[i];
        ctx.out << "  " << i << "  " << DescribeEvent(MacroEvent::FromJson(action.event)) << ", wait "
                << action.delayText << " ms\n";
    }
    return kExitOk;
}

int Download(CommandContext& ctx, const MacroCommand& c, const std::filesystem::path& folder) {
    const auto device = ctx.session.FindDevice(c.kind);
    if (!device) return ctx.Fail(ctx.session.MissingDeviceText(c.kind));
    CHidChannel channel(ctx.session.Backend());
    const CommandSequence sequence(channel);
    if (!ctx.session.OpenCommandChannel(*device, channel))
        return ctx.Fail("cannot open " + device->command.path + " (is it in use, or missing permissions?)");
    const auto macros = ReadDeviceMacros(folder);
    const int result = DownloadMacros(channel, folder, device->kind);
    if (result == kMacroDownloadFailed && channel.SequenceUnanswered())
        return ctx.Fail(DescribeDeviceResult(channel, kResultNoAnswer, KindWord(c.kind)));
    if (result != kMacroDownloadDone) return ctx.Fail(MacroDownloadMessage(result));
    if (!macros) ctx.out << "no macros to download; the device keeps its macros\n";
    else ctx.out << "downloaded " << macros->size() << " macros\n";
    return kExitOk;
}

std::string DeleteReport(const std::string& name, const MacroKeyChanges& changes) {
    std::string report = "deleted " + Quoted(name);
    if (changes.keysFreed > 0 || changes.keysRenumbered > 0) {
        report += "; in " + std::to_string(changes.profiles) + " profiles, keys back to their defaults: " +
                  std::to_string(changes.keysFreed) +
                  ", keys following the new macro numbers: " + std::to_string(changes.keysRenumbered);
    }
    return report;
}

// Runs a changing action; on success sets what to report.
MacroStatus RunAction(MacroListModel& model, const MacroCommand& c, const std::filesystem::path& folder,
                      std::string& report) {
    const std::string before = SelectedName(model);
    if (c.action == "add") {
        const MacroAddResult added = model.AddMacro();
        report = "added " + Quoted(added.name);
        return added.status;
    }
    if (c.action == "delete") {
        MacroKeyChanges changes;
        const MacroStatus status = DeleteMacroAndFixKeys(model, folder, changes);
        report = DeleteReport(before, changes);
        return status;
    }
    if (c.action == "rename") {
        report = "renamed " + Quoted(before) + " to " + Quoted(c.operand);
        return model.RenameMacro(c.operand).status;
    }
    if (c.action == "select") {
        const MacroStatus status = model.SelectMacro(c.index);
        report = "selected " + c.operand + " " + Quoted(SelectedName(model));
        return status;
    }
    if (c.action == "import") {
        const MacroAddResult added = model.ImportMacro(c.operand);
        report = "imported " + c.operand + " as " + Quoted(added.name);
        return added.status;
    }
    report = "exported " + Quoted(before) + " to " + c.operand;
    return model.ExportMacro(c.operand);
}

}  // namespace

std::string MacroDownloadMessage(int result) {
    if (result > 0) {
        std::string text = EnglishText("message_text_16");
        text.replace(text.find("%d"), 2, std::to_string(result));
        return text;
    }
    if (result == kMacroListUnreadable) {
        return "the macro list (" + std::string(MacroListFile::kFileName) +
               ") is damaged or not a file, so no macros were sent; the device keeps its macros";
    }
    return EnglishText("message_text_7");
}

int RunMacro(CommandContext& ctx) {
    if (!ctx.args.empty() && ctx.args[0] == "event") return RunMacroEvent(ctx);
    int exitCode = kExitOk;
    const auto command = ParseMacroCommand(ctx, exitCode);
    if (!command) return exitCode;
    const std::filesystem::path folder = ProfileFolder(ctx.session.DataDir(), command->kind);
    if (command->action == "download") return Download(ctx, *command, folder);

    MacroListModel model;
    model.SetFolder(folder);
    const MacroStatus loaded = model.LoadMacroList();
    if (model.DamagedListKept()) ctx.Notice(KeptListNotice(*model.DamagedListKept()));
    if (loaded != MacroStatus::Ok) return Failed(ctx, model, loaded, "load", "");
    if (command->action == "list") {
        PrintList(ctx, model, command->kind);
        return kExitOk;
    }
    if (command->action == "show") return Show(ctx, model);

    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) return ctx.Fail("cannot make the folder " + folder.string() + ": " + ec.message());
    std::string report;
    const MacroStatus status = RunAction(model, *command, folder, report);
    if (status != MacroStatus::Ok) return Failed(ctx, model, status, command->action, command->operand);
    if (ctx.json) PrintList(ctx, model, command->kind);
    else ctx.out << report << "\n";
    return kExitOk;
}

}  // namespace morvek::cli
