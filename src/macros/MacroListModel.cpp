#include "macros/MacroListModel.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "macros/JsonNumber.h"
#include "macros/MacroEvent.h"
#include "macros/MacroFile.h"
#include "platform/FileIo.h"
#include "platform/FileWriteQueue.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileNames.h"
#include "profiles/TimeStampId.h"

namespace morvek {
namespace {

Json::Value& MacroArray(Json::Value& list) {
    if (!list["MacroInfo"].isArray()) list["MacroInfo"] = Json::Value(Json::arrayValue);
    return list["MacroInfo"];
}

}  // namespace

void MacroListModel::SetFolder(std::filesystem::path folder) {
    folder_ = std::move(folder);
    damagedListKept_.reset();
}

MacroStatus MacroListModel::ReadList(Json::Value& list) {
    MacroListState state = MacroListState::kRead;
    list = ListFile().Read(state);
    if (state == MacroListState::kNotRegular) return MacroStatus::ListNotAFile;
    if (state == MacroListState::kDamaged) {
        // The macro files it names stay; the list is kept for the user and a new one begins.
        auto kept = KeepDamagedFile(ListFile().Path());
        if (!kept) return MacroStatus::WriteFailed;
        damagedListKept_ = std::move(kept);
    }
    return MacroStatus::Ok;
}

MacroStatus MacroListModel::LoadMacroList() {
    if (folder_.empty()) return MacroStatus::Ok;
    Json::Value list;
    const MacroStatus status = ReadList(list);
    rows_ = MacroListFile::Entries(list);
    selected_ = MacroListFile::Selected(list);
    LoadSelectedMacro();
    return status;
}

std::vector<std::string> MacroListModel::GetMacroNames() const {
    std::vector<std::string> names;
    for (const MacroInfo& row : rows_) names.push_back(row.name);
    return names;
}

MacroStatus MacroListModel::Commit(Json::Value list, int selected) {
    if (selected >= 0) list["MacroSelect"] = selected;
    else list.removeMember("MacroSelect");
    if (ListFile().Write(list) != 0) return MacroStatus::WriteFailed;
    rows_ = MacroListFile::Entries(list);
    selected_ = MacroListFile::Selected(list);
    return MacroStatus::Ok;
}

MacroStatus MacroListModel::SelectMacro(int index) {
    if (index < 0 || static_cast<size_t>(index) >= rows_.size()) return MacroStatus::OutOfRange;
    if (index != selected_) {
        Json::Value list;
        MacroStatus status = ReadList(list);
        if (status == MacroStatus::Ok) status = Commit(list, index);
        if (status != MacroStatus::Ok) return status;
    }
    LoadSelectedMacro();
    return MacroStatus::Ok;
}

std::string MacroListModel::NewMacroName() const {
    const std::vector<std::string> names = GetMacroNames();
    for (int n = 1;; ++n) {
        std::string name = "macro_" + std::to_string(n);
        if (!NameTaken(names, name)) return name;
    }
}

std::string MacroListModel::NewGuid() const {
    // No file names a macro that was never saved, so the list's own Guids count as taken too.
    for (;;) {
        std::string guid = MakeUniqueTimeStampId(folder_, MacroFile::kExtension);
        if (std::none_of(rows_.begin(), rows_.end(), [&](const MacroInfo& r) { return r.guid == guid; }))
            return guid;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

MacroAddResult MacroListModel::AddMacro() { return AppendMacro(nullptr); }

MacroAddResult MacroListModel::AppendMacro(const Json::Value* document) {
    Json::Value list;
    if (const MacroStatus status = ReadList(list); status != MacroStatus::Ok) return {status, {}};
    rows_ = MacroListFile::Entries(list);
    if (rows_.size() >= kMaxMacros) return {MacroStatus::LimitReached, {}};
    const std::string name = NewMacroName();
    const std::string guid = NewGuid();
    // The macro's file before the list that names it: a change cut short leaves a file no list
    // names, never a listed macro without its events.
    const auto path = MacroFile::PathFor(folder_, guid);
    if (document != nullptr && (!path || WriteJsonFile(*path, *document) != 0)) return {MacroStatus::WriteFailed, {}};
    Json::Value entry(Json::objectValue);
    entry["MacroName"] = name;
    entry["Guid"] = guid;
    MacroArray(list).append(entry);
    const MacroStatus status = Commit(list, static_cast<int>(rows_.size()));
    if (status != MacroStatus::Ok) {
        if (document != nullptr) {
            std::error_code ec;
            std::filesystem::remove(*path, ec);
        }
        return {status, {}};
    }
    LoadSelectedMacro();
    return {MacroStatus::Ok, name};
}

MacroDeleteResult MacroListModel::DeleteMacro() {
    const int s = selected_;
    if (s < 0 || static_cast<size_t>(s) >= rows_.size()) return {MacroStatus::NoSelection, -1};
    Json::Value list;
    if (const MacroStatus status = ReadList(list); status != MacroStatus::Ok) return {status, -1};
    Json::Value& macros = MacroArray(list);
    if (static_cast<Json::ArrayIndex>(s) >= macros.size()) return {MacroStatus::NoSelection, -1};
    Json::Value removed;
    macros.removeIndex(static_cast<Json::ArrayIndex>(s), &removed);
    // The list is written first: when that fails the macro and its file both stay.
    const MacroStatus status = Commit(list, macros.empty() ? -1 : 0);
    if (status != MacroStatus::Ok) return {status, -1};
    const Json::Value& guid = removed.isObject() ? removed["Guid"] : Json::Value::nullSingleton();
    if (guid.isString()) {
        if (const auto path = MacroFile::PathFor(folder_, guid.asString())) RemoveFile(*path);
    }
    actions_.clear();
    LoadSelectedMacro();
    return {MacroStatus::Ok, s};
}

MacroRenameResult MacroListModel::RenameMacro(const std::string& newName) {
    const int s = selected_;
    if (s < 0) return {MacroStatus::NoSelection, {}, -1};
    if (newName.empty()) return {MacroStatus::NameEmpty, "IsEmpty", -1};
    if (NameHasBlank(newName)) return {MacroStatus::NameHasBlank, "Isuseb", -1};
    if (NameTaken(GetMacroNames(), newName)) return {MacroStatus::NameTaken, {}, s};
    Json::Value list;
    if (const MacroStatus status = ReadList(list); status != MacroStatus::Ok) return {status, {}, -1};
    Json::Value& macros = MacroArray(list);
    if (static_cast<Json::ArrayIndex>(s) >= macros.size()) return {MacroStatus::NoSelection, {}, -1};
    Json::Value& entry = macros[s];
    if (!entry.isObject()) entry = Json::Value(Json::objectValue);
    entry["MacroName"] = newName;
    const MacroStatus status = Commit(list, s);
    if (status != MacroStatus::Ok) return {status, {}, -1};
    return {MacroStatus::Ok, newName, s};
}

void MacroListModel::LoadSelectedMacro() {
    actions_.clear();
    if (selected_ < 0 || static_cast<size_t>(selected_) >= rows_.size()) return;
    if (const auto path = MacroFile::PathFor(folder_, rows_[selected_].guid)) LoadMacroEvents(*path);
}

std::string MacroListModel::DelayText(const Json::Value& event) {
    return std::to_string(MacroEvent::FromJson(event).DelayMs());
}

bool MacroListModel::LoadMacroEvents(const std::filesystem::path& path) {
    actions_.clear();
    for (const Json::Value& event : MacroFile::ReadEvents(path)) actions_.push_back({event, DelayText(event)});
    return true;
}

MacroStatus MacroListModel::SelectedEvents(std::filesystem::path& path, std::vector<Json::Value>& events) {
    if (selected_ < 0 || static_cast<size_t>(selected_) >= rows_.size()) return MacroStatus::NoSelection;
    const auto file = MacroFile::PathFor(folder_, rows_[selected_].guid);
    if (!file) return MacroStatus::NoMacroFile;
    events.clear();
    events.reserve(actions_.size());
    for (MacroAction& action : actions_) {
        const long long ms = std::clamp(IntegerOfText(action.delayText), 0LL, static_cast<long long>(kMaxMacroDelayMs));
        std::string delay = std::to_string(ms);
        if (action.delayText != delay) action.delayText = delay;
        if (!action.event.isObject()) continue;
        static constexpr char kDelay[] = "Delay";
        const Json::Value* stored = action.event.find(kDelay, kDelay + sizeof kDelay - 1);
        if (stored == nullptr || !stored->isString() || action.delayText != stored->asCString())
            action.event["Delay"] = action.delayText;
        events.push_back(action.event);
    }
    path = *file;
    return MacroStatus::Ok;
}

MacroStatus MacroListModel::SaveSelectedMacro() {
    std::filesystem::path path;
    std::vector<Json::Value> events;
    const MacroStatus status = SelectedEvents(path, events);
    if (status != MacroStatus::Ok) return status;
    const MacroInfo& row = rows_[selected_];
    return WriteJsonFile(path, DocumentOf(row, events)) == 0 ? MacroStatus::Ok : MacroStatus::WriteFailed;
}

MacroStatus MacroListModel::SaveSelectedMacroInBackground(FileWriteQueue::Done done) {
    auto events = std::make_shared<std::vector<Json::Value>>();
    std::filesystem::path path;
    const MacroStatus status = SelectedEvents(path, *events);
    if (status != MacroStatus::Ok) return status;
    // The document is made and turned into text on the writer's thread, from this copy.
    FileWriteQueue::Instance().Write(
        path, FileWriteQueue::Producer([row = rows_[selected_], events] { return StyledJsonText(DocumentOf(row, *events)); }),
        std::move(done));
    return status;
}

Json::Value MacroListModel::DocumentOf(const MacroInfo& row, const std::vector<Json::Value>& events) {
    Json::Value array(Json::arrayValue);
    for (const Json::Value& event : events) array.append(event);
    return MacroFile::Document(row.name, row.guid, array);
}

MacroStatus MacroListModel::ExportMacro(const std::filesystem::path& destination) {
    if (selected_ < 0 || static_cast<size_t>(selected_) >= rows_.size()) return MacroStatus::NoSelection;
    const MacroInfo& row = rows_[selected_];
    const auto source = MacroFile::PathFor(folder_, row.guid);
    if (!source) return MacroStatus::NoMacroFile;
    std::error_code ec;
    if (!std::filesystem::exists(*source, ec)) {
        // Never saved: the macro has no events yet.
        const Json::Value empty = MacroFile::Document(row.name, row.guid, Json::Value(Json::arrayValue));
        return WriteJsonFile(destination, empty) == 0 ? MacroStatus::Ok : MacroStatus::WriteFailed;
    }
    const auto content = ReadWholeFile(*source, kMaxJsonFileBytes);
    if (!content) return MacroStatus::NoMacroFile;
    return WriteFileAtomically(destination, *content) ? MacroStatus::Ok : MacroStatus::WriteFailed;
}

MacroAddResult MacroListModel::ImportMacro(const std::filesystem::path& source) {
    if (source.empty()) return {MacroStatus::NotAMacroFile, {}};
    const Json::Value document = readjsonFile(source);
    if (!MacroFile::IsMacroDocument(document)) return {MacroStatus::NotAMacroFile, {}};
    // The imported file keeps its own name and Guid inside until the next save; only its
    // "Events" are read back.
    return AppendMacro(&document);
}

}  // namespace morvek
