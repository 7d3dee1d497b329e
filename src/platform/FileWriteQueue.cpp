#include "platform/FileWriteQueue.h"

#include <algorithm>
#include <memory>

#include "platform/FileIo.h"

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
    return running_ == key || std::any_of(queue_.begin(), queue_.end(), [&](const Job& job) { return job.path == key; });
}

void FileWriteQueue::Write(const std::filesystem::path& path, std::string content, Done done) {
    auto text = std::make_shared<const std::string>(std::move(content));
    Write(path, Producer([text] { return *text; }), std::move(done));
}

void FileWriteQueue::Write(const std::filesystem::path& path, Producer produce, Done done) {
    const std::filesystem::path key = Key(path);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto queued = std::find_if(queue_.begin(), queue_.end(), [&](const Job& job) { return job.path == key; });
        if (queued != queue_.end()) {
            queued->produce = std::move(produce);
            if (done) queued->done.push_back(std::move(done));
        } else {
            Job job{key, std::move(produce), {}};
            if (done) job.done.push_back(std::move(done));
            queue_.push_back(std::move(job));
        }
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    changed_.notify_all();
}

void FileWriteQueue::WaitFor(const std::filesystem::path& path) {
    if (path.empty()) return;  // names no file, and would match "nothing running"
    const std::filesystem::path key = Key(path);
    std::unique_lock<std::mutex> lock(mutex_);
    if (std::this_thread::get_id() == thread_.get_id()) return;  // a done callback reading files
    changed_.wait(lock, [&] { return !Pending(key); });
}

void FileWriteQueue::WaitForAll() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (std::this_thread::get_id() == thread_.get_id()) return;
    changed_.wait(lock, [&] { return queue_.empty() && running_.empty(); });
}

void FileWriteQueue::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;  // stopping, and everything is written
        Job job = std::move(queue_.front());
        queue_.pop_front();
        running_ = job.path;
        lock.unlock();
        const bool written = WriteFileNow(job.path, job.produce());
        for (const Done& done : job.done) done(written);
        lock.lock();
        running_.clear();
        changed_.notify_all();
    }
}

}  // namespace morvek
