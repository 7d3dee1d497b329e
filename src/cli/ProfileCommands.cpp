#include "cli/ProfileCommands.h"

#include <json/json.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "profiles/ProfileFiles.h"
#include "profiles/ProfileListStore.h"

namespace morvek::cli {
namespace {

constexpr const char* kProfileUsage =
    "usage: profile list|add|delete|copy|reset --kind KIND, profile rename NAME --kind KIND,\n"
    "       profile select INDEX --kind KIND, profile import FILE|export FILE --kind KIND";

struct ProfileCommand {
    std::string action;
    std::optional<uint16_t> kind;
    std::vector<std::string> operands;
    int index = 0;  // of select
};

// Number of operands each action takes; -1 for an unknown action.
int OperandCount(const std::string& action) {
    for (const char* a : {"list", "add", "delete", "copy", "reset"}) {
        if (action == a) return 0;
    }
    for (const char* a : {"rename", "select", "import", "export"}) {
        if (action == a) return 1;
    }
    return -1;
}

std::optional<ProfileCommand> ParseProfileCommand(CommandContext& ctx, int& exitCode) {
    if (ctx.args.empty()) {
        exitCode = ctx.Usage(kProfileUsage);
        return std::nullopt;
    }
    ProfileCommand command{ctx.args[0], std::nullopt, {}};
    const int operands = OperandCount(command.action);
    if (operands < 0) {
        exitCode = ctx.Usage("unknown profile command \"" + command.action + "\"\n" + kProfileUsage);
        return std::nullopt;
    }
    for (size_t i = 1; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "--kind") {
            if (i + 1 >= ctx.args.size()) {
                exitCode = ctx.Usage("--kind needs a KIND (keyboard, mouse, pad, headset)");
                return std::nullopt;
            }
            command.kind = KindFromWord(ctx.args[++i]);
            if (!command.kind) {
                exitCode = ctx.Usage("unknown KIND \"" + ctx.args[i] + "\" (keyboard, mouse, pad, headset)");
                return std::nullopt;
            }
        } else if (a == "--json") {
            ctx.json = true;
        } else if (a.rfind("--", 0) == 0) {
            exitCode = ctx.Usage("unknown option " + a + "\n" + kProfileUsage);
            return std::nullopt;
        } else {
            command.operands.push_back(a);
        }
    }
    if (!command.kind) {
        exitCode = ctx.Usage("profile " + command.action + " needs --kind KIND (keyboard, mouse, pad, headset)");
        return std::nullopt;
    }
    if (static_cast<int>(command.operands.size()) != operands) {
        exitCode = ctx.Usage(kProfileUsage);
        return std::nullopt;
    }
    if ((command.action == "import" || command.action == "export") && command.operands[0].empty()) {
        exitCode = ctx.Usage("profile " + command.action + " needs a FILE name");
        return std::nullopt;
    }
    if (command.action == "select") {
        const auto index = ParseNumber(command.operands[0], 0, 1000000);
        if (!index) {
            exitCode = ctx.Usage("INDEX must be a number from 0, not \"" + command.operands[0] + "\"");
            return std::nullopt;
        }
        command.index = static_cast<int>(*index);
    }
    return command;
}

// The English text of the messages the window shows through text keys.
std::string EnglishText(const char* key) {
    const std::string k = key;
    if (k == "message_text_5") return "Another profile already has this name.";
    if (k == "message_text_5_1") return "The profile name cannot be empty.";
    if (k == "message_text_5_2") return "The profile name cannot contain spaces.";
    return k;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string NameAt(const ProfileListStore& store, int index) {
    const auto& profiles = store.Profiles();
    return index >= 0 && index < static_cast<int>(profiles.size()) ? profiles[static_cast<size_t>(index)].name : "";
}

int Failed(CommandContext& ctx, const ProfileListStore& store, ProfileStatus status, const std::string& action,
           const std::string& operand) {
    if (const char* key = ProfileMessageKey(status)) return ctx.Fail(EnglishText(key));
    switch (status) {
        case ProfileStatus::kWriteFailed:
            if (action == "export") return ctx.Fail("cannot write " + operand);
            return ctx.Fail("cannot write the profile files in " + store.Folder().string());
        case ProfileStatus::kNotAFile:
            return ctx.Fail(ProfileListFile(store.Folder()).string() +
                            " is not a regular file (a folder or a special file stands in its place)");
        case ProfileStatus::kNoSelection: return ctx.Fail("no profile is selected");
        case ProfileStatus::kBadIndex:
            return ctx.Fail("there is no profile " + operand + " (the list holds " +
                            std::to_string(store.Profiles().size()) + ")");
        case ProfileStatus::kListFull:
            return ctx.Fail("the list already holds " + std::to_string(ProfileListStore::kMaxProfiles) +
                            " profiles; delete one first");
        case ProfileStatus::kLastProfile: return ctx.Fail("the last profile cannot be deleted");
        case ProfileStatus::kNotAProfile:
            return ctx.Fail(operand + " is not a profile document (one with \"profilename\" and \"profileUUID\")");
        case ProfileStatus::kNoDocument:
            return ctx.Fail("the document of profile " + Quoted(NameAt(store, store.GetSelectedIndex())) +
                            " cannot be read");
        case ProfileStatus::kNoTemplate:
            return ctx.Fail("the default profile " + store.TemplatePath().string() + " cannot be read");
        default: return ctx.Fail("the profile operation failed");
    }
}

// The list as the next load shows it: the stored selection is marked.
void PrintList(CommandContext& ctx, const ProfileListStore& store, const std::string& kindWord) {
    const int selected = store.StoredSelection();
    const auto& profiles = store.Profiles();
    if (ctx.json) {
        Json::Value v;
        v["kind"] = kindWord;
        v["selected"] = selected;
        v["profiles"] = Json::Value(Json::arrayValue);
        for (size_t i = 0; i < profiles.size(); ++i) {
            Json::Value row;
            row["index"] = static_cast<Json::UInt>(i);
            row["name"] = profiles[i].name;
            row["uuid"] = profiles[i].uuid;
            row["selected"] = static_cast<int>(i) == selected;
            v["profiles"].append(row);
        }
        ctx.out << Json::StyledWriter().write(v);
        return;
    }
    for (size_t i = 0; i < profiles.size(); ++i)
        ctx.out << (static_cast<int>(i) == selected ? "* " : "  ") << i << "  " << profiles[i].name << "\n";
}

// Runs the action on the loaded list and sets what to report when it succeeds.
ProfileStatus RunAction(ProfileListStore& store, const ProfileCommand& c, std::string& report) {
    const std::string before = NameAt(store, store.GetSelectedIndex());
    const std::string operand = c.operands.empty() ? std::string() : c.operands[0];
    ProfileStatus status = ProfileStatus::kOk;
    if (c.action == "add") {
        status = store.AddProfile();
        report = "added " + Quoted(store.Profiles().empty() ? "" : store.Profiles().back().name);
    } else if (c.action == "delete") {
        status = store.DeleteProfile();
        report = "deleted " + Quoted(before) + "; " + Quoted(NameAt(store, store.GetSelectedIndex())) + " is selected";
    } else if (c.action == "copy") {
        status = store.CopyProfile();
        report = "copied " + Quoted(before) + " to " + Quoted(store.Profiles().back().name);
    } else if (c.action == "reset") {
        status = store.ResetProfile();
        report = "reset " + Quoted(before) + " to the defaults";
    } else if (c.action == "rename") {
        status = store.RenameProfile(operand);
        report = "renamed " + Quoted(before) + " to " + Quoted(operand);
    } else if (c.action == "select") {
        status = store.SelectProfile(c.index);
        report = "selected " + operand + " " + Quoted(NameAt(store, store.GetSelectedIndex()));
    } else if (c.action == "import") {
        status = store.ImportProfile(operand);
        report = "imported " + operand + " as " + Quoted(store.Profiles().back().name);
    } else if (c.action == "export") {
        status = store.ExportProfile(operand);
        report = "exported " + Quoted(before) + " to " + operand;
    }
    return status;
}

}  // namespace

std::string KeptListNotice(const std::filesystem::path& kept) {
    return "the list " + kept.parent_path().string() + "/" + kept.stem().string() +
           " was damaged: it is kept as " + kept.string() +
           " and a new list was started (no file of the folder was deleted)";
}

int RunProfile(CommandContext& ctx) {
    int exitCode = kExitOk;
    const auto command = ParseProfileCommand(ctx, exitCode);
    if (!command) return exitCode;
    const std::string kindWord = KindWord(*command->kind);
    ProfileListStore store(*command->kind, ProfileFolder(ctx.session.DataDir(), *command->kind),
                           ProfileTemplate(ctx.session.DefaultDataDir(), *command->kind));
    const ProfileStatus loaded = store.LoadProfileList();
    if (store.DamagedListKept()) ctx.Notice(KeptListNotice(*store.DamagedListKept()));
    if (loaded != ProfileStatus::kOk) return Failed(ctx, store, loaded, "load", "");
    if (command->action == "list") {
        PrintList(ctx, store, kindWord);
        return kExitOk;
    }
    std::string report;
    const ProfileStatus status = RunAction(store, *command, report);
    if (status != ProfileStatus::kOk)
        return Failed(ctx, store, status, command->action, command->operands.empty() ? "" : command->operands[0]);
    if (ctx.json) PrintList(ctx, store, kindWord);
    else ctx.out << report << "\n";
    return kExitOk;
}

}  // namespace morvek::cli
