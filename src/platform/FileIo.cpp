#include "platform/FileIo.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "platform/FileWriteQueue.h"

namespace morvek {
namespace {

constexpr std::string_view kTemporaryMarker = ".morvek-";
constexpr size_t kTemporaryLetters = 6;

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

FileContent Failed(FileReadState state) { return {state, {}}; }

bool IsMissing(int error) { return error == ENOENT || error == ENOTDIR; }

}  // namespace

FileContent ReadFileContent(const std::filesystem::path& path, size_t maxBytes) {
    FileWriteQueue::Instance().WaitFor(path);
    // The type is looked at before the file is opened, and the open does not wait either: a
    // FIFO swapped in between is caught by the second look.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return Failed(IsMissing(errno) ? FileReadState::kMissing : FileReadState::kUnreadable);
    if (!S_ISREG(info.st_mode)) return Failed(FileReadState::kNotRegular);
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) return Failed(IsMissing(errno) ? FileReadState::kMissing : FileReadState::kUnreadable);
    if (::fstat(fd.get(), &info) != 0) return Failed(FileReadState::kUnreadable);
    if (!S_ISREG(info.st_mode)) return Failed(FileReadState::kNotRegular);
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) return Failed(FileReadState::kTooLarge);
    FileContent content{FileReadState::kRead, {}};
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Failed(FileReadState::kUnreadable);
        }
        if (n == 0) break;
        content.text.append(buffer, static_cast<size_t>(n));
        if (content.text.size() > maxBytes) return Failed(FileReadState::kTooLarge);  // grew while being read
    }
    return content;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes) {
    FileContent content = ReadFileContent(path, maxBytes);
    if (content.state != FileReadState::kRead) return std::nullopt;
    return std::move(content.text);
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
    FileWriteQueue::Instance().WaitFor(path);
    return WriteFileNow(path, content);
}

bool RemoveFile(const std::filesystem::path& path) {
    FileWriteQueue::Instance().WaitFor(path);
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return !ec;
}

bool WriteFileNow(const std::filesystem::path& path, std::string_view content) {
    if (!path.has_filename()) return false;
    // A folder, FIFO, device or socket in the file's place is not replaced.
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) return false;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string temp = (folder / ("." + path.filename().string() + std::string(kTemporaryMarker) + "XXXXXX")).string();
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return false;
    // The lock tells a clean-up at another program's start that this file is still being written.
    ::flock(fd.get(), LOCK_EX);
    ::fchmod(fd.get(), 0644);
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd.get(), content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    const bool complete = written == content.size() && ::fsync(fd.get()) == 0;
    if (!complete || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    fd.Close();
    return true;
}

bool IsInterruptedWriteName(const std::string& fileName) {
    const size_t tail = kTemporaryMarker.size() + kTemporaryLetters;
    // "." + at least one character of the file's own name + the marker and its six letters.
    if (fileName.size() < 2 + tail || fileName[0] != '.') return false;
    const std::string_view end = std::string_view(fileName).substr(fileName.size() - tail);
    if (end.substr(0, kTemporaryMarker.size()) != kTemporaryMarker) return false;
    for (const char c : end.substr(kTemporaryMarker.size())) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) return false;
    }
    return true;
}

std::vector<std::filesystem::path> RemoveInterruptedWrites(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> removed;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path path = it->path();
        if (!IsInterruptedWriteName(path.filename().string())) continue;
        Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY));
        struct stat info {};
        if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        // Held by a writer that is still running: not ours to remove.
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
        if (::unlink(path.c_str()) == 0) removed.push_back(path);
    }
    return removed;
}

std::optional<std::filesystem::path> KeepDamagedFile(const std::filesystem::path& path) {
    std::filesystem::path kept = path.string() + ".damaged";
    std::error_code ec;
    for (int n = 2; std::filesystem::symlink_status(kept, ec).type() != std::filesystem::file_type::not_found; ++n) {
        if (n > 1000) return std::nullopt;
        kept = path.string() + ".damaged-" + std::to_string(n);
    }
    if (std::rename(path.c_str(), kept.c_str()) != 0) return std::nullopt;
    return kept;
}

}  // namespace morvek
