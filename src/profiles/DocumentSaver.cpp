#include "profiles/DocumentSaver.h"

#include <algorithm>

#include "platform/Trace.h"

namespace morvek {
namespace {

std::string Key(const std::filesystem::path& file) { return file.lexically_normal().string(); }

}  // namespace

DocumentSaver& DocumentSaver::Instance() {
    static DocumentSaver saver;
    return saver;
}

DocumentSaver::~DocumentSaver() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void DocumentSaver::SetBackground(bool on) {
    {
        std::lock_guard lock(mutex_);
        background_ = on;
        if (on && !worker_.joinable()) {
            worker_ = std::thread([this] { Run(); });
            workerId_ = worker_.get_id();
        }
    }
    if (!on) Flush();
}

bool DocumentSaver::InBackground() const {
    std::lock_guard lock(mutex_);
    return background_;
}

bool DocumentSaver::Submit(const std::filesystem::path& file, Job job) {
    const std::string key = Key(file);
    {
        std::lock_guard lock(mutex_);
        if (background_ && !stopping_) {
            const auto same = std::find_if(waiting_.begin(), waiting_.end(), [&](const Entry& e) { return e.file == key; });
            if (same != waiting_.end()) same->job = std::move(job);
            else waiting_.push_back({key, std::move(job)});
            changed_.notify_all();
            return true;
        }
    }
    WaitFor(file);
    return job();
}

bool DocumentSaver::Busy(const std::string& file) const {
    if (running_ == file) return true;
    return std::any_of(waiting_.begin(), waiting_.end(), [&](const Entry& e) { return e.file == file; });
}

void DocumentSaver::WaitFor(const std::filesystem::path& file) {
    if (std::this_thread::get_id() == workerId_.load()) return;
    const std::string key = Key(file);
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !Busy(key); });
}

bool DocumentSaver::Flush() {
    if (std::this_thread::get_id() == workerId_.load()) return true;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return waiting_.empty() && !running_; });
    const bool ok = !failed_;
    failed_ = false;
    return ok;
}

void DocumentSaver::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) return;  // stopping with nothing left to write
        Entry entry = std::move(waiting_.front());
        waiting_.pop_front();
        running_ = entry.file;
        lock.unlock();
        const bool written = entry.job();
        if (!written) Trace("profile document not written: " + entry.file);
        lock.lock();
        failed_ = failed_ || !written;
        running_.reset();
        changed_.notify_all();
    }
}

}  // namespace morvek
