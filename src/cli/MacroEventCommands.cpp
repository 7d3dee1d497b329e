#include "cli/MacroEventCommands.h"

#include <optional>
#include <string>
#include <vector>

#include "cli/GlobalOptions.h"
#include "devicelink/DeviceTables.h"
#include "macros/MacroActionEditor.h"
#include "macros/MacroListModel.h"
#include "macros/MacroMouseActions.h"
#include "macros/MacroRecorder.h"
#include "profiles/ProfileFiles.h"

namespace morvek::cli {
namespace {

constexpr const char* kEventUsage =
    "usage: macro event move INDEX up|down|top|bottom --kind KIND, macro event delete INDEX|all --kind KIND,\n"
    "       macro event delay INDEX MS --kind KIND, macro event insert POSITION ACTION [DISTANCE] --kind KIND\n"
    "       (ACTION: left_click, left_down, left_up and the same for right, middle, back and forward,\n"
    "       or move_left, move_right, move_up, move_down with a DISTANCE of 0 to 255)";

struct MoveAction {
    const char* word;
    MacroMouseAction move;
};
constexpr MoveAction kMoves[] = {{"move_left", MacroMouseAction::MoveLeft},
                                 {"move_right", MacroMouseAction::MoveRight},
                                 {"move_up", MacroMouseAction::MoveUp},
                                 {"move_down", MacroMouseAction::MoveDown}};

std::optional<MacroMouseAction> MoveOf(const std::string& word) {
    for (const MoveAction& m : kMoves) {
        if (word == m.word) return m.move;
    }
    return std::nullopt;
}

// Splits the command line: operands in order, the kind from --kind.
bool Split(CommandContext& ctx, std::vector<std::string>& operands, uint16_t& kind, int& exitCode) {
    for (size_t i = 1; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "--kind") {
            const auto word = i + 1 < ctx.args.size() ? KindFromWord(ctx.args[++i]) : std::nullopt;
            if (word != kKindKeyboard && word != kKindMouse) {
                exitCode = ctx.Usage("--kind needs keyboard or mouse: only they have macros");
                return false;
            }
            kind = *word;
        } else if (a.rfind("--", 0) == 0) {
            exitCode = ctx.Usage("unknown option " + a + "\n" + kEventUsage);
            return false;
        } else {
            operands.push_back(a);
        }
    }
    if (kind == 0 || operands.empty()) {
        exitCode = ctx.Usage(kEventUsage);
        return false;
    }
    return true;
}

class EventCommand {
public:
    EventCommand(CommandContext& ctx, std::vector<std::string> operands)
        : ctx_(ctx), operands_(std::move(operands)), editor_(model_) {}

    int Run(const std::filesystem::path& folder) {
        const std::string& op = operands_[0];
        const size_t count = operands_.size() - 1;
        const bool fits = (op == "move" && count == 2) || (op == "delete" && count == 1) ||
                          (op == "delay" && count == 2) || (op == "insert" && (count == 2 || count == 3));
        if (!fits) return ctx_.Usage(kEventUsage);
        if (const int wrong = CheckWords(); wrong != kExitOk) return wrong;
        model_.SetFolder(folder);
        model_.LoadMacroList();
        if (model_.GetSelectedMacro() < 0) return ctx_.Fail("no macro is selected (macro select INDEX)");
        if (op == "move") return Move();
        if (op == "delete") return Delete();
        if (op == "delay") return Delay();
        return Insert();
    }

private:
    int Count() const { return static_cast<int>(editor_.Count()); }

    // The words that need no macro to be checked: the direction, the delay, the action.
    int CheckWords() {
        const std::string& op = operands_[0];
        if (op == "move" && MoveDirection(operands_[2]) == nullptr)
            return ctx_.Usage("move an event up, down, top or bottom, not \"" + operands_[2] + "\"");
        if (op == "delay" && !ParseNumber(operands_[2], 0, kMaxMacroDelayMs))
            return ctx_.Usage("MS must be a number from 0 to 65535, not \"" + operands_[2] + "\"");
        if (op != "insert") return kExitOk;
        const std::string& word = operands_[2];
        if (MoveOf(word)) {
            if (operands_.size() != 4 || !ParseNumber(operands_[3], 0, 255))
                return ctx_.Usage(word + " needs a DISTANCE from 0 to 255");
        } else if (MouseActionsOfMenuItem(word).empty() || operands_.size() == 4) {
            return ctx_.Usage(kEventUsage);
        }
        return kExitOk;
    }

    using Mover = bool (MacroActionEditor::*)();
    static Mover MoveDirection(const std::string& where) {
        if (where == "up") return &MacroActionEditor::MoveUp;
        if (where == "down") return &MacroActionEditor::MoveDown;
        if (where == "top") return &MacroActionEditor::MoveToTop;
        if (where == "bottom") return &MacroActionEditor::MoveToBottom;
        return nullptr;
    }

    // An event number of the macro; the usage error is reported when it is none.
    std::optional<int> Event(const std::string& text, int& exitCode) {
        const auto index = ParseNumber(text, 0, 1000000);
        if (!index) {
            exitCode = ctx_.Usage("INDEX must be a number from 0, not \"" + text + "\"");
            return std::nullopt;
        }
        if (*index >= Count()) {
            exitCode = ctx_.Fail("there is no event " + text + " (the macro holds " + std::to_string(Count()) + ")");
            return std::nullopt;
        }
        return static_cast<int>(*index);
    }

    int Saved(const std::string& report) {
        if (model_.SaveSelectedMacro() != MacroStatus::Ok)
            return ctx_.Fail("cannot write the macro's file in " + model_.Folder().string());
        ctx_.out << report << "\n";
        return kExitOk;
    }

    int Move() {
        int exitCode = kExitOk;
        const auto index = Event(operands_[1], exitCode);
        if (!index) return exitCode;
        editor_.Select(*index);
        (editor_.*MoveDirection(operands_[2]))();
        return Saved("event " + std::to_string(*index) + " is event " + std::to_string(editor_.Selected()));
    }

    int Delete() {
        if (operands_[1] == "all") {
            const int deleted = Count();
            editor_.DeleteAll();
            return Saved("deleted " + std::to_string(deleted) + " events");
        }
        int exitCode = kExitOk;
        const auto index = Event(operands_[1], exitCode);
        if (!index) return exitCode;
        editor_.Select(*index);
        editor_.DeleteSelected();
        return Saved("deleted event " + std::to_string(*index));
    }

    int Delay() {
        int exitCode = kExitOk;
        const auto index = Event(operands_[1], exitCode);
        if (!index) return exitCode;
        const auto ms = ParseNumber(operands_[2], 0, kMaxMacroDelayMs);
        editor_.SetDelayText(static_cast<size_t>(*index), std::to_string(*ms));
        return Saved("event " + std::to_string(*index) + " waits " + std::to_string(*ms) + " ms");
    }

    int Insert() {
        const auto position = ParseNumber(operands_[1], 0, Count());
        if (!position)
            return ctx_.Usage("POSITION must be a number from 0 to " + std::to_string(Count()) + ", not \"" +
                              operands_[1] + "\"");
        const std::string& word = operands_[2];
        std::vector<MacroMouseAction> actions = MouseActionsOfMenuItem(word);
        long distance = 0;
        if (const auto move = MoveOf(word)) {
            actions = {*move};
            distance = *ParseNumber(operands_[3], 0, 255);
        }
        size_t at = static_cast<size_t>(*position);
        for (MacroMouseAction action : actions)
            editor_.InsertAt(at++, MouseActionEvent(action, distance, MacroRecorder::kDefaultConstantDelay));
        return Saved("inserted " + std::to_string(actions.size()) + (actions.size() == 1 ? " event" : " events") +
                     " at " + std::to_string(*position));
    }

    CommandContext& ctx_;
    std::vector<std::string> operands_;
    MacroListModel model_;
    MacroActionEditor editor_;
};

}  // namespace

int RunMacroEvent(CommandContext& ctx) {
    std::vector<std::string> operands;
    uint16_t kind = 0;
    int exitCode = kExitOk;
    if (!Split(ctx, operands, kind, exitCode)) return exitCode;
    EventCommand command(ctx, std::move(operands));
    return command.Run(ProfileFolder(ctx.session.DataDir(), kind));
}

}  // namespace morvek::cli
