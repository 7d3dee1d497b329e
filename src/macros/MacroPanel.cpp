#include "macros/MacroPanel.h"

#include <array>

#include "profiles/ProfileNames.h"

namespace morvek {
namespace {

struct Trigger {
    std::string_view name;
    std::optional<RecordMode> mode;  // none: constant when "macro_check_time" is selected, else measured
    HookMode hook;
};

constexpr std::array<Trigger, 8> kTriggers = {{
    {"macro_btn_starredio", std::nullopt, HookMode::Append},
    {"redio_previous_record_time", std::nullopt, HookMode::InsertBefore},
    {"redio_previous_constant_time", RecordMode::Constant, HookMode::InsertBefore},
    {"redio_previous_ignore_time", RecordMode::NoDelays, HookMode::InsertBefore},
    {"redio_later_record_time", std::nullopt, HookMode::InsertAfter},
    {"redio_later_constant_time", RecordMode::Constant, HookMode::InsertAfter},
    {"redio_later_ignore_time", RecordMode::NoDelays, HookMode::InsertAfter},
    {"macro_action_edit", RecordMode::NoDelays, HookMode::EditSelected},
}};

struct EditButton {
    std::string_view name;
    ActionEdit edit;
};

constexpr std::array<EditButton, 6> kEditButtons = {{
    {"macro_btn_uptop", ActionEdit::ToTop},
    {"macro_btn_up", ActionEdit::Up},
    {"macro_btn_down", ActionEdit::Down},
    {"macro_btn_downbottom", ActionEdit::ToBottom},
    {"macro_btn_delete", ActionEdit::Delete},
    {"macro_btn_deleteall", ActionEdit::DeleteAll},
}};

}  // namespace

std::optional<RecordingRequest> RecordingOfTrigger(std::string_view trigger, bool constantChecked) {
    for (const Trigger& t : kTriggers) {
        if (!SameNameIgnoringCase(t.name, trigger)) continue;
        const RecordMode mode = t.mode ? *t.mode : constantChecked ? RecordMode::Constant : RecordMode::Measured;
        return RecordingRequest{mode, t.hook};
    }
    return std::nullopt;
}

std::optional<ActionEdit> ActionEditOfButton(std::string_view button) {
    for (const EditButton& b : kEditButtons) {
        if (b.name == button) return b.edit;
    }
    return std::nullopt;
}

std::string MacroStatusMessage(MacroStatus status) {
    switch (status) {
        case MacroStatus::Ok:
        case MacroStatus::NoSelection: return {};
        case MacroStatus::LimitReached: return "macro_limit_text";
        case MacroStatus::OutOfRange:
        case MacroStatus::WriteFailed:
        case MacroStatus::NoMacroFile:
        case MacroStatus::ListNotAFile: return "macro_write_failed_text";
        case MacroStatus::NotAMacroFile: return "macro_not_a_macro_text";
        case MacroStatus::NameEmpty: return "message_text_5_1";
        case MacroStatus::NameHasBlank: return "message_text_5_2";
        case MacroStatus::NameTaken: return "message_text_5";
    }
    return {};
}

void MacroPanel::SetFolder(std::filesystem::path folder) {
    list_.SetFolder(std::move(folder));
    Reload();
}

void MacroPanel::Reload() {
    list_.LoadMacroList();
    actions_.Select(-1);
}

MacroPanelControls MacroPanel::Controls() const {
    const bool selected = list_.GetSelectedMacro() >= 0;
    return {selected, selected, !recorder_.IsRecording(), recorder_.IsRecording()};
}

MacroStatus MacroPanel::SelectMacro(int index) {
    const MacroStatus status = list_.SelectMacro(index);
    actions_.Select(-1);
    return status;
}

void MacroPanel::Cancel() {
    list_.LoadSelectedMacro();
    actions_.Select(-1);
}

MacroAddResult MacroPanel::Add() {
    const MacroAddResult added = list_.AddMacro();
    actions_.Select(-1);
    return added;
}

int MacroPanel::KeysPlayingSelected() const {
    const int selected = list_.GetSelectedMacro();
    return selected < 0 ? 0 : CountKeysBoundToMacroInProfiles(list_.Folder(), selected);
}

MacroStatus MacroPanel::DeleteSelected(MacroKeyChanges& changes) {
    const MacroStatus status = DeleteMacroAndFixKeys(list_, list_.Folder(), changes);
    actions_.Select(-1);
    return status;
}

MacroAddResult MacroPanel::Import(const std::filesystem::path& source) {
    const MacroAddResult imported = list_.ImportMacro(source);
    actions_.Select(-1);
    return imported;
}

MacroStatus MacroPanel::Export(const std::filesystem::path& destination) { return list_.ExportMacro(destination); }

MacroStatus MacroPanel::Save() {
    return list_.SaveSelectedMacroInBackground([failed = saveFailed_](bool written) {
        if (!written && failed) failed();
    });
}

MacroStatus MacroPanel::Edit(ActionEdit edit) {
    switch (edit) {
        case ActionEdit::ToTop: actions_.MoveToTop(); break;
        case ActionEdit::Up: actions_.MoveUp(); break;
        case ActionEdit::Down: actions_.MoveDown(); break;
        case ActionEdit::ToBottom: actions_.MoveToBottom(); break;
        case ActionEdit::Delete: actions_.DeleteSelected(); break;
        case ActionEdit::DeleteAll: actions_.DeleteAll(); break;
    }
    return Save();
}

MacroStatus MacroPanel::InsertMouseActions(const std::vector<MacroMouseAction>& actions, long long distance) {
    for (MacroMouseAction action : actions)
        actions_.InsertBelowSelection(MouseActionEvent(action, distance, recorder_.ConstantDelay()));
    return Save();
}

bool MacroPanel::StartRecording(const RecordingRequest& request, long long nowMs, std::string_view constantDelayText,
                                std::optional<std::string>& newDelayText) {
    newDelayText.reset();
    if (list_.GetSelectedMacro() < 0) return false;
    newDelayText = recorder_.Start(request.mode, request.hook, nowMs, constantDelayText);
    return true;
}

MacroStatus MacroPanel::StopRecording() {
    if (!recorder_.IsRecording()) return MacroStatus::Ok;
    recorder_.Stop();
    return Save();
}

RecordedAction MacroPanel::RecordKey(bool press, uint8_t scanCode, bool extended, long long nowMs) {
    return recorder_.RecordKey(actions_, press, scanCode, extended, nowMs);
}

RecordedAction MacroPanel::RecordMouseButton(int buttonBit, bool press, bool onStopButton, long long nowMs) {
    return recorder_.RecordMouseButton(actions_, buttonBit, press, onStopButton, nowMs);
}

}  // namespace morvek
