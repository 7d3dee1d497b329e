#include "update/UpdateLauncher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Trace.h"

extern char** environ;

namespace morvek::update {
namespace {

// ELF machine numbers of the processors this program is built for.
#if defined(__x86_64__)
constexpr uint16_t kThisMachine = 62;
#elif defined(__aarch64__)
constexpr uint16_t kThisMachine = 183;
#elif defined(__i386__)
constexpr uint16_t kThisMachine = 3;
#elif defined(__arm__)
constexpr uint16_t kThisMachine = 40;
#elif defined(__riscv)
constexpr uint16_t kThisMachine = 243;
#else
constexpr uint16_t kThisMachine = 0;
#endif

// Runs arguments[0] with its arguments and waits for it: its exit status, or -1 when it could not
// be started or did not end by itself.
int SpawnAndWait(std::vector<std::string> arguments, bool searchPath) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int error = searchPath ? posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ)
                                 : posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        Trace("update: cannot start " + arguments[0]);
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

InstallerKind ClassifyInstaller(const std::filesystem::path& file) {
    std::array<unsigned char, 20> head{};
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    const auto length = static_cast<size_t>(in.gcount());
    if (length >= 2 && head[0] == 'M' && head[1] == 'Z') return InstallerKind::kForeignProgram;
    if (length >= 2 && head[0] == '#' && head[1] == '!') return InstallerKind::kProgram;
    if (length >= 4 && head[0] == 0x7f && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') {
        if (length < head.size()) return InstallerKind::kForeignProgram;
        // e_machine: bytes 18 and 19, in the byte order byte 5 names (1 little, 2 big endian).
        const uint16_t machine = head[5] == 2 ? uint16_t(head[18] << 8 | head[19]) : uint16_t(head[19] << 8 | head[18]);
        return machine == kThisMachine ? InstallerKind::kProgram : InstallerKind::kForeignProgram;
    }
    return InstallerKind::kDocument;
}

bool DesktopOpener::OpenWithDesktop(const std::filesystem::path& file) {
    return SpawnAndWait({"xdg-open", file.string()}, true) == 0;
}

int DesktopOpener::RunProgram(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::permissions(file, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add, ec);
    if (ec) return -1;
    return SpawnAndWait({file.string()}, false);
}

LaunchResult LaunchUpdate(IUpdateOpener& opener, const std::filesystem::path& file) {
    switch (ClassifyInstaller(file)) {
        case InstallerKind::kForeignProgram: return LaunchResult::kNotRunnable;
        case InstallerKind::kProgram: return opener.RunProgram(file) == 0 ? LaunchResult::kFinished : LaunchResult::kFailed;
        case InstallerKind::kDocument: break;
    }
    return opener.OpenWithDesktop(file) ? LaunchResult::kHandedOver : LaunchResult::kFailed;
}

}  // namespace morvek::update
