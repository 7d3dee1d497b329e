#include "platform/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/FileWriteQueue.h"

namespace morvek {
namespace {

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
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes) {
    FileWriteQueue::Instance().WaitFor(path);
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) return std::nullopt;
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        content.append(buffer, static_cast<size_t>(n));
        if (content.size() > maxBytes) return std::nullopt;  // grew while being read
    }
    return content;
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
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string temp = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0) return false;
    ::fchmod(fd.get(), 0644);
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd.get(), content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    const bool complete = written == content.size() && ::fsync(fd.get()) == 0;
    if (!fd.Close() || !complete || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace morvek
