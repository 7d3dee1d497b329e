#include "platform/FileWriteQueue.h"

#include <algorithm>
#include <memory>

#include "platform/FileIo.h"
#include "platform/Trace.h"

namespace morvek {

FileWriteQueue& FileWriteQueue::Instance() {
    static FileWriteQueue queue;
    return queue;
}

FileWriteQueue::~FileWriteQueue() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

std::filesystem::path FileWriteQueue::Key(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return (ec ? path : absolute).lexically_normal();
}

bool FileWriteQueue::Pending(const std::filesystem::path& key) const {
    return running_ == key || std::any_of(queue_.begin(), queue_.end(), [&](const Entry& entry) { return entry.path == key; });
}

bool FileWriteQueue::OnWriterThread() const { return std::this_thread::get_id() == thread_.get_id(); }

void FileWriteQueue::Write(const std::filesystem::path& path, std::string content, Done done) {
    auto text = std::make_shared<const std::string>(std::move(content));
    Write(path, Producer([text] { return *text; }), std::move(done));
}

void FileWriteQueue::Write(const std::filesystem::path& path, Producer produce, Done done) {
    const std::filesystem::path key = Key(path);
    Queue(key, [key, produce = std::move(produce)] { return WriteFileNow(key, produce()); }, std::move(done));
}

bool FileWriteQueue::Queue(const std::filesystem::path& key, Job job, Done done) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (stopping_) {
            // The program is ending and the writer with it: written here, at once.
            lock.unlock();
            const bool written = job();
            if (done) done(written);
            return written;
        }
        auto queued = std::find_if(queue_.begin(), queue_.end(), [&](const Entry& entry) { return entry.path == key; });
        if (queued != queue_.end()) {
            queued->job = std::move(job);
            if (done) queued->done.push_back(std::move(done));
        } else {
            Entry entry{key, std::move(job), {}};
            if (done) entry.done.push_back(std::move(done));
            queue_.push_back(std::move(entry));
        }
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    changed_.notify_all();
    return true;
}

void FileWriteQueue::SetBackground(bool on) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        background_ = on;
    }
    if (!on) Flush();
}

bool FileWriteQueue::InBackground() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return background_;
}

bool FileWriteQueue::Submit(const std::filesystem::path& path, Job job) {
    if (InBackground()) return Queue(Key(path), std::move(job), {});
    WaitFor(path);
    return job();
}

void FileWriteQueue::WaitFor(const std::filesystem::path& path) {
    if (path.empty()) return;  // names no file, and would match "nothing running"
    const std::filesystem::path key = Key(path);
    std::unique_lock<std::mutex> lock(mutex_);
    if (OnWriterThread()) return;  // a job or done callback reading and writing files
    changed_.wait(lock, [&] { return !Pending(key); });
}

bool FileWriteQueue::Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (OnWriterThread()) return true;
    changed_.wait(lock, [&] { return queue_.empty() && running_.empty(); });
    const bool ok = !failed_;
    failed_ = false;
    return ok;
}

void FileWriteQueue::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;  // stopping, and everything is written
        Entry entry = std::move(queue_.front());
        queue_.pop_front();
        running_ = entry.path;
        lock.unlock();
        const bool written = entry.job();
        if (!written) Trace("file not written: " + entry.path.string());
        for (const Done& done : entry.done) done(written);
        lock.lock();
        failed_ = failed_ || !written;
        running_.clear();
        changed_.notify_all();
    }
}

}  // namespace morvek
