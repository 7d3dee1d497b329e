#pragma once
// Starting a downloaded update on this machine. A program built for this machine (or a script)
// is run and waited for; a Windows program or a program for another processor is not started;
// anything else (a package, an archive) goes to the desktop's default opener, which hands a
// package to the software installer.

#include <filesystem>

namespace morvek::update {

enum class InstallerKind {
    kProgram,         // an ELF program of this machine's processor, or a script ("#!")
    kForeignProgram,  // a Windows program ("MZ") or an ELF program for another processor
    kDocument,        // anything else: for the desktop's opener
};

InstallerKind ClassifyInstaller(const std::filesystem::path& file);

// How an update is started; replaced in tests by a stand-in that records what it was given.
class IUpdateOpener {
public:
    virtual ~IUpdateOpener() = default;
    // Hands the file to the desktop's default opener; false when that could not be started or
    // reported a failure.
    virtual bool OpenWithDesktop(const std::filesystem::path& file) = 0;
    // Runs the program and waits for it; its exit status, or -1 when it could not be started.
    virtual int RunProgram(const std::filesystem::path& file) = 0;
};

// The opener of a Linux desktop: "xdg-open" for documents; programs are made executable for
// their owner and run directly.
class DesktopOpener final : public IUpdateOpener {
public:
    bool OpenWithDesktop(const std::filesystem::path& file) override;
    int RunProgram(const std::filesystem::path& file) override;
};

enum class LaunchResult {
    kHandedOver,     // the desktop's opener took it
    kFinished,       // the program ran and ended with status 0
    kFailed,         // the opener or the program failed
    kNotRunnable,    // a program this machine cannot run: not started
};

LaunchResult LaunchUpdate(IUpdateOpener& opener, const std::filesystem::path& file);

}  // namespace morvek::update
