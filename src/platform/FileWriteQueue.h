#pragma once
// Whole-file writes on a thread of their own, so that a caller never waits for the disk (a
// synchronised write of a large macro can take tens of milliseconds). Each write replaces the
// file atomically, as WriteFileAtomically does. A newer write of a file replaces one of the
// same file that has not started yet. ReadWholeFile, WriteFileAtomically and RemoveFile wait
// for the queued write of their file first, so every reader sees the newest content and no
// older content lands over a newer one. The queue is drained before the program ends.

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace morvek {

class FileWriteQueue {
public:
    // done(written) runs on the writer's thread once the file is written or the write failed.
    using Done = std::function<void(bool written)>;
    // Makes the content on the writer's thread (a large document is turned into text there).
    using Producer = std::function<std::string()>;

    static FileWriteQueue& Instance();

    FileWriteQueue() = default;
    ~FileWriteQueue();
    FileWriteQueue(const FileWriteQueue&) = delete;
    FileWriteQueue& operator=(const FileWriteQueue&) = delete;

    void Write(const std::filesystem::path& path, std::string content, Done done = {});
    void Write(const std::filesystem::path& path, Producer produce, Done done = {});
    // Returns once no write of path is queued or running.
    void WaitFor(const std::filesystem::path& path);
    void WaitForAll();

private:
    struct Job {
        std::filesystem::path path;
        Producer produce;
        std::vector<Done> done;
    };

    static std::filesystem::path Key(const std::filesystem::path& path);
    bool Pending(const std::filesystem::path& key) const;
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> queue_;
    std::filesystem::path running_;  // empty while idle
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace morvek
