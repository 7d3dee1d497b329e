#pragma once
// The one background writer of files, so that a caller never waits for the disk (a
// synchronised write of a large macro or profile document can take tens of milliseconds on a
// busy disk). Two kinds of work go through it:
// - Write: a whole file's content (or what makes it, on the writer's thread), always queued;
//   the file is replaced atomically, as WriteFileAtomically does.
// - Submit: a job that reads, changes and writes one file (a profile document's section put
//   into it). It runs at once on the caller's thread by default (the command line, the core);
//   while the queue is in the background (the window) it is queued like a write.
//
// Order and freshness: work on one file runs in the order given; a newer write or job of a file
// replaces one of the same file that has not started yet (its done callbacks are kept).
// ReadWholeFile, ReadFileContent, WriteFileAtomically and RemoveFile (and so every JSON read and
// write) wait for the queued work of their file first, so every reader sees the newest content
// and no older content lands over a newer one. A failure is traced, told to the done callbacks
// and reported by the next Flush. Leaving the background flushes, and the queue is drained
// before the program ends: nothing given to it is lost.

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
    // Reads, changes and writes one file; false when the file could not be written.
    using Job = std::function<bool()>;

    static FileWriteQueue& Instance();

    FileWriteQueue() = default;
    ~FileWriteQueue();
    FileWriteQueue(const FileWriteQueue&) = delete;
    FileWriteQueue& operator=(const FileWriteQueue&) = delete;

    void Write(const std::filesystem::path& path, std::string content, Done done = {});
    void Write(const std::filesystem::path& path, Producer produce, Done done = {});

    // On: jobs are queued. Off: they run at once, and everything queued is written first.
    void SetBackground(bool on);
    bool InBackground() const;
    // In the background: queued, true. Otherwise: run now, its result.
    bool Submit(const std::filesystem::path& path, Job job);

    // Returns once no work of path is queued or running. Returns at once on the writer's thread.
    void WaitFor(const std::filesystem::path& path);
    // Waits until everything queued so far is done; false when something failed since the last
    // Flush.
    bool Flush();

private:
    struct Entry {
        std::filesystem::path path;
        Job job;
        std::vector<Done> done;
    };

    static std::filesystem::path Key(const std::filesystem::path& path);
    // Queued: true. While the queue is being destroyed: run at once, its result.
    bool Queue(const std::filesystem::path& key, Job job, Done done);
    bool Pending(const std::filesystem::path& key) const;
    bool OnWriterThread() const;
    void Run();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Entry> queue_;
    std::filesystem::path running_;  // empty while idle
    bool background_ = false;
    bool stopping_ = false;
    bool failed_ = false;
    std::thread thread_;
};

}  // namespace morvek
