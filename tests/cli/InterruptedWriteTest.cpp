// Commands killed at any moment (kill -9): every file is whole or absent, no list names what is
// not there, and the temporary files the killed writes left go at the next start.

#include <gtest/gtest.h>
#include <json/json.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "macros/MacroEvent.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "support/SourcePaths.h"
#include "support/TempFolder.h"

namespace morvek::cli {
namespace {

using test::CliRun;

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::filesystem::path> TemporaryFilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsInterruptedWriteName(it->path().filename().string())) found.push_back(it->path());
    }
    return found;
}

#if defined(__x86_64__)
// A call that changes files: a file created or opened for writing, written, flushed, renamed or
// removed, a folder made (x86-64 system call numbers and argument registers).
bool IsFileCall(const user_regs_struct& regs) {
    switch (regs.orig_rax) {
        case SYS_openat: return (regs.rdx & (O_CREAT | O_WRONLY | O_RDWR | O_TRUNC)) != 0;
        case SYS_open: return (regs.rsi & (O_CREAT | O_WRONLY | O_RDWR | O_TRUNC)) != 0;
        case SYS_write: return regs.rdi > 2;  // not standard output or error
        case SYS_fsync:
        case SYS_fdatasync:
        case SYS_rename:
        case SYS_renameat:
        case SYS_renameat2:
        case SYS_unlink:
        case SYS_unlinkat:
        case SYS_mkdir:
        case SYS_mkdirat: return true;
        default: return false;
    }
}

// Runs the built morvekctl with args under ptrace and kills it (SIGKILL) as its n-th file call
// begins, so that the call and everything after it never happen. False when the command ended
// before making n file calls.
bool KillAtFileCall(const std::vector<std::string>& args, int n) {
    std::string program = (ProgramFolder() / "morvekctl").string();
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);  // stopped at the exec
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    int calls = 0;
    bool entering = true;
    int signal = 0;
    for (;;) {
        ::ptrace(PTRACE_SYSCALL, pid, nullptr, reinterpret_cast<void*>(static_cast<intptr_t>(signal)));
        ::waitpid(pid, &status, 0);
        if (WIFEXITED(status) || WIFSIGNALED(status)) return false;
        signal = 0;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            signal = WSTOPSIG(status) == SIGTRAP ? 0 : WSTOPSIG(status);
            continue;
        }
        if (entering) {
            user_regs_struct regs{};
            ::ptrace(PTRACE_GETREGS, pid, nullptr, &regs);
            if (IsFileCall(regs) && ++calls == n) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                return true;
            }
        }
        entering = !entering;
    }
}
#endif

// What writes of earlier runs left is removed at the next start, in the data folders only, and
// only files with the program's own temporary names.
TEST(InterruptedWriteTest, TemporaryFilesOfInterruptedWritesGoAtTheNextStart) {
    const test::TempFolder root;
    const std::filesystem::path data = root / "data";
    struct Case {
        std::filesystem::path file;
        bool removed;
    } cases[] = {
        {data / ".osConfLib.json.morvek-a1B2c3", true},
        {data / "keyboard" / ".ProfileList.ini.morvek-Zz9Zz9", true},
        {data / "mouse" / ".2026_01_01_00_00_00_000.mac.morvek-000000", true},
        {data / "MousePad" / ".2026_01_01_00_00_00_000.Json.morvek-abcdef", true},
        {data / "HD" / ".ProfileList.ini.morvek-abcdef", true},
        {data / "mouse" / ".macro.config.XyZ123", false},  // another program's pattern
        {data / "mouse" / "notes.txt", false},
        {data / "other" / ".x.morvek-abcdef", false},  // not a folder of the program's
        {root / ".x.morvek-abcdef", false},
    };
    for (const Case& c : cases) {
        std::filesystem::create_directories(c.file.parent_path());
        WriteText(c.file, "{\"cut");
    }
    const CliRun r = test::RunCli({"--data-dir", data.string(), "devices"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const Case& c : cases) EXPECT_EQ(std::filesystem::exists(c.file), !c.removed) << c.file;
}

// Each command is killed as each of its file calls begins, one run per call, until a run ends by
// itself. After every kill, every listed macro has all its events, every listed profile a whole
// document, and after the next start no temporary file is left. A macro import writes its file
// before the list: killed between the two, the macro is absent, never listed without events.
TEST(InterruptedWriteTest, CommandsKilledAtEachFileCallLeaveEveryFileWholeOrAbsent) {
#if !defined(__x86_64__)
    GTEST_SKIP() << "the file calls are told apart by x86-64 system call numbers";
#else
    constexpr size_t kEvents = 1500;
    const test::TempFolder root;
    Json::Value macro;
    for (size_t i = 0; i < kEvents; ++i)
        macro["Events"].append(MacroEvent{kMacroEventKey, static_cast<int>(4 + i % 26), i % 2 == 0, 5}.ToJson());
    WriteText(root / "in.mac", Json::StyledWriter().write(macro));
    // Every command works on a data folder of its own: "imports" only ever gets imported macros.
    const auto in = [&](const std::string& folder, std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", (root / folder).string(), "--default-data", test::SourceDataDir()});
        return args;
    };
    ASSERT_EQ(test::RunCli(in("profiles", {"profile", "export", (root / "in.json").string(), "--kind", "mouse"})).status, 0);
    const std::vector<std::vector<std::string>> commands = {
        in("imports", {"macro", "import", (root / "in.mac").string(), "--kind", "mouse"}),
        in("profiles", {"profile", "import", (root / "in.json").string(), "--kind", "mouse"}),
        in("profiles", {"profile", "add", "--kind", "mouse"}),
        in("profiles", {"profile", "copy", "--kind", "mouse"}),
        in("profiles", {"profile", "rename", "Renamed", "--kind", "mouse"}),
    };
    for (const auto& command : commands) {
        int call = 1;
        for (; KillAtFileCall(command, call); ++call) {
            const std::string after = command[4] + " " + command[5] + " killed at file call " + std::to_string(call);


            // The next start: the lists are read, and whatever was left half-written is removed.
            const CliRun macros = test::RunCli(in("imports", {"macro", "list", "--kind", "mouse", "--json"}));
            ASSERT_EQ(macros.status, 0) << macros.err;
            const Json::Value macroList = test::ParseJson(macros.out);
            EXPECT_TRUE(macroList["macros"].isArray()) << macros.out;
            for (const Json::Value& row : macroList["macros"]) {
                const std::filesystem::path file = root / "imports" / "mouse" / (row["guid"].asString() + ".mac");
                ASSERT_TRUE(std::filesystem::exists(file)) << after << ": a listed macro without its file";
                EXPECT_EQ(test::ReadJson(file)["Events"].size(), kEvents) << after << ": " << file;
            }
            const CliRun profiles = test::RunCli(in("profiles", {"profile", "list", "--kind", "mouse", "--json"}));
            ASSERT_EQ(profiles.status, 0) << profiles.err;
            EXPECT_EQ(profiles.err, "") << after;
            const Json::Value profileList = test::ParseJson(profiles.out);
            EXPECT_FALSE(profileList["profiles"].empty()) << profiles.out;
            for (const Json::Value& row : profileList["profiles"]) {
                const std::filesystem::path file = root / "profiles" / "mouse" / (row["uuid"].asString() + ".Json");
                ASSERT_TRUE(std::filesystem::exists(file)) << after << ": a listed profile without its document";
                const Json::Value document = test::ReadJson(file);
                EXPECT_EQ(document["profileUUID"], row["uuid"]) << after;
                // A rename cut short between its two files leaves the document with the new
                // name and the list with the old one: both are whole, and the list is what is shown.
                EXPECT_TRUE(document["profilename"] == row["name"] || document["profilename"] == "Renamed") << after;
                EXPECT_TRUE(document["Device"].isArray()) << after;
            }
            EXPECT_TRUE(TemporaryFilesIn(root / "imports").empty()) << after;
            EXPECT_TRUE(TemporaryFilesIn(root / "profiles").empty()) << after;
        }
        EXPECT_GT(call, 4) << command[4] << " " << command[5] << " makes its files in several calls";
    }
#endif
}

}  // namespace
}  // namespace morvek::cli
