#include "platform/Autostart.h"

#include <cstdlib>
#include <sstream>
#include <system_error>

#include "platform/FileIo.h"

namespace morvek {

namespace {

constexpr size_t kMaxEntryBytes = 64 * 1024;

// Characters a desktop entry's Exec argument can hold without quotes.
bool IsPlain(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("/-_.,+=:@").find(c) != std::string_view::npos;
}

// The value of key in the "[Desktop Entry]" group; empty when absent.
std::string EntryValue(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    std::string line;
    bool inEntry = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("[")) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry || !line.starts_with(key)) continue;
        std::string rest = line.substr(key.size());
        const size_t first = rest.find_first_not_of(' ');
        if (first == std::string::npos || rest[first] != '=') continue;
        rest = rest.substr(first + 1);
        const size_t start = rest.find_first_not_of(' ');
        return start == std::string::npos ? std::string() : rest.substr(start);
    }
    return {};
}

}  // namespace

std::filesystem::path RunningExecutable() {
    std::error_code code;
    return std::filesystem::read_symlink("/proc/self/exe", code);
}

std::filesystem::path AutostartFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::filesystem::path(config) / "autostart";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".config" / "autostart";
}

std::filesystem::path AutostartEntryPath() {
    std::filesystem::path entry = AutostartFolder() / kDesktopId;
    entry += ".desktop";
    return entry;
}

std::string DesktopExecArgument(const std::string& argument) {
    bool plain = !argument.empty();
    for (char c : argument) plain = plain && IsPlain(c);
    std::string quoted;
    if (plain) {
        quoted = argument;
    } else {
        // Inside quotes, '"', '`', '$' and '\' take a backslash.
        quoted = "\"";
        for (char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
            quoted += c;
        }
        quoted += '"';
    }
    // The key's value form: a backslash is written twice, a literal '%' as "%%".
    std::string value;
    for (char c : quoted) {
        if (c == '\\') value += "\\\\";
        else if (c == '%') value += "%%";
        else value += c;
    }
    return value;
}

std::string AutostartEntryText(const std::filesystem::path& executable) {
    std::ostringstream text;
    text << "[Desktop Entry]\n"
         << "Type=Application\n"
         << "Name=Morvek gaming keyboard\n"
         << "Comment=Takes the lights and profiles of the Morvek devices over at log-in\n"
         << "Exec=" << DesktopExecArgument(executable.string()) << " --minimized\n"
         << "Icon=" << kDesktopId << "\n"
         << "Terminal=false\n"
         << "X-GNOME-Autostart-enabled=true\n";
    return text.str();
}

bool AutostartEnabled() {
    const FileContent content = ReadFileContent(AutostartEntryPath(), kMaxEntryBytes);
    if (content.state != FileReadState::kRead) return false;
    return EntryValue(content.text, "Hidden") != "true" && EntryValue(content.text, "X-GNOME-Autostart-enabled") != "false";
}

bool SetAutostart(bool on, const std::filesystem::path& executable, std::string& error) {
    const std::filesystem::path entry = AutostartEntryPath();
    if (!on) {
        if (RemoveFile(entry)) return true;
        error = "cannot remove " + entry.string();
        return false;
    }
    std::error_code code;
    std::filesystem::create_directories(entry.parent_path(), code);
    if (code) {
        error = "cannot create the folder " + entry.parent_path().string() + " (" + code.message() + ")";
        return false;
    }
    if (!WriteFileAtomically(entry, AutostartEntryText(executable))) {
        error = "cannot write " + entry.string();
        return false;
    }
    return true;
}

}  // namespace morvek
