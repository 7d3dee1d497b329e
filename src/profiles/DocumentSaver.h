#pragma once
// DocumentSaver: where profile documents are written. By default a save runs at once on the
// caller's thread (the command line, the core). The window switches it to the background: a
// save then runs on the saver's own thread, so a light change never waits for the disk (a
// whole-file write with its flush can take a long time on a busy disk), and the user-interface
// thread only hands over a copy of the document's section.
//
// Order and freshness: saves of one file run in the order submitted; a save still waiting is
// replaced by a newer one of the same file (the newer one carries the whole section). Every
// read and write of a JSON file (readjsonFile, WriteJsonFile) first waits for the saves of that
// file, so whatever reads a document after a change sees the change. Flush waits for all.
// Leaving the background (and the end of the process) flushes: nothing submitted is lost.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace morvek {

class DocumentSaver {
public:
    // Reads, changes and writes one file; false when the file could not be written.
    using Job = std::function<bool()>;

    static DocumentSaver& Instance();
    ~DocumentSaver();
    DocumentSaver(const DocumentSaver&) = delete;
    DocumentSaver& operator=(const DocumentSaver&) = delete;

    // On: saves run on the saver's thread. Off: every waiting save is written first.
    void SetBackground(bool on);
    bool InBackground() const;

    // In the background: queued, true. Otherwise: run now, its result.
    bool Submit(const std::filesystem::path& file, Job job);
    // Waits until no save of file waits or runs. Returns at once on the saver's thread.
    void WaitFor(const std::filesystem::path& file);
    // Waits until every save submitted so far has run; false when one of the saves since the
    // last Flush failed.
    bool Flush();

private:
    DocumentSaver() = default;
    struct Entry {
        std::string file;
        Job job;
    };
    void Run();
    bool Busy(const std::string& file) const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Entry> waiting_;
    std::optional<std::string> running_;
    bool background_ = false;
    bool stopping_ = false;
    bool failed_ = false;
    std::thread worker_;
    std::atomic<std::thread::id> workerId_{};  // read by callers on any thread
};

}  // namespace morvek
