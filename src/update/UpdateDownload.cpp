#include "update/UpdateDownload.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/Trace.h"
#include "update/Sha256.h"

namespace morvek::update {
namespace {

// Every this many bytes written, the kernel is asked to start writing them to the disk, so that
// the closing flush does not meet the whole file at once: one long burst of disk work at the end
// of a large download would take the processors from the window for tens of milliseconds.
constexpr uint64_t kWriteBehindBytes = 4u << 20;

// The temporary file, written with owner-only permissions and never through a link.
class PartFile {
public:
    explicit PartFile(std::filesystem::path path) : path_(std::move(path)) {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    ~PartFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!kept_) {
            std::error_code ec;
            std::filesystem::remove(path_, ec);
        }
    }
    bool IsOpen() const { return fd_ >= 0; }
    bool Write(const char* data, size_t size) {
        while (size > 0) {
            const ssize_t written = ::write(fd_, data, size);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            data += written;
            size -= static_cast<size_t>(written);
            written_ += static_cast<uint64_t>(written);
        }
        if (written_ - started_ >= kWriteBehindBytes) {
            // Only a hint: a file system that cannot start it early writes it at the flush.
            ::sync_file_range(fd_, static_cast<off_t>(started_), static_cast<off_t>(written_ - started_),
                              SYNC_FILE_RANGE_WRITE);
            started_ = written_;
        }
        return true;
    }
    // Flushes, closes and renames the file to target.
    bool MoveTo(const std::filesystem::path& target) {
        const bool synced = ::fsync(fd_) == 0;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        if (!synced || !closed) return false;
        std::error_code ec;
        std::filesystem::rename(path_, target, ec);
        kept_ = !ec;
        return kept_;
    }

private:
    std::filesystem::path path_;
    int fd_ = -1;
    bool kept_ = false;
    uint64_t written_ = 0;
    uint64_t started_ = 0;  // bytes whose write to the disk was started
};

}  // namespace

const char* DescribeDownloadResult(DownloadResult result) {
    switch (result) {
        case DownloadResult::kDone: return "downloaded";
        case DownloadResult::kNoSize: return "the server announced no size";
        case DownloadResult::kTransferFailed: return "the transfer failed";
        case DownloadResult::kSizeMismatch: return "the file's length differs from the announced size";
        case DownloadResult::kHashMismatch: return "the file's SHA-256 differs from the announced one";
        case DownloadResult::kCannotWrite: return "the file could not be written";
        case DownloadResult::kCancelled: return "cancelled";
    }
    return "failed";
}

DownloadResult DownloadUpdate(const HttpOptions& options, const std::string& address,
                              const std::filesystem::path& file, const std::string& sha256,
                              const DownloadProgress& progress) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
    const auto cancelled = [&] { return options.cancel != nullptr && options.cancel->load(); };
    const std::optional<uint64_t> expected = HttpContentLength(options, address);
    if (!expected || *expected == 0) return cancelled() ? DownloadResult::kCancelled : DownloadResult::kNoSize;

    std::filesystem::create_directories(file.parent_path(), ec);
    PartFile part(std::filesystem::path(file).concat(".part"));
    if (!part.IsOpen()) {
        Trace("update: cannot write " + file.string());
        return DownloadResult::kCannotWrite;
    }
    Sha256 digest;
    uint64_t done = 0;
    bool tooLong = false;
    bool writeFailed = false;
    const bool complete = HttpGet(options, address, [&](const char* data, size_t size) {
        if (done + size > *expected) {
            tooLong = true;
            return false;
        }
        if (!part.Write(data, size)) {
            writeFailed = true;
            return false;
        }
        digest.Add(data, size);
        done += size;
        if (progress) progress(*expected, done);
        return true;
    });
    if (cancelled()) return DownloadResult::kCancelled;
    if (writeFailed) return DownloadResult::kCannotWrite;
    if (tooLong || (complete && done != *expected)) return DownloadResult::kSizeMismatch;
    if (!complete) return DownloadResult::kTransferFailed;
    if (!sha256.empty() && digest.HexDigest() != sha256) return DownloadResult::kHashMismatch;
    return part.MoveTo(file) ? DownloadResult::kDone : DownloadResult::kCannotWrite;
}

}  // namespace morvek::update
