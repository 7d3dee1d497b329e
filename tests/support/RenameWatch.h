#pragma once
// Watches a folder for files moved into it (the last step of every write the program makes)
// and gives their names in the order they arrived, to check which of two files a change puts
// in place first.

#include <sys/inotify.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

namespace morvek::test {

class RenameWatch {
public:
    explicit RenameWatch(const std::filesystem::path& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_ >= 0) ::inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO);
    }
    ~RenameWatch() {
        if (fd_ >= 0) ::close(fd_);
    }
    RenameWatch(const RenameWatch&) = delete;
    RenameWatch& operator=(const RenameWatch&) = delete;

    // The names moved in since the watch began (or since the last call), oldest first.
    std::vector<std::string> Arrivals() {
        std::vector<std::string> names;
        alignas(inotify_event) char buffer[64 * (sizeof(inotify_event) + NAME_MAX + 1)];
        for (;;) {
            const ssize_t n = fd_ < 0 ? -1 : ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) break;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0) names.emplace_back(event->name);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return names;
    }

private:
    int fd_;
};

}  // namespace morvek::test
