#pragma once
// "macro.config" of a device kind's data folder: {"MacroInfo": [{"MacroName", "Guid"}, ...]}.
// The position of an element is the macro's number in key assignments and in the device image,
// so the order only changes by deletion. "MacroSelect" keeps the macro last selected.

#include <json/value.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvek {

enum class MacroListState {
    kRead,        // the file, or no file at all (an empty list)
    kDamaged,     // a regular file that is not a JSON object
    kNotRegular,  // a folder, FIFO, device or socket in place of the file
};

struct MacroInfo {
    std::string name;
    std::string guid;

    bool operator==(const MacroInfo&) const = default;
};

class MacroListFile {
public:
    static constexpr const char* kFileName = "macro.config";
    static constexpr size_t kMaxMacros = 50;

    explicit MacroListFile(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path Path() const { return folder_ / kFileName; }

    // The whole parsed file, always an object: a missing or broken file reads as an empty one.
    Json::Value Read() const;
    // As Read, and what the file was like.
    Json::Value Read(MacroListState& state) const;
    // 0 when written, -1 when the file could not be written (the old one stays).
    int Write(const Json::Value& list) const;

    // The macros in number order; elements that are not objects keep their number with empty fields.
    static std::vector<MacroInfo> Entries(const Json::Value& list);
    std::vector<MacroInfo> Entries() const { return Entries(Read()); }
    // The macros of the file; nothing when it is damaged or not a file, so that no key bound to a
    // macro is taken for one bound to a macro that is gone.
    std::optional<std::vector<MacroInfo>> ReadableEntries() const;
    // "MacroSelect" when it names an entry, else -1.
    static int Selected(const Json::Value& list);

private:
    std::filesystem::path folder_;
};

}  // namespace morvek
